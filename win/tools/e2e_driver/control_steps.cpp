// The steps on one control of the current window: lists, buttons, texts and
// their state.
#include <windows.h>

#include <string>

#include "win/tools/e2e_driver/driver.h"
#include "win/tools/e2e_driver/step_handlers.h"
#include "win/tools/e2e_driver/text_io.h"
#include "win/tools/e2e_driver/window_search.h"

namespace korvex7::e2e {

namespace {

// The name box of the common file dialogs: cmb13 (a combo box with an edit)
// in the Explorer style, edt1 in the old one.
constexpr int kFileNameCombo = 0x47C;
constexpr int kFileNameEdit = 0x480;
// How long a clicked message box may take to go away.
constexpr DWORD kBoxCloseMs = 5000;

std::wstring ControlName(int id) { return L"control " + std::to_wstring(id); }

// A message answered by the control; its result as a signed value (CB_ERR
// is -1), or `otherwise` when the control did not answer.
LRESULT Ask(HWND control, UINT message, LRESULT otherwise) {
  DWORD_PTR r = 0;
  if (!SendWithTimeout(control, message, 0, 0, r)) return otherwise;
  return static_cast<LRESULT>(r);
}

// Selects item INDEX of list ID without a notification; returns the list.
HWND SetListSelection(Driver& d, int id, int index) {
  HWND list = d.Control(id);
  DWORD_PTR r = 0;
  // CB_SETCURSEL answers CB_ERR for -1 and for an index past the end alike;
  // what the dialog makes of the notification is what the steps check.
  SendWithTimeout(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0, r);
  return list;
}

void ExpectFlag(Driver& d, bool got, const std::wstring& ifTrue, const std::wstring& ifFalse,
                const std::wstring& name) {
  const bool want = d.TakeInt() != 0;
  if (got != want) Fail(name + (got ? ifTrue : ifFalse));
}

// text ID TEXT, and wait-text ID TEXT MS with its time.
void ExpectTextWithin(Driver& d, bool waits) {
  const int id = d.TakeInt();
  const std::wstring want = d.TakeText();
  const DWORD ms = waits ? d.TakeMs() : 0;
  HWND control = d.Control(id);
  std::wstring got;
  if (!WaitFor(ms, [&] { return (got = WindowText(control)) == want; })) {
    Fail(ControlName(id) + L" shows \"" + Escape(got) + L"\", expected \"" + Escape(want) + L"\"");
  }
}

}  // namespace

// The change is posted, as the list posts it: the step does not wait for it.
void PostSelect(Driver& d) {
  const int id = d.TakeInt();
  const int index = d.TakeInt();
  HWND list = SetListSelection(d, id, index);
  if (!PostMessageW(d.Current(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                    reinterpret_cast<LPARAM>(list))) {
    Fail(L"cannot post the change of list " + std::to_wstring(id));
  }
}

// The change is sent: the step ends once the dialog has handled it.
void SendSelect(Driver& d) {
  const int id = d.TakeInt();
  const int index = d.TakeInt();
  HWND list = SetListSelection(d, id, index);
  DWORD_PTR r = 0;
  if (!SendWithTimeout(d.Current(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(list), r)) {
    Fail(L"the dialog did not handle the change of list " + std::to_wstring(id));
  }
}

void ExpectSelection(Driver& d) {
  const int id = d.TakeInt();
  const int want = d.TakeInt();
  const auto got = static_cast<int>(Ask(d.Control(id), CB_GETCURSEL, 0));
  if (got != want) {
    Fail(L"list " + std::to_wstring(id) + L" selects " + std::to_wstring(got) + L", expected " +
         std::to_wstring(want));
  }
}

// A message box ends with any of its buttons: the step waits until it has
// gone, so that the next step does not see it again.
void ClickButton(Driver& d) {
  const int id = d.TakeInt();
  HWND target = d.Current();
  const bool box = IsMessageBox(target);
  if (!PostMessageW(d.Control(id), BM_CLICK, 0, 0)) Fail(L"cannot click");
  if (!box) return;
  if (!WaitFor(kBoxCloseMs, [&] { return !IsWindow(target) || !IsWindowVisible(target); })) {
    Fail(L"the message box did not close");
  }
  d.SetCurrent(nullptr);
}

void SetControlText(Driver& d) {
  const int id = d.TakeInt();
  const std::wstring text = d.TakeText();
  DWORD_PTR r = 0;
  if (!SendWithTimeout(d.Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), r)) {
    Fail(ControlName(id) + L" did not take the text");
  }
}

void SetFileName(Driver& d) {
  const std::wstring text = d.TakeText();
  HWND box = GetDlgItem(d.Current(), kFileNameCombo);
  if (box == nullptr) box = GetDlgItem(d.Current(), kFileNameEdit);
  if (box == nullptr) Fail(L"no file-name box");
  DWORD_PTR r = 0;
  if (!SendWithTimeout(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), r)) {
    Fail(L"the file-name box did not take the name");
  }
}

void ExpectText(Driver& d) { ExpectTextWithin(d, false); }

void WaitForText(Driver& d) { ExpectTextWithin(d, true); }

void PrintText(Driver& d) { Write(STD_OUTPUT_HANDLE, WindowText(d.Control(d.TakeInt())) + L"\n"); }

void ExpectEnabled(Driver& d) {
  const int id = d.TakeInt();
  ExpectFlag(d, IsWindowEnabled(d.Control(id)) != FALSE, L" is enabled", L" is disabled",
             ControlName(id));
}

void ExpectChecked(Driver& d) {
  const int id = d.TakeInt();
  const bool checked = Ask(d.Control(id), BM_GETCHECK, BST_UNCHECKED) == BST_CHECKED;
  ExpectFlag(d, checked, L" is checked", L" is not checked", L"button " + std::to_wstring(id));
}

void ExpectItems(Driver& d) {
  const int id = d.TakeInt();
  const int want = d.TakeInt();
  const auto got = static_cast<int>(Ask(d.Control(id), CB_GETCOUNT, 0));
  if (got != want) {
    Fail(L"list " + std::to_wstring(id) + L" holds " + std::to_wstring(got) + L" items, expected " +
         std::to_wstring(want));
  }
}

// Each item of a drop-down list, in order, one per line.
void PrintItems(Driver& d) {
  HWND list = d.Control(d.TakeInt());
  const auto count = static_cast<int>(Ask(list, CB_GETCOUNT, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t buffer[512] = {};
    DWORD_PTR chars = 0;
    DWORD_PTR length = 0;
    if (!SendWithTimeout(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0, chars) ||
        chars >= std::size(buffer) ||
        !SendWithTimeout(list, CB_GETLBTEXT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(buffer), length)) {
      Fail(L"cannot read item " + std::to_wstring(i) + L" of the list");
    }
    Write(STD_OUTPUT_HANDLE, std::wstring(buffer, static_cast<std::size_t>(length)) + L"\n");
  }
}

void ExpectVisible(Driver& d) {
  const int id = d.TakeInt();
  ExpectFlag(d, IsWindowVisible(d.Control(id)) != FALSE, L" is shown", L" is hidden",
             ControlName(id));
}

// Watches the control for MS and prints each text it showed, in order; a
// text is printed again only after another one.
void PrintTextsSeen(Driver& d) {
  const int id = d.TakeInt();
  const DWORD ms = d.TakeMs();
  HWND control = d.Control(id);
  std::wstring last;
  bool first = true;
  const ULONGLONG end = GetTickCount64() + ms;
  while (GetTickCount64() < end && IsWindow(control)) {
    const std::wstring now = WindowText(control);
    if (first || now != last) Write(STD_OUTPUT_HANDLE, Escape(now) + L"\n");
    last = now;
    first = false;
    Sleep(2);
  }
}

}  // namespace korvex7::e2e
