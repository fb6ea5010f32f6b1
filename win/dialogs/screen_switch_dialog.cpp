#include "win/dialogs/screen_switch_dialog.h"

#include <array>

#include "core/commands/screen_split_commands.h"
#include "core/ui/value_list_items.h"
#include "win/dialogs/form_dialog.h"
#include "win/resources/resource.h"

namespace korvex7::win {

namespace {

constexpr wchar_t kCaption[] = L"画面切換え  ";

// The picture is not part of the settings file: choosing one leaves the
// document unchanged.
const std::array<BoundListRow, 1> kLists = {{
    {.listId = IDC_SCREEN_SWITCH_PICTURE,
     .setId = IDC_SCREEN_SWITCH_SET,
     .items = kPictureItems,
     .field = [](SettingsModel& m) -> std::int32_t& { return m.screenSwitch.picture; },
     .send = SendScreenSwitch,
     .marksModified = false},
}};

const FormDialog<> kForm = {
    .resource = IDD_SCREEN_SWITCH,
    .caption = kCaption,
    .lists = kLists,
    .slaveListId = IDC_SCREEN_SWITCH_SLAVE,
    .closeId = IDC_SCREEN_SWITCH_CLOSE,
};

}  // namespace

void RunScreenSwitchDialog(const DialogContext& context) { RunFormDialog(context, kForm); }

}  // namespace korvex7::win
