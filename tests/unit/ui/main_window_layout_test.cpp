#include "core/ui/main_window_layout.h"

#include <gtest/gtest.h>

#include "core/ui/display_scale.h"

namespace korvex7 {
namespace {

TEST(DisplayScale, RoundsToTheNearestPixelHalvesAwayFromZero) {
  struct Row {
    int pixels;
    int dpi;
    int scaled;
  };
  const Row rows[] = {
      {961, 96, 961}, {683, 144, 1025}, {141, 144, 212}, {961, 192, 1922},   {7, 144, 11},
      {3, 120, 4},    {1, 144, 2},      {1, 143, 1},     {-683, 144, -1025}, {-1, 144, -2},
      {0, 192, 0},    {55, 72, 41},     {50, 168, 88},   {15, 0, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.pixels << " at " << r.dpi);
    EXPECT_EQ(ScaleToDpi(r.pixels, r.dpi), r.scaled);
  }
}

// A dialog's scale from its 9-point font: the font Windows makes at a DPI
// (-MulDiv(9, dpi, 72) pixels high) gives that DPI back at every scale the
// system offers, and a close one at a custom scale.
TEST(DisplayScale, DpiOfTheFontADialogWasMadeWith) {
  struct Row {
    int pixels;
    int points;
    int dpi;
  };
  const Row rows[] = {
      {12, 9, 96},
      {15, 9, 120},
      {18, 9, 144},
      {21, 9, 168},
      {24, 9, 192},
      {30, 9, 240},
      {36, 9, 288},
      {48, 9, 384},
      // 110 DPI makes 13.75 pixels, rounded to 14.
      {14, 9, 112},
      {16, 12, 96},
      {11, 8, 99},
      {0, 9, 0},
      {-12, 9, 0},
      {12, 0, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.pixels << " pixels of " << r.points << " points");
    EXPECT_EQ(DpiOfFontHeight(r.pixels, r.points), r.dpi);
  }
  for (int dpi = 96; dpi <= 480; dpi += 24) {
    SCOPED_TRACE(dpi);
    EXPECT_EQ(DpiOfFontHeight((9 * dpi + 36) / 72, 9), dpi);
  }
}

TEST(ToolbarMetrics, StripPaddingAndRowAtEachScale) {
  struct Row {
    const char* screen;
    int dpi;
    int available;  // the work area's width less the frame
    int strip;
    PixelSize button;
  };
  const Row rows[] = {
      // The specified buttons: 61 x 55 pictures padded by 7 x 6.
      {"1280 at 100 %", 96, 1274, 0, {68, 61}},
      {"1024 at 100 %", 96, 1018, 0, {68, 61}},
      // 125 % and 175 % take the strip below their scale, never a stretched one.
      {"1920 at 125 %", 120, 1914, 0, {70, 61}},
      {"1920 at 175 %", 168, 1914, 1, {104, 89}},
      // 150 % on 1366: the row of 14 fits only with the padding down to 5.
      {"1366 at 150 %", 144, 1360, 1, {97, 89}},
      {"1920 at 150 %", 144, 1914, 1, {103, 89}},
      // 200 % on 1920: the full padding of 14 still fits (14 x 136 = 1904).
      {"1920 at 200 %", 192, 1914, 2, {136, 116}},
      // Too narrow for the 200 % pictures even with the least padding.
      {"1366 at 200 %", 192, 1360, 1, {97, 89}},
      {"2560 at 250 %", 240, 2554, 2, {140, 116}},
      // Nothing fits: the smallest pictures with the least padding.
      {"800 at 100 %", 96, 794, 0, {65, 61}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.screen);
    const ToolbarMetrics m = ChooseToolbarMetrics(r.dpi, r.available);
    EXPECT_EQ(m.strip, r.strip);
    EXPECT_EQ(m.picture, kToolbarStrips[static_cast<std::size_t>(r.strip)].picture);
    EXPECT_EQ(m.button, r.button);
    EXPECT_EQ(m.rowWidth, 14 * r.button.width);
  }
}

// Whatever the screen, a chosen row fits unless even the smallest strip with
// the least padding does not, the picture always leaves room for the
// button's edges, and no strip is drawn for more than the scale.
TEST(ToolbarMetrics, TheRowFitsWheneverItCan) {
  for (int dpi : {72, 96, 120, 144, 168, 192, 240, 288}) {
    for (int available = 700; available <= 4000; available += 37) {
      SCOPED_TRACE(testing::Message() << dpi << " dpi, " << available << " px");
      const ToolbarMetrics m = ChooseToolbarMetrics(dpi, available);
      EXPECT_GE(m.button.width - m.picture.width, 4);
      EXPECT_EQ(m.button.height, m.picture.height + 6);
      if (available >= 14 * (61 + 4)) {
        EXPECT_LE(m.rowWidth, available);
      }
      if (m.strip > 0) {
        EXPECT_LE(kToolbarStrips[static_cast<std::size_t>(m.strip)].percent * 96, dpi * 100);
      }
    }
  }
}

TEST(MainWindowSize, SpecifiedAt96DpiScaledOrFittedAboveCappedByTheWorkArea) {
  struct Row {
    const char* screen;
    MainWindowContent content;
    PixelSize size;
  };
  const Row rows[] = {
      // 96 DPI: the specified frame, whatever it holds and whatever the frame.
      {"1280x800 at 100 %", {96, {6, 44}, {0, 0, 1280, 800}, 952, 67, 20}, {961, 141}},
      {"1280x800 at 100 %, thick frame",
       {96, {16, 59}, {0, 0, 1280, 760}, 952, 67, 22},
       {961, 141}},
      // 150 % on 1366: the scaled 1442 is cut to the screen; the height is scaled.
      {"1366x768 at 150 %", {144, {6, 62}, {0, 0, 1366, 768}, 1358, 98, 28}, {1366, 212}},
      // 200 % on 1920: the doubled 1922 would pass the screen by two pixels.
      {"1920x1080 at 200 %", {192, {6, 80}, {0, 0, 1920, 1080}, 1904, 128, 36}, {1920, 282}},
      {"1920x1040 work area at 200 %",
       {192, {6, 80}, {0, 0, 1920, 1040}, 1904, 128, 36},
       {1920, 282}},
      // What it holds is taller than the scaled frame: the client area grows.
      {"tall toolbar at 150 %", {144, {6, 62}, {0, 0, 1920, 1080}, 1358, 140, 40}, {1442, 242}},
      // ... and wider.
      {"wide toolbar at 125 %", {120, {6, 52}, {0, 0, 1920, 1080}, 1400, 70, 24}, {1406, 176}},
      // ... but never past the work area.
      {"short work area at 200 %", {192, {6, 80}, {0, 0, 1920, 250}, 1904, 128, 36}, {1920, 250}},
      // Below 96 DPI the frame shrinks only as far as its content allows.
      {"72 dpi", {72, {6, 40}, {0, 0, 1280, 800}, 910, 60, 16}, {916, 116}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.screen);
    EXPECT_EQ(MainWindowSize(r.content), r.size);
  }
}

TEST(MainWindowPlace, MovedTheLeastIntoTheWorkArea) {
  struct Row {
    const char* what;
    PixelPoint proposed;
    PixelSize size;
    PixelRect workArea;
    PixelPoint place;
  };
  const Row rows[] = {
      {"inside already", {0, 0}, {961, 141}, {0, 0, 1280, 800}, {0, 0}},
      {"the default place kept", {26, 0}, {961, 141}, {0, 0, 1280, 800}, {26, 0}},
      {"past the right edge", {26, 0}, {1366, 212}, {0, 0, 1366, 768}, {0, 0}},
      {"partly past the right edge", {900, 0}, {961, 141}, {0, 0, 1280, 800}, {319, 0}},
      {"past the bottom", {0, 700}, {961, 141}, {0, 0, 1280, 800}, {0, 659}},
      {"a taskbar at the top", {0, 0}, {961, 141}, {0, 40, 1280, 800}, {0, 40}},
      {"a monitor left of the primary", {-1500, 0}, {1366, 212}, {-1366, 0, 0, 768}, {-1366, 0}},
      {"larger than the work area", {50, 50}, {2000, 900}, {0, 0, 1920, 800}, {0, 0}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    EXPECT_EQ(MainWindowPlace(r.proposed, r.size, r.workArea), r.place);
  }
}

TEST(StatusPartEdges, ScaledWithRoomForTheClockAndThePort) {
  struct Row {
    int dpi;
    int clientWidth;
    int help;
    int clock;
    int port;
  };
  const Row rows[] = {
      {96, 955, 683, 783, 961},       // as designed
      {96, 949, 683, 783, 961},       // a thicker frame changes nothing
      {144, 1360, 1025, 1175, 1442},  // 150 % on 1366: the scaled edges
      {192, 1914, 1366, 1566, 1922},  // 200 % on 1920
      {144, 1150, 820, 970, 1442},    // too narrow: clock and port keep 330 pixels
      {144, 2000, 1025, 1175, 2000},  // wider than scaled: the port reaches the edge
      {96, 100, 0, 100, 961},         // absurdly narrow: the help text's part is empty
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.dpi << " dpi, client " << r.clientWidth);
    const auto edges = StatusPartEdges(r.dpi, r.clientWidth);
    EXPECT_EQ(edges[0], r.help);
    EXPECT_EQ(edges[1], r.clock);
    EXPECT_EQ(edges[2], r.port);
  }
}

}  // namespace
}  // namespace korvex7
