#include "win/dialogs/title_display_dialog.h"

#include "core/commands/title_commands.h"
#include "core/ui/value_list_items.h"
#include "win/dialogs/list_pair_dialog.h"
#include "win/resources/resource.h"

namespace korvex7::win {

namespace {

const ListPairDialog kTitleDisplayDialog = {
    IDD_TITLE_DISPLAY,
    L"タイトル表示の設定  ",
    {{
        {IDC_TITLE_DISPLAY_SINGLE, IDC_TITLE_DISPLAY_SINGLE_SET, kOffOnItems,
         [](SettingsModel& m) -> std::int32_t& { return m.titleDisplay.single; },
         SendTitleDisplaySingle},
        {IDC_TITLE_DISPLAY_SPLIT, IDC_TITLE_DISPLAY_SPLIT_SET, kOffOnItems,
         [](SettingsModel& m) -> std::int32_t& { return m.titleDisplay.split; },
         SendTitleDisplaySplit},
    }},
    IDC_TITLE_DISPLAY_SLAVE,
    IDC_TITLE_DISPLAY_CLOSE,
};

}  // namespace

void RunTitleDisplayDialog(const DialogContext& context) {
  RunListPairDialog(context, kTitleDisplayDialog);
}

}  // namespace korvex7::win
