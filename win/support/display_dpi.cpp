#include "win/support/display_dpi.h"

#include "core/ui/display_scale.h"

namespace korvex7::win {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using EnableNonClientDpiScalingFn = BOOL(WINAPI*)(HWND);

// A function of user32.dll, null where this Windows lacks it.
template <typename Fn>
Fn User32Function(const char* name) {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) return nullptr;
  const FARPROC found = GetProcAddress(user32, name);
  // A function pointer of one type to another, through the type that the
  // compiler accepts for any function.
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(found));
}

int SystemDpi() {
  int dpi = kDesignDpi;
  if (HDC screen = GetDC(nullptr); screen != nullptr) {
    dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
  }
  return dpi > 0 ? dpi : kDesignDpi;
}

}  // namespace

int WindowDpi(HWND window) {
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (getDpiForWindow != nullptr && window != nullptr) {
    if (const UINT dpi = getDpiForWindow(window); dpi != 0) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

SIZE NonClientSizeAtDpi(HWND window, int dpi) {
  static const auto adjustForDpi =
      User32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
  const BOOL menu = GetMenu(window) != nullptr ? TRUE : FALSE;
  RECT r{0, 0, 0, 0};
  const BOOL adjusted = adjustForDpi != nullptr
                            ? adjustForDpi(&r, style, menu, exStyle, static_cast<UINT>(dpi))
                            : AdjustWindowRectEx(&r, style, menu, exStyle);
  if (!adjusted) return SIZE{0, 0};
  return SIZE{r.right - r.left, r.bottom - r.top};
}

bool StatusFontAtDpi(int dpi, LOGFONTW& font) {
  static const auto forDpi =
      User32Function<SystemParametersInfoForDpiFn>("SystemParametersInfoForDpi");
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (forDpi != nullptr) {
    if (!forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, static_cast<UINT>(dpi))) {
      return false;
    }
    font = metrics.lfStatusFont;
    return true;
  }
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return false;
  font = metrics.lfStatusFont;
  font.lfHeight = MulDiv(font.lfHeight, dpi, SystemDpi());
  return true;
}

RECT WorkAreaOf(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
      monitor != nullptr && GetMonitorInfoW(monitor, &info)) {
    return info.rcWork;
  }
  RECT work{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
    work = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return work;
}

void EnableNonClientScaling(HWND window) {
  static const auto enable =
      User32Function<EnableNonClientDpiScalingFn>("EnableNonClientDpiScaling");
  // It fails where the window is not per-monitor aware; nothing else is to
  // be done then.
  if (enable != nullptr && window != nullptr) (void)enable(window);
}

int IconSizeAtDpi(bool small, int dpi) {
  static const auto forDpi = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
  const int metric = small ? SM_CXSMICON : SM_CXICON;
  if (forDpi != nullptr) {
    if (const int size = forDpi(metric, static_cast<UINT>(dpi)); size > 0) return size;
  }
  const int system = GetSystemMetrics(metric);
  const int atSystemDpi = system > 0 ? system : (small ? 16 : 32);
  return MulDiv(atSystemDpi, dpi, SystemDpi());
}

}  // namespace korvex7::win
