#include "win/dialogs/title_display_dialog.h"

#include <array>

#include "core/commands/title_commands.h"
#include "core/ui/value_list_items.h"
#include "win/dialogs/form_dialog.h"
#include "win/resources/resource.h"

namespace korvex7::win {

namespace {

const std::array<BoundListRow, 2> kLists = {{
    {IDC_TITLE_DISPLAY_SINGLE, IDC_TITLE_DISPLAY_SINGLE_SET, kOffOnItems,
     [](SettingsModel& m) -> std::int32_t& { return m.titleDisplay.single; },
     SendTitleDisplaySingle},
    {IDC_TITLE_DISPLAY_SPLIT, IDC_TITLE_DISPLAY_SPLIT_SET, kOffOnItems,
     [](SettingsModel& m) -> std::int32_t& { return m.titleDisplay.split; }, SendTitleDisplaySplit},
}};

const FormDialog kTitleDisplayDialog = {IDD_TITLE_DISPLAY, L"タイトル表示の設定  ", kLists,
                                        IDC_TITLE_DISPLAY_SLAVE, IDC_TITLE_DISPLAY_CLOSE};

}  // namespace

void RunTitleDisplayDialog(const DialogContext& context) {
  RunFormDialog(context, kTitleDisplayDialog);
}

}  // namespace korvex7::win
