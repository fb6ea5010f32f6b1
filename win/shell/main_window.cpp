#include "win/shell/main_window.h"

#include <commctrl.h>

#include <cstdio>
#include <iterator>
#include <string>
#include <utility>

#include "core/link/reply_assembler.h"
#include "core/ui/main_window_layout.h"
#include "win/resources/resource.h"
#include "win/serial/receive_thread.h"
#include "win/shell/app.h"
#include "win/shell/main_window_scale.h"
#include "win/shell/menu_commands.h"
#include "win/shell/port_status.h"
#include "win/shell/session_end.h"
#include "win/shell/status_display.h"
#include "win/shell/toolbar.h"
#include "win/shell/toolbar_buttons.h"
#include "win/support/display_dpi.h"

namespace korvex7::win {

namespace {

HWND CreateStatusBar(HWND parent, HINSTANCE instance) {
  HWND bar = CreateWindowExW(0, STATUSCLASSNAMEW, kReadyText, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                             parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUS_BAR)),
                             instance, nullptr);
  if (bar == nullptr) return nullptr;
  SendMessageW(bar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(kReadyText));
  return bar;
}

// The App handed to CreateMainWindow, kept in the window from WM_NCCREATE on.
App* AppOf(HWND hwnd) { return reinterpret_cast<App*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

LRESULT OnCreate(App& app, HWND hwnd) {
  app.mainWindow = hwnd;
  SetTimer(hwnd, kReadyTextTimerId, kReadyTextTimerMs, nullptr);

  INITCOMMONCONTROLSEX icc{};
  icc.dwSize = sizeof(icc);
  icc.dwICC = ICC_BAR_CLASSES;
  InitCommonControlsEx(&icc);

  // The controls are laid out for the window's DPI: the status bar's parts
  // here, the toolbar's pictures and the window's size once it exists
  // (ScaleMainWindow).
  app.dpi = WindowDpi(hwnd);
  app.statusBar = CreateStatusBar(hwnd, app.instance);
  LayOutMainWindowChildren(app);
  app.toolbar = CreateToolbar(hwnd, app.instance);
  UpdateClock(app);
  ShowPortInUse(app);
  if (app.toolbar != nullptr) SendMessageW(app.toolbar, TB_AUTOSIZE, 0, 0);
  return 0;
}

// The toolbar asks for the tooltip of one of its buttons.
bool OnTooltipRequest(App& app, NMTTDISPINFOW& info) {
  app.readyTextShown = 0;
  const ToolbarButton* button = FindToolbarButton(static_cast<int>(info.hdr.idFrom));
  if (button == nullptr) return false;
  // The texts are static: the tooltip may keep the pointer.
  info.lpszText = const_cast<wchar_t*>(button->tooltip.data());
  info.hinst = nullptr;
  SetStatusText(app, button->statusText);
  return true;
}

void OnDestroy(App& app, HWND hwnd) {
  KillTimer(hwnd, kStatusTimerId);
  KillTimer(hwnd, kReadyTextTimerId);
  KillTimer(hwnd, kReopenPortTimerId);
  KillTimer(hwnd, kPortRetryTimerId);
  if (app.receiver) app.receiver->Stop();
  DiscardPostedLines(hwnd);
  app.connecting = false;
  DiscardConnectResults(hwnd);
  app.toolbar = nullptr;
  app.statusBar = nullptr;
  PostQuitMessage(0);
}

// Moved to a monitor of another scale (WM_DPICHANGED). While the operator
// drags the window, it takes the rectangle Windows proposes, which keeps it
// under the pointer, and is fitted to its own size once the drag ends;
// otherwise (the scale of its monitor changed, a move by the keyboard) it
// takes its own size at the proposed corner at once.
void OnDpiChanged(App& app, int dpi, const RECT& proposed) {
  if (app.movingOrSizing) {
    ScaleMainWindowInto(app, dpi, proposed);
    app.dpiChangedWhileMoving = true;
  } else {
    ScaleMainWindow(app, dpi, proposed);
  }
}

void OnExitSizeMove(App& app, HWND hwnd) {
  app.movingOrSizing = false;
  if (!std::exchange(app.dpiChangedWhileMoving, false)) return;
  RECT now{};
  if (GetWindowRect(hwnd, &now)) ScaleMainWindow(app, app.dpi, now);
}

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    // Windows 10 1607 scales the caption and the menu bar of a per-monitor
    // window only when asked here; later versions do it by themselves.
    EnableNonClientScaling(hwnd);
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  App* app = AppOf(hwnd);
  if (app == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      return OnCreate(*app, hwnd);
    case WM_DESTROY:
      OnDestroy(*app, hwnd);
      return 0;
    case WM_CLOSE:
      OnMainWindowClose(*app, hwnd);
      return 0;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header != nullptr && header->code == TTN_GETDISPINFOW) {
        OnTooltipRequest(*app, *reinterpret_cast<NMTTDISPINFOW*>(lParam));
        return 0;
      }
      break;
    }
    case WM_COMMAND:
      OnMenuCommand(*app, hwnd, LOWORD(wParam));
      return 0;
    case WM_TIMER:
      OnMainTimer(*app, hwnd, wParam);
      return 0;
    case WM_SIZE:
      // A minimised window keeps its children as they were.
      if (wParam != SIZE_MINIMIZED) LayOutMainWindowChildren(*app);
      return 0;
    case WM_DPICHANGED: {
      const auto* proposed = reinterpret_cast<const RECT*>(lParam);
      if (proposed != nullptr) OnDpiChanged(*app, LOWORD(wParam), *proposed);
      return 0;
    }
    case WM_ENTERSIZEMOVE:
      app->movingOrSizing = true;
      return 0;
    case WM_EXITSIZEMOVE:
      OnExitSizeMove(*app, hwnd);
      return 0;
    case WM_QUERYENDSESSION:
      return OnQueryEndSession(*app, hwnd, lParam);
    case WM_ENDSESSION:
      OnEndSession(*app, hwnd, wParam != FALSE);
      return 0;
    case kOfferSaveMessage:
      OfferSaveBeforeSessionEnd(*app, hwnd);
      return 0;
    case kLineReceivedMessage: {
      const auto line = TakePostedLine(lParam);
      if (line && app->lineSink) {
        app->lineSink(*line);
      } else if (line) {
        HandleReceivedLine(app->session, *line);
      }
      return 0;
    }
    case kServerConnectedMessage:
      OnServerConnected(*app, TakeConnectResult(lParam));
      return 0;
    case kLinkFailedMessage:
      OnLinkFailed(*app, wParam);
      return 0;
    case WM_DEVICECHANGE:
      OnDeviceChange(*app, wParam, lParam);
      return TRUE;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

bool RegisterMainWindowClass(HINSTANCE instance, const wchar_t* className) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_KORVEX7));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_KORVEX7), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
  wc.lpszMenuName = MAKEINTRESOURCEW(IDR_MAIN_MENU);
  wc.lpszClassName = className;
  return RegisterClassExW(&wc) != 0;
}

HWND CreateMainWindow(App& app, const wchar_t* className, const wchar_t* title) {
  HWND hwnd = CreateWindowExW(0, className, title, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                              CW_USEDEFAULT, 0, kMainWindowSizeAt96Dpi.width,
                              kMainWindowSizeAt96Dpi.height, nullptr, nullptr, app.instance, &app);
  if (hwnd == nullptr) return nullptr;
  RECT created{};
  if (GetWindowRect(hwnd, &created)) ScaleMainWindow(app, app.dpi, created);
  return hwnd;
}

void StopLink(App& app, HWND hwnd) {
  app.linkStopped = true;
  KillTimer(hwnd, kReopenPortTimerId);
  KillTimer(hwnd, kPortRetryTimerId);
  // A thread that does not end keeps the port it reads; the process's end
  // closes both.
  app.connecting = false;
  if (app.receiver && !app.receiver->Stop()) return;
  app.port.Close();
  app.server.Close();
}

void ShowPortInUse(const App& app) {
  HWND bar = app.statusBar;
  if (bar == nullptr) return;
  SendMessageW(bar, SB_SETTEXTW, kPortStatusPart, reinterpret_cast<LPARAM>(app.portName.c_str()));
}

void SetStatusText(const App& app, std::wstring_view text) {
  HWND bar = app.statusBar;
  if (bar == nullptr) return;
  const std::wstring copy(text);
  SendMessageW(bar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(copy.c_str()));
}

void UpdateClock(const App& app) {
  HWND bar = app.statusBar;
  if (bar == nullptr) return;
  SYSTEMTIME now{};
  GetLocalTime(&now);
  wchar_t text[16] = {};
  swprintf(text, std::size(text), L"%02d:%02d:%02d", now.wHour, now.wMinute, now.wSecond);
  SendMessageW(bar, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(text));
}

void RestoreReadyText(App& app) {
  if (app.readyTextShown != 0 || app.toolbar == nullptr) return;
  if (GetActiveWindow() != app.mainWindow) return;
  POINT cursor{};
  RECT toolbarRect{};
  if (!GetCursorPos(&cursor) || !GetWindowRect(app.toolbar, &toolbarRect)) return;
  if (PtInRect(&toolbarRect, cursor)) return;
  app.readyTextShown = 1;
  SetStatusText(app, IdleStatusText(app));
}

}  // namespace korvex7::win
