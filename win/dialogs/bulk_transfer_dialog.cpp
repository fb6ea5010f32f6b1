#include "win/dialogs/bulk_transfer_dialog.h"

#include <commctrl.h>

#include <string>

#include "win/dialogs/form_dialog.h"

namespace korvex7::win {

namespace {

struct DialogState {
  const BulkTransferDialog& layout;
  SetAllRun run;
};

SetAllOptions RunOptions(const BulkTransferDialog& d) {
  SetAllOptions o;
  o.buttonId = d.startId;
  o.idleLabel = d.idleLabel;
  o.lockedControls = {d.closeId};
  o.slaveListId = d.slaveListId;
  o.periodMs = 400;
  o.closeOnSuccess = true;
  const int progressId = d.progressId;
  const int percentId = d.percentId;
  const int steps = d.sequence().stepCount;
  o.onStart = [progressId, percentId, steps](HWND dialog) {
    SetDlgItemTextW(dialog, percentId, L"0");
    SendDlgItemMessageW(dialog, progressId, PBM_SETRANGE32, 0, steps);
    SendDlgItemMessageW(dialog, progressId, PBM_SETSTEP, 1, 0);
    SendDlgItemMessageW(dialog, progressId, PBM_SETPOS, 0, 0);
  };
  o.onStep = [progressId, percentId](HWND dialog, int percent) {
    SetDlgItemTextW(dialog, percentId, std::to_wstring(percent).c_str());
    SendDlgItemMessageW(dialog, progressId, PBM_STEPIT, 0, 0);
  };
  o.onRestore = [progressId, percentId](HWND dialog) {
    SetDlgItemTextW(dialog, percentId, L"");
    SendDlgItemMessageW(dialog, progressId, PBM_SETPOS, 0, 0);
  };
  return o;
}

void InitProgress(HWND dialog, DialogState& state) {
  SendDlgItemMessageW(dialog, state.layout.progressId, PBM_SETRANGE32, 0,
                      state.layout.sequence().stepCount);
}

}  // namespace

void RunBulkTransferDialog(const DialogContext& context, const BulkTransferDialog& dialog) {
  INITCOMMONCONTROLSEX icc{};
  icc.dwSize = sizeof(icc);
  icc.dwICC = ICC_PROGRESS_CLASS;
  InitCommonControlsEx(&icc);
  // Before the slave-address list is filled from the model.
  if (dialog.prepare != nullptr) dialog.prepare(context.session.model);
  DialogState state{dialog, SetAllRun(context.session, dialog.sequence(), RunOptions(dialog))};
  const FormDialog<DialogState> form = {
      .resource = dialog.resource,
      .caption = dialog.caption,
      .slaveListId = dialog.slaveListId,
      .slaveList = dialog.slaveList,
      .closeId = dialog.closeId,
      .setAll = &DialogState::run,
      .init = InitProgress,
  };
  RunFormDialog(context, form, state);
}

}  // namespace korvex7::win
