// The steps on where the program's windows are: inside the work area of
// their monitor, their controls inside their client area, the main window's
// toolbar and status bar apart and whole; and a change of the main window's
// monitor DPI as Windows reports it.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <algorithm>
#include <string>

#include "win/tools/e2e_driver/driver.h"
#include "win/tools/e2e_driver/remote_controls.h"
#include "win/tools/e2e_driver/step_handlers.h"
#include "win/tools/e2e_driver/text_io.h"
#include "win/tools/e2e_driver/window_search.h"

namespace korvex7::e2e {

namespace {

// The least width in pixels at 96 DPI that each status-bar part shows: room
// for "ﾚﾃﾞｨ", for the clock's "hh:mm:ss" and for the port ("COM1").
constexpr int kStatusPartMinimumAt96Dpi = 100;

std::wstring Describe(const RECT& r) {
  return L"(" + std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L")-(" +
         std::to_wstring(r.right) + L"," + std::to_wstring(r.bottom) + L")";
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

RECT WindowRectOf(HWND window) {
  RECT r{};
  if (!GetWindowRect(window, &r)) Fail(L"no window rectangle");
  return r;
}

// The client area in screen coordinates.
RECT ClientOnScreen(HWND window) {
  RECT r{};
  if (!GetClientRect(window, &r)) Fail(L"no client rectangle");
  POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
  if (MapWindowPoints(window, nullptr, corners, 2) == 0 && GetLastError() != 0) {
    Fail(L"cannot map the client rectangle");
  }
  return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

RECT WorkAreaOf(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
  if (monitor == nullptr || !GetMonitorInfoW(monitor, &info)) Fail(L"no monitor");
  return info.rcWork;
}

void ExpectInWorkArea(HWND window) {
  const RECT r = WindowRectOf(window);
  const RECT work = WorkAreaOf(window);
  if (!Inside(r, work)) {
    Fail(L"\"" + WindowText(window) + L"\" at " + Describe(r) + L" passes the work area " +
         Describe(work));
  }
}

// The DPI of the window's monitor (GetDpiForWindow where Windows has it).
int DpiOf(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  const FARPROC found = user32 != nullptr ? GetProcAddress(user32, "GetDpiForWindow") : nullptr;
  const auto getDpi = reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void (*)()>(found));
  const UINT dpi = getDpi != nullptr ? getDpi(window) : 0;
  return dpi != 0 ? static_cast<int>(dpi) : 96;
}

HWND Toolbar(HWND main) {
  HWND bar = FindWindowExW(main, nullptr, TOOLBARCLASSNAMEW, nullptr);
  if (bar == nullptr) Fail(L"no toolbar");
  return bar;
}

// The main window's toolbar row and status bar, in screen coordinates.
struct MainLayout {
  RECT window{};
  RECT client{};
  RECT toolbar{};
  RECT status{};
  RECT button{};  // the first button, in the toolbar's client coordinates
  int parts[3] = {};
};

MainLayout ReadMainLayout(Driver& d) {
  MainLayout l;
  HWND main = d.Main();
  l.window = WindowRectOf(main);
  l.client = ClientOnScreen(main);
  l.toolbar = WindowRectOf(Toolbar(main));
  l.status = WindowRectOf(d.StatusBar());
  if (!RemoteRectQuery(Toolbar(main), TB_GETITEMRECT, 0, l.button)) Fail(L"no first button");
  for (int part = 0; part < 3; ++part) {
    RECT r{};
    if (!RemoteRectQuery(d.StatusBar(), SB_GETRECT, static_cast<WPARAM>(part), r)) {
      Fail(L"no status-bar part " + std::to_wstring(part));
    }
    l.parts[part] = r.right;
  }
  return l;
}

}  // namespace

void ExpectFits(Driver& d) {
  HWND window = d.Current();
  ExpectInWorkArea(window);
  const RECT client = ClientOnScreen(window);
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    const RECT r = WindowRectOf(child);
    if (!Inside(r, client)) {
      Fail(L"control " + std::to_wstring(GetDlgCtrlID(child)) + L" \"" + WindowText(child) +
           L"\" at " + Describe(r) + L" passes the client area " + Describe(client) + L" of \"" +
           WindowText(window) + L"\"");
    }
  }
}

void ExpectMainFits(Driver& d) {
  HWND main = d.Main();
  ExpectInWorkArea(main);
  const MainLayout l = ReadMainLayout(d);
  if (!Inside(l.toolbar, l.client)) {
    Fail(L"the toolbar " + Describe(l.toolbar) + L" passes the client area " + Describe(l.client));
  }
  if (!Inside(l.status, l.client)) {
    Fail(L"the status bar " + Describe(l.status) + L" passes the client area " +
         Describe(l.client));
  }
  if (l.toolbar.bottom > l.status.top) {
    Fail(L"the toolbar " + Describe(l.toolbar) + L" covers the status bar " + Describe(l.status));
  }
  // Every button whole inside the toolbar.
  HWND bar = Toolbar(main);
  RECT barClient{};
  if (!GetClientRect(bar, &barClient)) Fail(L"no toolbar client rectangle");
  DWORD_PTR count = 0;
  if (!SendWithTimeout(bar, TB_BUTTONCOUNT, 0, 0, count) || count == 0) Fail(L"no buttons");
  for (DWORD_PTR i = 0; i < count; ++i) {
    RECT r{};
    if (!RemoteRectQuery(bar, TB_GETITEMRECT, i, r))
      Fail(L"no rectangle of button " + std::to_wstring(i));
    if (!Inside(r, barClient)) {
      Fail(L"button " + std::to_wstring(i + 1) + L" at " + Describe(r) + L" passes the toolbar " +
           Describe(barClient));
    }
  }
  // Every status-bar part shows at least its least width.
  const int least = MulDiv(kStatusPartMinimumAt96Dpi, DpiOf(main), 96);
  const int barWidth = l.status.right - l.status.left;
  int left = 0;
  for (int part = 0; part < 3; ++part) {
    const int shown = std::min(l.parts[part], barWidth) - left;
    if (shown < least) {
      Fail(L"status-bar part " + std::to_wstring(part) + L" shows " + std::to_wstring(shown) +
           L" pixels, fewer than " + std::to_wstring(least));
    }
    left = l.parts[part];
  }
}

void PrintMainLayout(Driver& d) {
  const MainLayout l = ReadMainLayout(d);
  const auto w = [](const RECT& r) { return std::to_wstring(r.right - r.left); };
  const auto h = [](const RECT& r) { return std::to_wstring(r.bottom - r.top); };
  Write(STD_OUTPUT_HANDLE, L"window " + w(l.window) + L" " + h(l.window) + L" client " +
                               w(l.client) + L" " + h(l.client) + L" buttons " + w(l.button) +
                               L" " + h(l.button) + L" status " + h(l.status) + L" parts " +
                               std::to_wstring(l.parts[0]) + L" " + std::to_wstring(l.parts[1]) +
                               L" " + std::to_wstring(l.parts[2]) + L"\n");
}

void SendDpiChanged(Driver& d) {
  const int dpi = d.TakeInt();
  HWND window = d.Current();
  // Windows proposes a rectangle on the new monitor; here the window's own.
  const RECT proposed = WindowRectOf(window);
  const WPARAM both = MAKEWPARAM(static_cast<WORD>(dpi), static_cast<WORD>(dpi));
  if (!RemoteSendRect(window, WM_DPICHANGED, both, proposed)) {
    Fail(L"\"" + WindowText(window) + L"\" did not handle WM_DPICHANGED");
  }
}

}  // namespace korvex7::e2e
