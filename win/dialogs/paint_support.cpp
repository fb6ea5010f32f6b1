#include "win/dialogs/paint_support.h"

#include <algorithm>
#include <climits>
#include <string>

#include "core/ui/display_scale.h"
#include "win/support/display_dpi.h"
#include "win/support/text.h"

namespace korvex7::win {

DialogPaint::DialogPaint(HWND window)
    : window_(window), dc_(BeginPaint(window, &ps_)), dpi_(DialogDpi(window)) {
  if (dc_ != nullptr) {
    // Text goes onto the white frame the painter fills first.
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, RGB(0, 0, 0));
  }
}

DialogPaint::~DialogPaint() { EndPaint(window_, &ps_); }

int DialogPaint::Px(int pixelsAt96Dpi) const { return MulDiv(pixelsAt96Dpi, dpi_, kDesignDpi); }

void DialogPaint::Frame(int left, int top, int right, int bottom) const {
  FramePixels(Px(left), Px(top), Px(right), Px(bottom));
}

void DialogPaint::FramePixels(int left, int top, int right, int bottom) const {
  if (dc_ == nullptr) return;
  const HGDIOBJ pen = SelectObject(dc_, GetStockObject(BLACK_PEN));
  const HGDIOBJ brush = SelectObject(dc_, GetStockObject(WHITE_BRUSH));
  Rectangle(dc_, left, top, right, bottom);
  SelectObject(dc_, brush);
  SelectObject(dc_, pen);
}

void DialogPaint::Text(int x, int y, std::wstring_view text) const {
  TextPixels(Px(x), Px(y), text);
}

void DialogPaint::TextUtf8(int x, int y, std::string_view text) const {
  Text(x, y, Utf8ToWide(text));
}

void DialogPaint::TextPixelsUtf8(int x, int y, std::string_view text) const {
  TextPixels(x, y, Utf8ToWide(text));
}

void DialogPaint::TextPixels(int x, int y, std::wstring_view text) const {
  if (dc_ == nullptr || text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) return;
  TextOutW(dc_, x, y, text.data(), static_cast<int>(text.size()));
}

int DialogDpi(HWND dialog) {
  LOGFONTW font{};
  const HFONT handle = DialogFont(dialog);
  if (handle != nullptr && GetObjectW(handle, sizeof(font), &font) == sizeof(font)) {
    if (const int dpi = DpiOfFontHeight(-font.lfHeight, kDialogFontPoints); dpi > 0) return dpi;
  }
  return WindowDpi(dialog);
}

RECT ScaledClientRect(HWND window, int left, int top, int right, int bottom) {
  const int dpi = DialogDpi(window);
  return RECT{MulDiv(left, dpi, kDesignDpi), MulDiv(top, dpi, kDesignDpi),
              MulDiv(right, dpi, kDesignDpi), MulDiv(bottom, dpi, kDesignDpi)};
}

HFONT DialogFont(HWND dialog) {
  return reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
}

int WidestText(HDC dc, std::initializer_list<std::string_view> texts) {
  int widest = 0;
  for (std::string_view text : texts) {
    const std::wstring wide = Utf8ToWide(text);
    SIZE size{};
    if (wide.size() <= static_cast<std::size_t>(INT_MAX) &&
        GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size)) {
      widest = std::max(widest, static_cast<int>(size.cx));
    }
  }
  return widest;
}

}  // namespace korvex7::win
