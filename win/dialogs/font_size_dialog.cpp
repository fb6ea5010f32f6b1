#include "win/dialogs/font_size_dialog.h"

#include <array>
#include <string_view>

#include "core/commands/title_commands.h"
#include "win/dialogs/form_dialog.h"
#include "win/resources/resource.h"

namespace korvex7::win {

namespace {

constexpr std::array<std::string_view, 2> kFontSizeItems = {"SMALL", "LARGE"};

const std::array<BoundListRow, 2> kLists = {{
    {IDC_FONT_SIZE_SINGLE, IDC_FONT_SIZE_SINGLE_SET, kFontSizeItems,
     [](SettingsModel& m) -> std::int32_t& { return m.fontSize.single; }, SendFontSizeSingle},
    {IDC_FONT_SIZE_SPLIT, IDC_FONT_SIZE_SPLIT_SET, kFontSizeItems,
     [](SettingsModel& m) -> std::int32_t& { return m.fontSize.split; }, SendFontSizeSplit},
}};

const FormDialog kFontSizeDialog = {IDD_FONT_SIZE, L"フォントサイズの設定  ", kLists,
                                    IDC_FONT_SIZE_SLAVE, IDC_FONT_SIZE_CLOSE};

}  // namespace

void RunFontSizeDialog(const DialogContext& context) { RunFormDialog(context, kFontSizeDialog); }

}  // namespace korvex7::win
