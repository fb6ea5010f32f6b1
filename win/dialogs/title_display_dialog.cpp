#include "win/dialogs/title_display_dialog.h"

#include <array>

#include "core/commands/title_commands.h"
#include "core/ui/value_list_items.h"
#include "win/dialogs/form_dialog.h"
#include "win/resources/resource.h"

namespace korvex7::win {

namespace {

const std::array<BoundListRow, 2> kLists = {{
    {.listId = IDC_TITLE_DISPLAY_SINGLE,
     .setId = IDC_TITLE_DISPLAY_SINGLE_SET,
     .items = kOffOnItems,
     .field = [](SettingsModel& m) -> std::int32_t& { return m.titleDisplay.single; },
     .send = SendTitleDisplaySingle},
    {.listId = IDC_TITLE_DISPLAY_SPLIT,
     .setId = IDC_TITLE_DISPLAY_SPLIT_SET,
     .items = kOffOnItems,
     .field = [](SettingsModel& m) -> std::int32_t& { return m.titleDisplay.split; },
     .send = SendTitleDisplaySplit},
}};

const FormDialog<> kTitleDisplayDialog = {
    .resource = IDD_TITLE_DISPLAY,
    .caption = L"タイトル表示の設定  ",
    .lists = kLists,
    .slaveListId = IDC_TITLE_DISPLAY_SLAVE,
    .closeId = IDC_TITLE_DISPLAY_CLOSE,
};

}  // namespace

void RunTitleDisplayDialog(const DialogContext& context) {
  RunFormDialog(context, kTitleDisplayDialog);
}

}  // namespace korvex7::win
