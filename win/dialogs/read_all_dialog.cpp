#include "win/dialogs/read_all_dialog.h"

#include "core/transfer/read_all.h"
#include "win/dialogs/bulk_transfer_dialog.h"
#include "win/resources/resource.h"

namespace korvex7::win {

namespace {

// Broadcast is not offered: no unit would answer the queries.
const BulkTransferDialog kReadAll = {
    .resource = IDD_READ_ALL,
    .caption = L"設定項目の読み込み ",
    .idleLabel = L"読み込み",
    .startId = IDC_READ_ALL_START,
    .progressId = IDC_READ_ALL_PROGRESS,
    .percentId = IDC_READ_ALL_PERCENT,
    .slaveListId = IDC_READ_ALL_SLAVE,
    .closeId = IDC_READ_ALL_CLOSE,
    .slaveList = SlaveList::kUnitsOnly,
    .sequence = ReadAllSequence,
    .prepare = PrepareReadAllAddress,
};

}  // namespace

void RunReadAllDialog(const DialogContext& context) { RunBulkTransferDialog(context, kReadAll); }

}  // namespace korvex7::win
