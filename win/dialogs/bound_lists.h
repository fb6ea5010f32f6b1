// Value lists bound to the model and the "設定" (Set) buttons that send them.
//
// A value list stores its selection index unchanged: the field's value is
// the position of the item in the list, so a value outside the list selects
// nothing. Most lists of the settings dialogs are one field each with its own
// "設定" and encoder: such a dialog describes them as BoundListRow rows, which
// the dialog engine (form_dialog.h) fills at opening and handles after.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string_view>
#include <utility>

#include "core/link/session.h"
#include "core/ui/common_dialog_rules.h"
#include "win/dialogs/dialog_common.h"

namespace korvex7::win {

// Fills a value list with its items (UTF-8) in their fixed order, then
// selects `value`; a value outside the list leaves it without a selection.
void FillValueList(HWND dialog, int listId, std::span<const std::string_view> items);
void SelectListValue(HWND dialog, int listId, std::int32_t value);
void InitValueList(HWND dialog, int listId, std::span<const std::string_view> items,
                   std::int32_t value);
// The current selection of a list, -1 when none.
int ListSelection(HWND dialog, int listId);

// WM_COMMAND of a list bound to `field`: on CBN_SELCHANGE stores the index
// and marks the document modified. True when the command came from listId
// (whatever its notification), so the caller stops looking.
bool HandleValueListCommand(HWND dialog, WPARAM wParam, int listId, std::int32_t& field);

// A "設定" button: ignored while a command awaits its answer; otherwise
// replyWait.transferMode 0 and the encoder. True when the encoder ran.
template <typename Encoder>
bool PressSetButton(HWND dialog, Encoder&& encoder) {
  return korvex7::PressSetButton(DialogSessionOf(dialog), std::forward<Encoder>(encoder));
}

// One value list of a dialog: its items (position = stored value), the field
// it edits, and the "設定" button with the encoder that sends the field.
struct BoundListRow {
  int listId = 0;
  int setId = 0;  // 0: the list has no button of its own
  std::span<const std::string_view> items{};
  std::int32_t& (*field)(SettingsModel& model) = nullptr;
  bool (*send)(Session& session) = nullptr;  // null: nothing to send
  bool marksModified = true;                 // false for a choice that is not saved
};

// Fills every list and selects its field's value.
void InitBoundLists(HWND dialog, std::span<const BoundListRow> rows);

// WM_COMMAND for the rows: a list's changed selection stores it (and marks
// the document modified), a row's "設定" runs its encoder by the Set-button
// rule. True when the command belonged to one of the rows.
bool HandleBoundListCommand(HWND dialog, WPARAM wParam, std::span<const BoundListRow> rows);

}  // namespace korvex7::win
