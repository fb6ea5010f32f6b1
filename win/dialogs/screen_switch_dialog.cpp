#include "win/dialogs/screen_switch_dialog.h"

#include <array>

#include "core/commands/screen_split_commands.h"
#include "core/ui/value_list_items.h"
#include "win/dialogs/dialog_common.h"
#include "win/resources/resource.h"

namespace korvex7::win {

namespace {

constexpr wchar_t kCaption[] = L"画面切換え  ";

// The picture is not part of the settings file: choosing one leaves the
// document unchanged.
const std::array<BoundListRow, 1> kLists = {{
    {IDC_SCREEN_SWITCH_PICTURE, IDC_SCREEN_SWITCH_SET, kPictureItems,
     [](SettingsModel& m) -> std::int32_t& { return m.screenSwitch.picture; }, SendScreenSwitch,
     false},
}};

INT_PTR CALLBACK ScreenSwitchProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SetSettingsCaption(dialog, kCaption);
      InitBoundLists(dialog, kLists);
      InitSlaveAddressList(dialog, IDC_SCREEN_SWITCH_SLAVE);
      return TRUE;
    case WM_COMMAND:
      if (HandleBoundListCommand(dialog, wParam, kLists)) return TRUE;
      return HandleCommonCommand(dialog, wParam, IDC_SCREEN_SWITCH_SLAVE, IDC_SCREEN_SWITCH_CLOSE)
                 ? TRUE
                 : FALSE;
    case WM_CLOSE:
      CloseSettingsDialog(dialog);
      return TRUE;
    default:
      break;
  }
  return FALSE;
}

}  // namespace

void RunScreenSwitchDialog(const DialogContext& context) {
  RunSettingsDialog(context, IDD_SCREEN_SWITCH, ScreenSwitchProc);
}

}  // namespace korvex7::win
