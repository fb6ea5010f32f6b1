// Where the main window's parts go at a display scale: which picture strip
// the toolbar shows and how its buttons are padded, the window's size and
// its place in the work area, and the edges of the status bar's two parts.
//
// At 96 DPI the window is the 961 x 141 frame, the buttons 61 x 55 pictures
// padded to 68 x 61 and the parts end at 683 and 961. At any other scale the
// window grows with the scale and with what it holds (the toolbar in one row
// above the status bar), but never past the work area.
#pragma once

#include <array>

namespace korvex7 {

struct PixelSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

struct PixelPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

inline constexpr PixelSize kMainWindowSizeAt96Dpi{961, 141};
inline constexpr int kToolbarButtonCount = 14;

// The toolbar's picture strips, 14 pictures side by side each: drawn for
// 100, 150 and 200 %.
struct ToolbarStrip {
  int percent;
  PixelSize picture;
};
inline constexpr std::array<ToolbarStrip, 3> kToolbarStrips = {{
    {100, {61, 55}},
    {150, {92, 83}},
    {200, {122, 110}},
}};

struct ToolbarMetrics {
  int strip = 0;  // index into kToolbarStrips
  PixelSize picture;
  PixelSize button;  // the picture and its padding
  int rowWidth = 0;  // the 14 buttons side by side
};

// The toolbar at `dpi` when its row may be `availableWidth` pixels wide: the
// largest strip drawn for no more than the scale (so a picture is never
// stretched), padded across by 7 pixels scaled and down by 6 pixels (the
// toolbar draws a picture 3 pixels below the button's top at any scale, so
// it stays centred). When that row is too wide the padding across shrinks,
// down to 4 pixels (the button's edges), and then the next smaller strip is
// taken; the 100 % strip is the last resort.
ToolbarMetrics ChooseToolbarMetrics(int dpi, int availableWidth);

// What the main window's size depends on, in pixels at `dpi`: the frame,
// caption and menu around the client area, the work area of its monitor,
// and what the client area holds.
struct MainWindowContent {
  int dpi = 96;
  PixelSize nonClient;
  PixelRect workArea;
  int toolbarWidth = 0;
  int toolbarHeight = 0;
  int statusBarHeight = 0;
};

// 961 x 141 at 96 DPI. At any other DPI the larger of that size scaled and
// the size that shows the toolbar row above the status bar, each side no
// larger than the work area.
PixelSize MainWindowSize(const MainWindowContent& content);

// The window's top-left corner: `proposed`, moved as little as it takes to
// bring a window of `size` inside the work area (its left and top edges
// first, when the window is larger than the work area).
PixelPoint MainWindowPlace(PixelPoint proposed, PixelSize size, const PixelRect& workArea);

// The right edges of the status bar's three parts (the help text, the clock,
// the port in use) for a client area `clientWidth` pixels wide: 683, 783 and
// 961 scaled, with the help text's part shortened when the clock's and the
// port's parts would be narrower than 220 pixels scaled together, and the
// port's part reaching the right edge.
std::array<int, 3> StatusPartEdges(int dpi, int clientWidth);

}  // namespace korvex7
