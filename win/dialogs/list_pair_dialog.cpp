#include "win/dialogs/list_pair_dialog.h"

#include "win/dialogs/dialog_common.h"

namespace korvex7::win {

namespace {

INT_PTR CALLBACK ListPairProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const auto* d = reinterpret_cast<const ListPairDialog*>(lParam);
      SetSettingsCaption(dialog, d->caption);
      InitBoundLists(dialog, d->rows);
      InitSlaveAddressList(dialog, d->slaveListId);
      return TRUE;
    }
    case WM_COMMAND: {
      const auto* d = DialogData<const ListPairDialog>(dialog);
      if (d == nullptr) break;
      if (HandleBoundListCommand(dialog, wParam, d->rows)) return TRUE;
      if (HandleCommonCommand(dialog, wParam, d->slaveListId, d->closeId)) return TRUE;
      break;
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

void RunListPairDialog(const DialogContext& context, const ListPairDialog& dialog) {
  RunSettingsDialog(context, dialog.resource, ListPairProc, const_cast<ListPairDialog*>(&dialog));
}

}  // namespace korvex7::win
