// The main window at a display scale, on the system's real window metrics:
// the DPI functions with their fallbacks, and a main window laid out for
// 96, 144 and 192 DPI and back (its pictures aside: the test program holds
// no bitmap resources).
#include <windows.h>
#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdlib>

#include "core/ui/display_scale.h"
#include "core/ui/main_window_layout.h"
#include "win/shell/app.h"
#include "win/shell/main_window.h"
#include "win/shell/main_window_scale.h"
#include "win/shell/toolbar.h"
#include "win/support/display_dpi.h"

namespace korvex7::win {
namespace {

constexpr wchar_t kTestClass[] = L"KORVEX7 scale test";

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

RECT RectOf(HWND window) {
  RECT r{};
  EXPECT_TRUE(GetWindowRect(window, &r));
  return r;
}

// A main window of this test program, destroyed at the end of the test; the
// quit message its end posts is taken off the queue.
class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    app_.instance = GetModuleHandleW(nullptr);
    static const bool registered = RegisterMainWindowClass(app_.instance, kTestClass);
    ASSERT_TRUE(registered);
    window_ = CreateMainWindow(app_, kTestClass, L"test");
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    if (window_ != nullptr) DestroyWindow(window_);
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }

  App app_;
  HWND window_ = nullptr;
};

TEST(DisplayDpiTest, WindowsHaveTheSystemsDpiOnOneMonitor) {
  EXPECT_EQ(WindowDpi(GetDesktopWindow()), ScreenDpi());
  EXPECT_EQ(WindowDpi(nullptr), ScreenDpi());
}

TEST(DisplayDpiTest, StatusFontsGrowWithTheDpi) {
  LOGFONTW at96{};
  LOGFONTW at192{};
  ASSERT_TRUE(StatusFontAtDpi(96, at96));
  ASSERT_TRUE(StatusFontAtDpi(192, at192));
  EXPECT_NE(at96.lfHeight, 0);
  EXPECT_LE(std::abs(std::abs(at192.lfHeight) - 2 * std::abs(at96.lfHeight)), 1);
}

TEST_F(MainWindowTest, TheFrameComputedIsTheFrameDrawnAtTheSystemsDpi) {
  RECT outer{};
  RECT client{};
  ASSERT_TRUE(GetWindowRect(window_, &outer));
  ASSERT_TRUE(GetClientRect(window_, &client));
  const SIZE frame = NonClientSizeAtDpi(window_, WindowDpi(window_));
  EXPECT_EQ(frame.cx, (outer.right - outer.left) - client.right);
  EXPECT_EQ(frame.cy, (outer.bottom - outer.top) - client.bottom);
  // The caption grows with the DPI.
  EXPECT_GT(NonClientSizeAtDpi(window_, 192).cy, NonClientSizeAtDpi(window_, 96).cy);
}

TEST_F(MainWindowTest, SizedForEachScaleAndBackInsideTheWorkArea) {
  const RECT work = WorkAreaOf(window_);
  struct Row {
    int dpi;
    PixelSize size;
  };
  const Row rows[] = {
      {96, {961, 141}},
      {144, {std::min(1442, static_cast<int>(work.right - work.left)), 212}},
      {192, {std::min(1922, static_cast<int>(work.right - work.left)), 282}},
      {96, {961, 141}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.dpi);
    ScaleMainWindow(app_, row.dpi, RectOf(window_));
    EXPECT_EQ(app_.dpi, row.dpi);
    const RECT r = RectOf(window_);
    EXPECT_EQ(r.right - r.left, row.size.width);
    EXPECT_EQ(r.bottom - r.top, row.size.height);
    EXPECT_GE(r.left, work.left);
    EXPECT_LE(r.right, work.right);
    // The toolbar above the status bar, both in the client area.
    RECT client{};
    ASSERT_TRUE(GetClientRect(window_, &client));
    MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const RECT toolbar = RectOf(app_.toolbar);
    const RECT status = RectOf(app_.statusBar);
    EXPECT_GE(toolbar.top, client.top);
    EXPECT_LE(toolbar.bottom, status.top);
    EXPECT_LE(status.bottom, client.bottom);
    // The status bar's parts for this DPI and width.
    int parts[3] = {};
    ASSERT_EQ(SendMessageW(app_.statusBar, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(parts)), 3);
    const auto edges = StatusPartEdges(row.dpi, client.right - client.left);
    EXPECT_EQ(parts[0], edges[0]);
    EXPECT_EQ(parts[1], edges[1]);
    EXPECT_EQ(parts[2], edges[2]);
  }
}

TEST(ToolbarTest, FourteenButtonsAndNoStripWithoutTheResources) {
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(parent, nullptr);
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
  ASSERT_TRUE(InitCommonControlsEx(&icc));
  HWND bar = CreateToolbar(parent, GetModuleHandleW(nullptr));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0), 14);
  UniqueImageList images;
  // This program holds no strips: the toolbar keeps what it had.
  EXPECT_FALSE(
      ShowToolbarStrip(bar, GetModuleHandleW(nullptr), ChooseToolbarMetrics(96, 1274), images));
  ToolbarMetrics outside = ChooseToolbarMetrics(96, 1274);
  outside.strip = 3;
  EXPECT_FALSE(ShowToolbarStrip(bar, GetModuleHandleW(nullptr), outside, images));
  EXPECT_FALSE(images);
  DestroyWindow(parent);
}

}  // namespace
}  // namespace korvex7::win
