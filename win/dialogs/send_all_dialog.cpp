#include "win/dialogs/send_all_dialog.h"

#include "core/transfer/send_all.h"
#include "win/dialogs/bulk_transfer_dialog.h"
#include "win/resources/resource.h"

namespace korvex7::win {

namespace {

const BulkTransferDialog kSendAll = {
    .resource = IDD_SEND_ALL,
    .caption = L"全項目の設定 ",
    .idleLabel = L"設定",
    .startId = IDC_SEND_ALL_START,
    .progressId = IDC_SEND_ALL_PROGRESS,
    .percentId = IDC_SEND_ALL_PERCENT,
    .slaveListId = IDC_SEND_ALL_SLAVE,
    .closeId = IDC_SEND_ALL_CLOSE,
    .slaveList = SlaveList::kWithBroadcast,
    .sequence = SendAllSequence,
    .prepare = nullptr,
};

}  // namespace

void RunSendAllDialog(const DialogContext& context) { RunBulkTransferDialog(context, kSendAll); }

}  // namespace korvex7::win
