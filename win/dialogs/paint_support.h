// Painting helpers of the dialogs that draw a preview or a table on their
// client area (title, auto switching, video adjustment). Their coordinates
// are pixels at 96 DPI; the helpers scale them to the dialog's own scale:
// the DPI its font was made for, which is the scale of its controls (laid
// out in dialog units from that font). That is the DPI of the dialog's
// monitor where Windows scales dialogs per monitor; on Windows 10 1607 a
// dialog keeps the scale it was made with when it is moved to a monitor of
// another DPI, and its painting keeps to its controls all the same. A
// layout made for the DPI (the video adjustment dialog's above 96 DPI)
// paints in the dialog's own pixels.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string_view>

#include "win/support/unique_handle.h"

namespace korvex7::win {

// BeginPaint / EndPaint for one WM_PAINT, with the dialog's scale.
class DialogPaint {
 public:
  explicit DialogPaint(HWND window);
  ~DialogPaint();
  DialogPaint(const DialogPaint&) = delete;
  DialogPaint& operator=(const DialogPaint&) = delete;

  HDC dc() const { return dc_; }
  int dpi() const { return dpi_; }
  // A length in pixels at 96 DPI, at the dialog's scale.
  int Px(int pixelsAt96Dpi) const;

  // Rectangle from the 96-DPI corners: a black outline filled white. Text is
  // written without a background of its own, onto this frame.
  void Frame(int left, int top, int right, int bottom) const;
  // The same from corners in the window's pixels.
  void FramePixels(int left, int top, int right, int bottom) const;

  // Text at a 96-DPI point, with the font selected into the device context.
  void Text(int x, int y, std::wstring_view text) const;
  void TextUtf8(int x, int y, std::string_view text) const;
  // Text at a point in the window's pixels.
  void TextPixelsUtf8(int x, int y, std::string_view text) const;

 private:
  void TextPixels(int x, int y, std::wstring_view text) const;

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

// The scale of a dialog: the DPI of its font (the templates' 9 points), or
// the DPI of its monitor when the font cannot be read.
int DialogDpi(HWND dialog);

// The point size of every dialog template's font.
inline constexpr int kDialogFontPoints = 9;

// The rectangle of a 96-DPI area of a dialog's client area at its scale,
// for InvalidateRect.
RECT ScaledClientRect(HWND window, int left, int top, int right, int bottom);

// The dialog's own font (the one its controls use), for painted labels.
HFONT DialogFont(HWND dialog);

// The width in pixels of the widest of `texts` in the font selected into
// `dc`; 0 when none could be measured.
int WidestText(HDC dc, std::initializer_list<std::string_view> texts);

}  // namespace korvex7::win
