#include "win/dialogs/send_all_dialog.h"

#include "core/transfer/send_all.h"
#include "win/dialogs/bulk_transfer_dialog.h"
#include "win/resources/resource.h"

namespace korvex7::win {

namespace {

const BulkTransferDialog kSendAll = {
    IDD_SEND_ALL,
    L"全項目の設定 ",
    L"設定",
    IDC_SEND_ALL_START,
    IDC_SEND_ALL_PROGRESS,
    IDC_SEND_ALL_PERCENT,
    IDC_SEND_ALL_SLAVE,
    IDC_SEND_ALL_CLOSE,
    SlaveList::kWithBroadcast,
    SendAllSequence,
    nullptr,
};

}  // namespace

void RunSendAllDialog(const DialogContext& context) { RunBulkTransferDialog(context, kSendAll); }

}  // namespace korvex7::win
