#include "win/shell/main_window_scale.h"

#include <commctrl.h>

#include <array>

#include "core/ui/main_window_layout.h"
#include "win/resources/resource.h"
#include "win/shell/app.h"
#include "win/shell/toolbar.h"
#include "win/support/display_dpi.h"
#include "win/support/window_icons.h"

namespace korvex7::win {

namespace {

constexpr UINT kMoveFlags = SWP_NOZORDER | SWP_NOACTIVATE;

int HeightOf(HWND window) {
  RECT r{};
  return window != nullptr && GetWindowRect(window, &r) ? r.bottom - r.top : 0;
}

PixelSize NonClientOf(HWND window) {
  RECT outer{};
  RECT client{};
  if (!GetWindowRect(window, &outer) || !GetClientRect(window, &client)) return {};
  return {(outer.right - outer.left) - client.right, (outer.bottom - outer.top) - client.bottom};
}

// The status bar's font for `dpi`; the bar keeps its font when the system
// does not tell one.
void SetStatusFont(App& app, int dpi) {
  LOGFONTW font{};
  if (app.statusBar == nullptr || !StatusFontAtDpi(dpi, font)) return;
  UniqueGdiObject<HFONT> created(CreateFontIndirectW(&font));
  if (!created) return;
  SendMessageW(app.statusBar, WM_SETFONT, reinterpret_cast<WPARAM>(created.get()), FALSE);
  app.statusFont = std::move(created);
  // The bar takes the height of its new font.
  SendMessageW(app.statusBar, WM_SIZE, 0, 0);
}

PixelRect ToPixelRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

RECT WorkAreaUnder(const RECT& proposed) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (HMONITOR monitor = MonitorFromRect(&proposed, MONITOR_DEFAULTTONEAREST);
      monitor != nullptr && GetMonitorInfoW(monitor, &info)) {
    return info.rcWork;
  }
  return WorkAreaOf(nullptr);
}

// The toolbar's pictures, the status bar's font and the icons for `dpi`; the
// content to size the window around, inside the work area under `proposed`.
MainWindowContent PrepareForDpi(App& app, int dpi, const RECT& proposed) {
  app.dpi = dpi;
  const PixelRect work = ToPixelRect(WorkAreaUnder(proposed));
  const SIZE frame = NonClientSizeAtDpi(app.mainWindow, dpi);

  const ToolbarMetrics toolbar = ChooseToolbarMetrics(dpi, work.Width() - frame.cx);
  ShowToolbarStrip(app.toolbar, app.instance, toolbar, app.toolbarImages);
  SetStatusFont(app, dpi);
  SetWindowIconsForDpi(app.mainWindow, app.instance, IDI_KORVEX7, dpi, app.icons);

  MainWindowContent content;
  content.dpi = dpi;
  content.nonClient = {frame.cx, frame.cy};
  content.workArea = work;
  content.toolbarWidth = toolbar.rowWidth;
  content.toolbarHeight = HeightOf(app.toolbar);
  content.statusBarHeight = HeightOf(app.statusBar);
  return content;
}

void MoveTo(HWND window, const MainWindowContent& content, PixelPoint proposed) {
  const PixelSize size = MainWindowSize(content);
  const PixelPoint at = MainWindowPlace(proposed, size, content.workArea);
  SetWindowPos(window, nullptr, at.x, at.y, size.width, size.height, kMoveFlags);
}

}  // namespace

void ScaleMainWindow(App& app, int dpi, const RECT& proposed) {
  HWND window = app.mainWindow;
  if (window == nullptr || dpi <= 0) return;
  MainWindowContent content = PrepareForDpi(app, dpi, proposed);
  const PixelPoint corner{proposed.left, proposed.top};
  MoveTo(window, content, corner);

  // The frame drawn may differ from the one computed: a menu bar broken
  // into two lines, or a system that draws every frame at its own DPI. The
  // window is sized once more around the frame it has.
  if (const PixelSize drawn = NonClientOf(window); drawn != content.nonClient) {
    content.nonClient = drawn;
    MoveTo(window, content, corner);
  }
  LayOutMainWindowChildren(app);
}

void ScaleMainWindowInto(App& app, int dpi, const RECT& proposed) {
  HWND window = app.mainWindow;
  if (window == nullptr || dpi <= 0) return;
  (void)PrepareForDpi(app, dpi, proposed);
  SetWindowPos(window, nullptr, proposed.left, proposed.top, proposed.right - proposed.left,
               proposed.bottom - proposed.top, kMoveFlags);
  LayOutMainWindowChildren(app);
}

void LayOutMainWindowChildren(const App& app) {
  if (app.mainWindow == nullptr) return;
  RECT client{};
  if (!GetClientRect(app.mainWindow, &client)) return;
  if (app.statusBar != nullptr) {
    SendMessageW(app.statusBar, WM_SIZE, 0, 0);
    std::array<int, 3> edges = StatusPartEdges(app.dpi, client.right);
    SendMessageW(app.statusBar, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  }
  if (app.toolbar != nullptr) SendMessageW(app.toolbar, TB_AUTOSIZE, 0, 0);
}

}  // namespace korvex7::win
