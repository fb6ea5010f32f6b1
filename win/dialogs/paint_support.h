// Painting helpers of the dialogs that draw a preview or a table on their
// client area (title, auto switching, video adjustment). Their coordinates
// are pixels at 96 DPI; the helpers scale them to the display so that the
// painted area keeps its place beside the controls (laid out in dialog units)
// at any DPI.
#pragma once

#include <windows.h>

#include <string_view>

#include "win/support/unique_handle.h"

namespace korvex7::win {

// BeginPaint / EndPaint for one WM_PAINT, with the display's scale.
class DialogPaint {
 public:
  explicit DialogPaint(HWND window);
  ~DialogPaint();
  DialogPaint(const DialogPaint&) = delete;
  DialogPaint& operator=(const DialogPaint&) = delete;

  HDC dc() const { return dc_; }
  // A length in pixels at 96 DPI, on this display.
  int Px(int pixelsAt96Dpi) const;

  // Rectangle from the 96-DPI corners: a black outline filled white. Text is
  // written without a background of its own, onto this frame.
  void Frame(int left, int top, int right, int bottom) const;

  // Text at a 96-DPI point, with the font selected into the device context.
  void Text(int x, int y, std::wstring_view text) const;
  void TextUtf8(int x, int y, std::string_view text) const;

 private:
  HWND window_;
  PAINTSTRUCT ps_{};
  HDC dc_;
  int dpi_;
};

// Selects a GDI object into a device context and puts the previous one back.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectedObject() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// The rectangle of a 96-DPI area of a window's client area on this display,
// for InvalidateRect.
RECT ScaledClientRect(HWND window, int left, int top, int right, int bottom);

// The dialog's own font (the one its controls use), for painted labels.
HFONT DialogFont(HWND dialog);

}  // namespace korvex7::win
