// The steps that play the rest of the system around the program: the end of
// the Windows session (WM_QUERYENDSESSION and WM_ENDSESSION as Windows sends
// them to every top-level window), another program that holds a file open,
// and the operator dragging the main window to a monitor of another scale.
#include <windows.h>

#include <map>
#include <string>

#include "win/tools/e2e_driver/driver.h"
#include "win/tools/e2e_driver/remote_controls.h"
#include "win/tools/e2e_driver/step_handlers.h"
#include "win/tools/e2e_driver/text_io.h"
#include "win/tools/e2e_driver/window_search.h"

namespace korvex7::e2e {

namespace {

// The files held by hold-file, by path; they stay open across requests
// until release-file (or the driver's end).
std::map<std::wstring, HANDLE>& HeldFiles() {
  static std::map<std::wstring, HANDLE> held;
  return held;
}

// "none", "r", "rw", "rwd": the sharing another program allows.
DWORD ShareMode(const std::wstring& text) {
  if (text == L"none") return 0;
  if (text == L"r") return FILE_SHARE_READ;
  if (text == L"rw") return FILE_SHARE_READ | FILE_SHARE_WRITE;
  if (text == L"rwd") return FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  Fail(L"unknown sharing \"" + text + L"\" (none, r, rw or rwd)");
}

}  // namespace

void SendQueryEndSession(Driver& d) {
  const int expected = d.TakeInt();
  DWORD_PTR answer = 0;
  if (!SendWithTimeout(d.Main(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, answer)) {
    Fail(L"the main window did not answer WM_QUERYENDSESSION");
  }
  if (static_cast<int>(answer) != expected) {
    Fail(L"the main window answered " + std::to_wstring(answer) + L" to WM_QUERYENDSESSION, not " +
         std::to_wstring(expected));
  }
}

void SendEndSession(Driver& d) {
  const int ending = d.TakeInt();
  DWORD_PTR result = 0;
  if (!SendWithTimeout(d.Main(), WM_ENDSESSION, ending != 0 ? TRUE : FALSE, ENDSESSION_LOGOFF,
                       result)) {
    Fail(L"the main window did not handle WM_ENDSESSION");
  }
}

void HoldFile(Driver& d) {
  const std::wstring path = d.Take();
  const DWORD share = ShareMode(d.Take());
  if (HeldFiles().count(path) != 0) Fail(L"already held: " + path);
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    Fail(L"cannot open " + path + L" (error " + std::to_wstring(GetLastError()) + L")");
  }
  HeldFiles()[path] = file;
}

void ReleaseFile(Driver& d) {
  const std::wstring path = d.Take();
  const auto found = HeldFiles().find(path);
  if (found == HeldFiles().end()) Fail(L"not held: " + path);
  CloseHandle(found->second);
  HeldFiles().erase(found);
}

void SendEnterSizeMove(Driver& d) {
  DWORD_PTR result = 0;
  if (!SendWithTimeout(d.Current(), WM_ENTERSIZEMOVE, 0, 0, result)) {
    Fail(L"the window did not handle WM_ENTERSIZEMOVE");
  }
}

void SendExitSizeMove(Driver& d) {
  DWORD_PTR result = 0;
  if (!SendWithTimeout(d.Current(), WM_EXITSIZEMOVE, 0, 0, result)) {
    Fail(L"the window did not handle WM_EXITSIZEMOVE");
  }
}

void MovePointer(Driver& d) {
  const int x = d.TakeInt();
  const int y = d.TakeInt();
  if (!SetCursorPos(x, y)) Fail(L"the pointer could not be moved");
}

void SendDpiChangedTo(Driver& d) {
  const int dpi = d.TakeInt();
  RECT proposed{};
  proposed.left = d.TakeInt();
  proposed.top = d.TakeInt();
  proposed.right = proposed.left + d.TakeInt();
  proposed.bottom = proposed.top + d.TakeInt();
  const WPARAM both = MAKEWPARAM(static_cast<WORD>(dpi), static_cast<WORD>(dpi));
  if (!RemoteSendRect(d.Current(), WM_DPICHANGED, both, proposed)) {
    Fail(L"the window did not handle WM_DPICHANGED");
  }
}

}  // namespace korvex7::e2e
