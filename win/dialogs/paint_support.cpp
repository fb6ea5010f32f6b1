#include "win/dialogs/paint_support.h"

#include <climits>
#include <string>

#include "win/support/text.h"

namespace korvex7::win {

namespace {

constexpr int kDesignDpi = 96;

int WindowDpi(HWND window) {
  int dpi = kDesignDpi;
  if (HDC dc = GetDC(window); dc != nullptr) {
    dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(window, dc);
  }
  return dpi > 0 ? dpi : kDesignDpi;
}

}  // namespace

DialogPaint::DialogPaint(HWND window)
    : window_(window), dc_(BeginPaint(window, &ps_)), dpi_(kDesignDpi) {
  if (dc_ != nullptr) {
    const int dpi = GetDeviceCaps(dc_, LOGPIXELSY);
    if (dpi > 0) dpi_ = dpi;
    // Text goes onto the white frame the painter fills first.
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, RGB(0, 0, 0));
  }
}

DialogPaint::~DialogPaint() { EndPaint(window_, &ps_); }

int DialogPaint::Px(int pixelsAt96Dpi) const { return MulDiv(pixelsAt96Dpi, dpi_, kDesignDpi); }

void DialogPaint::Frame(int left, int top, int right, int bottom) const {
  if (dc_ == nullptr) return;
  const HGDIOBJ pen = SelectObject(dc_, GetStockObject(BLACK_PEN));
  const HGDIOBJ brush = SelectObject(dc_, GetStockObject(WHITE_BRUSH));
  Rectangle(dc_, Px(left), Px(top), Px(right), Px(bottom));
  SelectObject(dc_, brush);
  SelectObject(dc_, pen);
}

void DialogPaint::Text(int x, int y, std::wstring_view text) const {
  if (dc_ == nullptr || text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) return;
  TextOutW(dc_, Px(x), Px(y), text.data(), static_cast<int>(text.size()));
}

void DialogPaint::TextUtf8(int x, int y, std::string_view text) const {
  Text(x, y, Utf8ToWide(text));
}

RECT ScaledClientRect(HWND window, int left, int top, int right, int bottom) {
  const int dpi = WindowDpi(window);
  return RECT{MulDiv(left, dpi, kDesignDpi), MulDiv(top, dpi, kDesignDpi),
              MulDiv(right, dpi, kDesignDpi), MulDiv(bottom, dpi, kDesignDpi)};
}

HFONT DialogFont(HWND dialog) {
  return reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
}

}  // namespace korvex7::win
