#include "core/ui/main_window_layout.h"

#include <algorithm>

#include "core/ui/display_scale.h"

namespace korvex7 {

namespace {

constexpr PixelSize kButtonPaddingAt96Dpi{7, 6};
// Two pixels of the button's edge on either side of the picture.
constexpr int kMinimumButtonPadding = 4;
constexpr int kStatusPartEdgesAt96Dpi[2] = {683, 961};
// The clock's part; the port's part takes the rest, and the two together
// keep at least kClockPartMinimumAt96Dpi.
constexpr int kClockPartWidthAt96Dpi = 100;
constexpr int kClockPartMinimumAt96Dpi = 220;

// The largest strip drawn for no more than the scale of `dpi`.
int StripForScale(int dpi) {
  int chosen = 0;
  for (int i = 0; i < static_cast<int>(kToolbarStrips.size()); ++i) {
    if (kToolbarStrips[static_cast<std::size_t>(i)].percent * kDesignDpi <= dpi * 100) chosen = i;
  }
  return chosen;
}

ToolbarMetrics WithPadding(int strip, int horizontalPadding) {
  ToolbarMetrics m;
  m.strip = strip;
  m.picture = kToolbarStrips[static_cast<std::size_t>(strip)].picture;
  m.button = {m.picture.width + horizontalPadding, m.picture.height + kButtonPaddingAt96Dpi.height};
  m.rowWidth = m.button.width * kToolbarButtonCount;
  return m;
}

}  // namespace

ToolbarMetrics ChooseToolbarMetrics(int dpi, int availableWidth) {
  const int preferred =
      std::max(kMinimumButtonPadding, ScaleToDpi(kButtonPaddingAt96Dpi.width, dpi));
  for (int strip = StripForScale(dpi); strip >= 0; --strip) {
    const int picture = kToolbarStrips[static_cast<std::size_t>(strip)].picture.width;
    const int room = availableWidth / kToolbarButtonCount - picture;
    if (room >= kMinimumButtonPadding) return WithPadding(strip, std::min(preferred, room));
  }
  return WithPadding(0, kMinimumButtonPadding);
}

PixelSize MainWindowSize(const MainWindowContent& c) {
  if (c.dpi == kDesignDpi) return kMainWindowSizeAt96Dpi;
  const PixelSize scaled{ScaleToDpi(kMainWindowSizeAt96Dpi.width, c.dpi),
                         ScaleToDpi(kMainWindowSizeAt96Dpi.height, c.dpi)};
  const PixelSize content{c.toolbarWidth + c.nonClient.width,
                          c.toolbarHeight + c.statusBarHeight + c.nonClient.height};
  return {std::min(std::max(scaled.width, content.width), c.workArea.Width()),
          std::min(std::max(scaled.height, content.height), c.workArea.Height())};
}

PixelPoint MainWindowPlace(PixelPoint proposed, PixelSize size, const PixelRect& workArea) {
  const auto into = [](int at, int length, int low, int high) {
    return std::max(low, std::min(at, high - length));
  };
  return {into(proposed.x, size.width, workArea.left, workArea.right),
          into(proposed.y, size.height, workArea.top, workArea.bottom)};
}

std::array<int, 3> StatusPartEdges(int dpi, int clientWidth) {
  int help = ScaleToDpi(kStatusPartEdgesAt96Dpi[0], dpi);
  const int clock = ScaleToDpi(kStatusPartEdgesAt96Dpi[1], dpi);
  const int clockMinimum = ScaleToDpi(kClockPartMinimumAt96Dpi, dpi);
  if (clientWidth - help < clockMinimum) help = std::max(0, clientWidth - clockMinimum);
  return {help, help + ScaleToDpi(kClockPartWidthAt96Dpi, dpi), std::max(clock, clientWidth)};
}

}  // namespace korvex7
