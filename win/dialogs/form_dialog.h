// The shape most settings dialogs share: a caption, value lists bound to the
// model (each with its own "設定" button and encoder), the slave-address list
// and "Close". Such a dialog describes itself in a FormDialog table and opens
// with RunFormDialog; controls of its own (radio buttons, an edit box, lists
// that are not one field each) come in through the two hooks.
#pragma once

#include <windows.h>

#include <span>
#include <string_view>

#include "win/dialogs/dialog_common.h"

namespace korvex7::win {

struct FormDialog {
  int resource;
  std::wstring_view caption;            // ends in its blanks; the file name follows
  std::span<const BoundListRow> lists;  // each list with its "設定" and encoder
  int slaveListId;
  int closeId;
  // WM_INITDIALOG, after the caption, the lists and the slave-address list:
  // fills the dialog's own controls. Edit-box changes it causes do not count
  // as edits.
  void (*initOwn)(HWND dialog) = nullptr;
  // WM_COMMAND, before the lists: true when the command was for one of the
  // dialog's own controls.
  bool (*commandOwn)(HWND dialog, WPARAM wParam) = nullptr;
};

void RunFormDialog(const DialogContext& context, const FormDialog& form);

}  // namespace korvex7::win
