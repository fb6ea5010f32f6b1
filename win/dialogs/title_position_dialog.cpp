#include "win/dialogs/title_position_dialog.h"

#include <array>
#include <string_view>

#include "core/commands/title_commands.h"
#include "win/dialogs/form_dialog.h"
#include "win/resources/resource.h"

namespace korvex7::win {

namespace {

constexpr std::array<std::string_view, 16> kOffsetItems = {
    "00", "01", "02", "03", "04", "05", "06", "07", "08", "09", "10", "11", "12", "13", "14", "15"};

const std::array<BoundListRow, 2> kLists = {{
    {IDC_TITLE_POSITION_VERTICAL, IDC_TITLE_POSITION_VERTICAL_SET, kOffsetItems,
     [](SettingsModel& m) -> std::int32_t& { return m.titlePosition.vertical; },
     SendTitleOffsetVertical},
    {IDC_TITLE_POSITION_HORIZONTAL, IDC_TITLE_POSITION_HORIZONTAL_SET, kOffsetItems,
     [](SettingsModel& m) -> std::int32_t& { return m.titlePosition.horizontal; },
     SendTitleOffsetHorizontal},
}};

const FormDialog kTitlePositionDialog = {IDD_TITLE_POSITION, L"タイトル位置微調整  ", kLists,
                                         IDC_TITLE_POSITION_SLAVE, IDC_TITLE_POSITION_CLOSE};

}  // namespace

void RunTitlePositionDialog(const DialogContext& context) {
  RunFormDialog(context, kTitlePositionDialog);
}

}  // namespace korvex7::win
