#include "win/dialogs/form_dialog.h"

namespace korvex7::win::form_engine {

void Open(HWND dialog, std::wstring_view caption, std::span<const BoundListRow> lists,
          int slaveListId, SlaveList slaveList) {
  SetSettingsCaption(dialog, caption);
  InitBoundLists(dialog, lists);
  InitSlaveAddressList(dialog, slaveListId, slaveList);
}

void Close(HWND dialog, const SetAllRun* run) {
  if (run != nullptr && run->Active()) return;
  CloseSettingsDialog(dialog);
}

bool Command(HWND dialog, WPARAM wParam, std::span<const BoundListRow> lists, int slaveListId,
             int closeId, SetAllRun* run, bool otherCommandsClose) {
  if (HandleBoundListCommand(dialog, wParam, lists)) return true;
  const int id = LOWORD(wParam);
  if (run != nullptr && id == run->ButtonId()) {
    run->OnButton(dialog);
    return true;
  }
  if (slaveListId != 0 && id == slaveListId) {
    if (HIWORD(wParam) == CBN_SELCHANGE) {
      const int selected = ListSelection(dialog, slaveListId);
      if (selected >= 0) DialogSessionOf(dialog).model.link.slaveAddress = selected;
    }
    return true;
  }
  if ((closeId != 0 && id == closeId) || id == IDCANCEL || otherCommandsClose) {
    Close(dialog, run);
    return true;
  }
  return false;
}

}  // namespace korvex7::win::form_engine
