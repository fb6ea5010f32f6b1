#include "win/dialogs/bulk_transfer_dialog.h"

#include <commctrl.h>

#include <string>

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

INT_PTR CALLBACK BulkTransferProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const BulkTransferDialog& d = reinterpret_cast<DialogState*>(lParam)->layout;
      if (d.prepare != nullptr) d.prepare(DialogSessionOf(dialog).model);
      SetSettingsCaption(dialog, d.caption);
      InitSlaveAddressList(dialog, d.slaveListId, d.slaveList);
      SendDlgItemMessageW(dialog, d.progressId, PBM_SETRANGE32, 0, d.sequence().stepCount);
      return TRUE;
    }
    case WM_COMMAND: {
      auto* state = DialogData<DialogState>(dialog);
      if (state == nullptr) break;
      if (LOWORD(wParam) == state->layout.startId) {
        state->run.OnButton(dialog);
        return TRUE;
      }
      return HandleCommonCommand(dialog, wParam, state->layout.slaveListId, state->layout.closeId,
                                 &state->run)
                 ? TRUE
                 : FALSE;
    }
    case WM_TIMER: {
      auto* state = DialogData<DialogState>(dialog);
      if (state != nullptr && state->run.OnTimer(dialog, wParam)) return TRUE;
      break;
    }
    case WM_CLOSE: {
      auto* state = DialogData<DialogState>(dialog);
      CloseSettingsDialog(dialog, state != nullptr ? &state->run : nullptr);
      return TRUE;
    }
    default:
      break;
  }
  return FALSE;
}

}  // namespace

void RunBulkTransferDialog(const DialogContext& context, const BulkTransferDialog& dialog) {
  INITCOMMONCONTROLSEX icc{};
  icc.dwSize = sizeof(icc);
  icc.dwICC = ICC_PROGRESS_CLASS;
  InitCommonControlsEx(&icc);
  DialogState state{dialog, SetAllRun(context.session, dialog.sequence(), RunOptions(dialog))};
  RunSettingsDialog(context, dialog.resource, BulkTransferProc, &state);
}

}  // namespace korvex7::win
