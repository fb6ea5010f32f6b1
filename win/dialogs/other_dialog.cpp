#include "win/dialogs/other_dialog.h"

#include <array>

#include "core/commands/other_commands.h"
#include "core/ui/other_dialog_logic.h"
#include "win/dialogs/dialog_common.h"
#include "win/resources/resource.h"

namespace korvex7::win {

namespace {

constexpr wchar_t kCaption[] = L"その他の設定  ";

const std::array<BoundListRow, 4> kLists = {{
    {IDC_OTHER_CONNECTOR, IDC_OTHER_CONNECTOR_SET, kConnectorInputItems,
     [](SettingsModel& m) -> std::int32_t& { return m.other.connectorInput; }, SendConnectorInput},
    {IDC_OTHER_BORDER, IDC_OTHER_BORDER_SET, kBorderLineItems,
     [](SettingsModel& m) -> std::int32_t& { return m.other.borderLine; }, SendBorderLine},
    {IDC_OTHER_ASPECT, IDC_OTHER_ASPECT_SET, kNtscAspectItems,
     [](SettingsModel& m) -> std::int32_t& { return m.other.ntscAspect; }, SendNtscAspect},
    {IDC_OTHER_POWER_ON, IDC_OTHER_POWER_ON_SET, kPowerOnScreenItems,
     [](SettingsModel& m) -> std::int32_t& { return m.other.powerOnScreen; }, SendPowerOnScreen},
}};

INT_PTR CALLBACK OtherProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SetSettingsCaption(dialog, kCaption);
      InitBoundLists(dialog, kLists);
      InitSlaveAddressList(dialog, IDC_OTHER_SLAVE);
      return TRUE;
    case WM_COMMAND:
      if (HandleBoundListCommand(dialog, wParam, kLists)) return TRUE;
      return HandleCommonCommand(dialog, wParam, IDC_OTHER_SLAVE, IDC_OTHER_CLOSE) ? TRUE : FALSE;
    case WM_CLOSE:
      CloseSettingsDialog(dialog);
      return TRUE;
    default:
      break;
  }
  return FALSE;
}

}  // namespace

void RunOtherDialog(const DialogContext& context) {
  RunSettingsDialog(context, IDD_OTHER, OtherProc);
}

}  // namespace korvex7::win
