#include "win/dialogs/other_dialog.h"

#include <array>

#include "core/commands/other_commands.h"
#include "core/ui/other_dialog_logic.h"
#include "win/dialogs/form_dialog.h"
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

const FormDialog kForm = {IDD_OTHER, kCaption, kLists, IDC_OTHER_SLAVE, IDC_OTHER_CLOSE};

}  // namespace

void RunOtherDialog(const DialogContext& context) { RunFormDialog(context, kForm); }

}  // namespace korvex7::win
