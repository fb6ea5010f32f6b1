// Finding and reading the program's windows from the driver's process: the
// visible dialogs and message boxes of a process, a window's text, class and
// process, messages sent with a time limit, and waiting for a condition.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace korvex7::e2e {

inline constexpr wchar_t kMainClass[] = L"KORVEX7";
inline constexpr wchar_t kDialogClass[] = L"#32770";
// The static control that holds a message box's text.
inline constexpr int kMessageBoxTextId = 0xFFFF;
inline constexpr DWORD kPollMs = 20;
inline constexpr UINT kSendTimeoutMs = 2000;

// SendMessageTimeoutW that gives up on a hung window after kSendTimeoutMs;
// false when the message was not handled.
bool SendWithTimeout(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result);

// WM_GETTEXT, which is carried across processes; "" from a hung window.
std::wstring WindowText(HWND hwnd);

std::wstring ClassOf(HWND hwnd);
DWORD ProcessOf(HWND hwnd);
bool IsMessageBox(HWND hwnd);

// The visible top-level dialogs of process pid (0: of any process): message
// boxes only, or dialogs other than message boxes whose caption starts with
// captionPrefix. In the order EnumWindows lists them.
struct DialogQuery {
  DWORD pid = 0;
  std::wstring captionPrefix;
  bool messageBoxOnly = false;
};
std::vector<HWND> FindDialogs(const DialogQuery& query);

// The last match of FindDialogs, or null.
HWND FindDialog(const DialogQuery& query);

// Calls ready() every kPollMs until it returns true (then true) or ms have
// passed (then false); ready() runs at least once.
template <typename F>
bool WaitFor(DWORD ms, F&& ready) {
  const ULONGLONG end = GetTickCount64() + ms;
  for (;;) {
    if (ready()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(kPollMs);
  }
}

}  // namespace korvex7::e2e
