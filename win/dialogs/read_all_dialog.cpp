#include "win/dialogs/read_all_dialog.h"

#include "core/transfer/read_all.h"
#include "win/dialogs/bulk_transfer_dialog.h"
#include "win/resources/resource.h"

namespace korvex7::win {

namespace {

// Broadcast is not offered: no unit would answer the queries.
const BulkTransferDialog kReadAll = {
    IDD_READ_ALL,          L"設定項目の読み込み ", L"読み込み",           IDC_READ_ALL_START,
    IDC_READ_ALL_PROGRESS, IDC_READ_ALL_PERCENT,   IDC_READ_ALL_SLAVE,    IDC_READ_ALL_CLOSE,
    SlaveList::kUnitsOnly, ReadAllSequence,        PrepareReadAllAddress,
};

}  // namespace

void RunReadAllDialog(const DialogContext& context) { RunBulkTransferDialog(context, kReadAll); }

}  // namespace korvex7::win
