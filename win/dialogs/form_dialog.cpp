#include "win/dialogs/form_dialog.h"

#include "win/dialogs/dialog_common.h"

namespace korvex7::win {

namespace {

void OnInitDialog(HWND dialog, const FormDialog& form) {
  DialogInitializingScope initializing(dialog);
  SetSettingsCaption(dialog, form.caption);
  InitBoundLists(dialog, form.lists);
  InitSlaveAddressList(dialog, form.slaveListId);
  if (form.initOwn != nullptr) form.initOwn(dialog);
}

bool OnCommand(HWND dialog, WPARAM wParam, const FormDialog& form) {
  if (form.commandOwn != nullptr && form.commandOwn(dialog, wParam)) return true;
  if (HandleBoundListCommand(dialog, wParam, form.lists)) return true;
  return HandleCommonCommand(dialog, wParam, form.slaveListId, form.closeId);
}

INT_PTR CALLBACK FormProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(dialog, *reinterpret_cast<const FormDialog*>(lParam));
      return TRUE;
    case WM_COMMAND: {
      const auto* form = DialogData<const FormDialog>(dialog);
      return form != nullptr && OnCommand(dialog, wParam, *form) ? TRUE : FALSE;
    }
    case WM_CLOSE:
      CloseSettingsDialog(dialog);
      return TRUE;
    default:
      break;
  }
  return FALSE;
}

}  // namespace

void RunFormDialog(const DialogContext& context, const FormDialog& form) {
  RunSettingsDialog(context, form.resource, FormProc, const_cast<FormDialog*>(&form));
}

}  // namespace korvex7::win
