#include "win/shell/toolbar.h"

#include <iterator>

#include "win/resources/resource.h"
#include "win/shell/toolbar_buttons.h"

namespace korvex7::win {

namespace {

// The bitmap resource of each strip of kToolbarStrips.
constexpr int kStripResources[] = {IDB_TOOLBAR, IDB_TOOLBAR_150, IDB_TOOLBAR_200};
static_assert(std::size(kStripResources) == kToolbarStrips.size());

constexpr COLORREF kToolbarMaskColour = RGB(255, 0, 255);

}  // namespace

HWND CreateToolbar(HWND parent, HINSTANCE instance) {
  HWND bar = CreateWindowExW(
      0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS, 0, 0, 0, 0, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_TOOLBAR)), instance, nullptr);
  if (bar == nullptr) return nullptr;
  SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  TBBUTTON buttons[kToolbarButtons.size()] = {};
  for (std::size_t i = 0; i < kToolbarButtons.size(); ++i) {
    buttons[i].iBitmap = kToolbarButtons[i].image;
    buttons[i].idCommand = kToolbarButtons[i].command;
    buttons[i].fsState = TBSTATE_ENABLED;
    buttons[i].fsStyle = BTNS_BUTTON;
    buttons[i].iString = -1;
  }
  SendMessageW(bar, TB_ADDBUTTONSW, kToolbarButtons.size(), reinterpret_cast<LPARAM>(buttons));
  return bar;
}

bool ShowToolbarStrip(HWND toolbar, HINSTANCE instance, const ToolbarMetrics& metrics,
                      UniqueImageList& images) {
  if (toolbar == nullptr || metrics.strip < 0 ||
      metrics.strip >= static_cast<int>(std::size(kStripResources))) {
    return false;
  }
  UniqueImageList strip(ImageList_LoadImageW(
      instance, MAKEINTRESOURCEW(kStripResources[metrics.strip]), metrics.picture.width, 0,
      kToolbarMaskColour, IMAGE_BITMAP, LR_CREATEDIBSECTION));
  if (!strip) return false;
  SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(strip.get()));
  SendMessageW(toolbar, TB_SETBITMAPSIZE, 0,
               MAKELPARAM(metrics.picture.width, metrics.picture.height));
  SendMessageW(toolbar, TB_SETBUTTONSIZE, 0,
               MAKELPARAM(metrics.button.width, metrics.button.height));
  // The toolbar never makes its buttons narrower than the picture and 7
  // pixels of padding (TB_SETPADDING narrows that by a few pixels at most,
  // and moves the picture up): each button is given its width instead.
  for (const ToolbarButton& b : kToolbarButtons) {
    TBBUTTONINFOW info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_SIZE;
    info.cx = static_cast<WORD>(metrics.button.width);
    SendMessageW(toolbar, TB_SETBUTTONINFOW, static_cast<WPARAM>(b.command),
                 reinterpret_cast<LPARAM>(&info));
  }
  images = std::move(strip);
  SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
  InvalidateRect(toolbar, nullptr, TRUE);
  return true;
}

}  // namespace korvex7::win
