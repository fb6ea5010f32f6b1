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
    {IDC_SCREEN_SWITCH_PICTURE, IDC_SCREEN_SWITCH_SET, kPictureItems,
     [](SettingsModel& m) -> std::int32_t& { return m.screenSwitch.picture; }, SendScreenSwitch,
     false},
}};

const FormDialog kForm = {IDD_SCREEN_SWITCH, kCaption, kLists, IDC_SCREEN_SWITCH_SLAVE,
                          IDC_SCREEN_SWITCH_CLOSE};

}  // namespace

void RunScreenSwitchDialog(const DialogContext& context) { RunFormDialog(context, kForm); }

}  // namespace korvex7::win
