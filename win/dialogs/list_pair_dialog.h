// The shape the title display, font size and title position dialogs share:
// two value lists, each with its own "設定" (Set) button and encoder, the
// slave-address list and "Close". Each of those dialogs describes itself in a
// ListPairDialog table (its rows are the shared BoundListRow) and opens with
// RunListPairDialog.
#pragma once

#include <windows.h>

#include <array>
#include <string_view>

#include "win/dialogs/dialog_common.h"

namespace korvex7::win {

struct ListPairDialog {
  int resource;
  std::wstring_view caption;         // ends in its blanks; the file name follows
  std::array<BoundListRow, 2> rows;  // each list with its "設定" and encoder
  int slaveListId;
  int closeId;
};

void RunListPairDialog(const DialogContext& context, const ListPairDialog& dialog);

}  // namespace korvex7::win
