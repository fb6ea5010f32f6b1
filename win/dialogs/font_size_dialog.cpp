#include "win/dialogs/font_size_dialog.h"

#include <array>
#include "core/commands/title_commands.h"
#include "core/ui/value_list_items.h"
#include "win/dialogs/form_dialog.h"
#include "win/resources/resource.h"

namespace korvex7::win {

namespace {

const std::array<BoundListRow, 2> kLists = {{
    {.listId = IDC_FONT_SIZE_SINGLE,
     .setId = IDC_FONT_SIZE_SINGLE_SET,
     .items = kFontSizeItems,
     .field = [](SettingsModel& m) -> std::int32_t& { return m.fontSize.single; },
     .send = SendFontSizeSingle},
    {.listId = IDC_FONT_SIZE_SPLIT,
     .setId = IDC_FONT_SIZE_SPLIT_SET,
     .items = kFontSizeItems,
     .field = [](SettingsModel& m) -> std::int32_t& { return m.fontSize.split; },
     .send = SendFontSizeSplit},
}};

const FormDialog<> kFontSizeDialog = {
    .resource = IDD_FONT_SIZE,
    .caption = L"フォントサイズの設定  ",
    .lists = kLists,
    .slaveListId = IDC_FONT_SIZE_SLAVE,
    .closeId = IDC_FONT_SIZE_CLOSE,
};

}  // namespace

void RunFontSizeDialog(const DialogContext& context) { RunFormDialog(context, kFontSizeDialog); }

}  // namespace korvex7::win
