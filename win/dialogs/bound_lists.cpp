#include "win/dialogs/bound_lists.h"

#include <string>

#include "win/support/text.h"

namespace korvex7::win {

namespace {

int ListCount(HWND list) {
  const LRESULT n = SendMessageW(list, CB_GETCOUNT, 0, 0);
  return n == CB_ERR ? 0 : static_cast<int>(n);
}

}  // namespace

void FillValueList(HWND dialog, int listId, std::span<const std::string_view> items) {
  HWND list = GetDlgItem(dialog, listId);
  if (list == nullptr) return;
  for (std::string_view item : items) {
    const std::wstring text = Utf8ToWide(item);
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

void SelectListValue(HWND dialog, int listId, std::int32_t value) {
  HWND list = GetDlgItem(dialog, listId);
  if (list == nullptr) return;
  // CB_SETCURSEL with -1 clears the selection.
  const int position = ListSelectionFor(value, ListCount(list));
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

void InitValueList(HWND dialog, int listId, std::span<const std::string_view> items,
                   std::int32_t value) {
  FillValueList(dialog, listId, items);
  SelectListValue(dialog, listId, value);
}

int ListSelection(HWND dialog, int listId) {
  const LRESULT r = SendDlgItemMessageW(dialog, listId, CB_GETCURSEL, 0, 0);
  return r == CB_ERR ? -1 : static_cast<int>(r);
}

bool HandleValueListCommand(HWND dialog, WPARAM wParam, int listId, std::int32_t& field) {
  if (LOWORD(wParam) != listId) return false;
  if (HIWORD(wParam) == CBN_SELCHANGE) {
    const int selected = ListSelection(dialog, listId);
    if (selected >= 0) {
      field = selected;
      MarkModified(dialog);
    }
  }
  return true;
}

void InitBoundLists(HWND dialog, std::span<const BoundListRow> rows) {
  SettingsModel& model = DialogSessionOf(dialog).model;
  for (const BoundListRow& row : rows) {
    InitValueList(dialog, row.listId, row.items, row.field(model));
  }
}

bool HandleBoundListCommand(HWND dialog, WPARAM wParam, std::span<const BoundListRow> rows) {
  const int id = LOWORD(wParam);
  for (const BoundListRow& row : rows) {
    if (id == row.listId) {
      if (HIWORD(wParam) == CBN_SELCHANGE) {
        const int selected = ListSelection(dialog, row.listId);
        if (selected >= 0) {
          row.field(DialogSessionOf(dialog).model) = selected;
          if (row.marksModified) MarkModified(dialog);
        }
      }
      return true;
    }
    if (row.setId != 0 && id == row.setId) {
      if (HIWORD(wParam) == BN_CLICKED && row.send != nullptr) PressSetButton(dialog, row.send);
      return true;
    }
  }
  return false;
}

}  // namespace korvex7::win
