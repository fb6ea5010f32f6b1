#include "win/dialogs/title_position_dialog.h"

#include <array>
#include <string_view>

#include "core/commands/title_commands.h"
#include "core/model/value_domains.h"
#include "win/dialogs/form_dialog.h"
#include "win/resources/resource.h"

namespace korvex7::win {

namespace {

// The offsets 0..15, two digits each.
constexpr std::array<std::string_view, 16> kOffsetItems = {
    "00", "01", "02", "03", "04", "05", "06", "07", "08", "09", "10", "11", "12", "13", "14", "15"};
static_assert(kOffsetItems.size() == kTitleOffsetRange.Count());

const std::array<BoundListRow, 2> kLists = {{
    {.listId = IDC_TITLE_POSITION_VERTICAL,
     .setId = IDC_TITLE_POSITION_VERTICAL_SET,
     .items = kOffsetItems,
     .field = [](SettingsModel& m) -> std::int32_t& { return m.titlePosition.vertical; },
     .send = SendTitleOffsetVertical},
    {.listId = IDC_TITLE_POSITION_HORIZONTAL,
     .setId = IDC_TITLE_POSITION_HORIZONTAL_SET,
     .items = kOffsetItems,
     .field = [](SettingsModel& m) -> std::int32_t& { return m.titlePosition.horizontal; },
     .send = SendTitleOffsetHorizontal},
}};

const FormDialog<> kTitlePositionDialog = {
    .resource = IDD_TITLE_POSITION,
    .caption = L"タイトル位置微調整  ",
    .lists = kLists,
    .slaveListId = IDC_TITLE_POSITION_SLAVE,
    .closeId = IDC_TITLE_POSITION_CLOSE,
};

}  // namespace

void RunTitlePositionDialog(const DialogContext& context) {
  RunFormDialog(context, kTitlePositionDialog);
}

}  // namespace korvex7::win
