// The main window's icons at each display scale: the sizes of the system's
// small and large icons at that DPI, taken from the program's own icon
// (loaded from KORVEX7.exe beside this test), and the window shows the ones
// last set.
#include "win/support/window_icons.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "win/resources/resource.h"

namespace korvex7::win {
namespace {

SIZE IconPictureSize(HICON icon) {
  ICONINFO info{};
  if (icon == nullptr || !GetIconInfo(icon, &info)) return SIZE{0, 0};
  BITMAP bitmap{};
  const HBITMAP picture = info.hbmColor != nullptr ? info.hbmColor : info.hbmMask;
  const bool read = GetObjectW(picture, sizeof(bitmap), &bitmap) == sizeof(bitmap);
  const bool colour = info.hbmColor != nullptr;
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
  if (!read) return SIZE{0, 0};
  // A mask alone holds the picture and its mask one above the other.
  return SIZE{bitmap.bmWidth, colour ? bitmap.bmHeight : bitmap.bmHeight / 2};
}

// KORVEX7.exe of the same build, for its resources only.
HMODULE ProgramResources() {
  wchar_t self[MAX_PATH + 1] = {};
  const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self, n);
  path = path.substr(0, path.find_last_of(L"\\/") + 1) + L"KORVEX7.exe";
  return LoadLibraryExW(path.c_str(), nullptr,
                        LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
}

TEST(WindowIconsTest, SizesOfTheDisplayScaleFromTheProgramsIcon) {
  const HMODULE program = ProgramResources();
  ASSERT_NE(program, nullptr) << "KORVEX7.exe is built beside the tests";
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"korvex7-icon-test";
  ASSERT_NE(RegisterClassW(&wc), 0);
  HWND window = CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  WindowIcons icons;
  struct Row {
    int dpi;
    int smallSize;
    int bigSize;
  };
  const Row rows[] = {{96, 16, 32}, {144, 24, 48}, {192, 32, 64}, {120, 20, 40}, {96, 16, 32}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.dpi);
    SetWindowIconsForDpi(window, program, IDI_KORVEX7, row.dpi, icons);
    const auto shownSmall =
        reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
    const auto shownBig = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
    EXPECT_EQ(shownSmall, icons.smallIcon.get());
    EXPECT_EQ(shownBig, icons.bigIcon.get());
    EXPECT_EQ(IconPictureSize(shownSmall).cx, row.smallSize);
    EXPECT_EQ(IconPictureSize(shownSmall).cy, row.smallSize);
    EXPECT_EQ(IconPictureSize(shownBig).cx, row.bigSize);
    EXPECT_EQ(IconPictureSize(shownBig).cy, row.bigSize);
  }
  // An icon the module does not have leaves the window's as they were.
  const HICON before = icons.bigIcon.get();
  SetWindowIconsForDpi(window, program, 9999, 144, icons);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0)), before);
  DestroyWindow(window);
  UnregisterClassW(wc.lpszClassName, wc.hInstance);
  FreeLibrary(program);
}

}  // namespace
}  // namespace korvex7::win
