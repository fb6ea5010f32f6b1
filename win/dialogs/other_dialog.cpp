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
    {.listId = IDC_OTHER_CONNECTOR,
     .setId = IDC_OTHER_CONNECTOR_SET,
     .items = kConnectorInputItems,
     .field = [](SettingsModel& m) -> std::int32_t& { return m.other.connectorInput; },
     .send = SendConnectorInput},
    {.listId = IDC_OTHER_BORDER,
     .setId = IDC_OTHER_BORDER_SET,
     .items = kBorderLineItems,
     .field = [](SettingsModel& m) -> std::int32_t& { return m.other.borderLine; },
     .send = SendBorderLine},
    {.listId = IDC_OTHER_ASPECT,
     .setId = IDC_OTHER_ASPECT_SET,
     .items = kNtscAspectItems,
     .field = [](SettingsModel& m) -> std::int32_t& { return m.other.ntscAspect; },
     .send = SendNtscAspect},
    {.listId = IDC_OTHER_POWER_ON,
     .setId = IDC_OTHER_POWER_ON_SET,
     .items = kPowerOnScreenItems,
     .field = [](SettingsModel& m) -> std::int32_t& { return m.other.powerOnScreen; },
     .send = SendPowerOnScreen},
}};

const FormDialog<> kForm = {
    .resource = IDD_OTHER,
    .caption = kCaption,
    .lists = kLists,
    .slaveListId = IDC_OTHER_SLAVE,
    .closeId = IDC_OTHER_CLOSE,
};

}  // namespace

void RunOtherDialog(const DialogContext& context) { RunFormDialog(context, kForm); }

}  // namespace korvex7::win
