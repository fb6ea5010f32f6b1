#include "win/support/window_icons.h"

#include <utility>

#include "win/support/display_dpi.h"

namespace korvex7::win {

void SetWindowIconsForDpi(HWND window, HINSTANCE module, int iconId, int dpi, WindowIcons& icons) {
  for (const bool isSmall : {false, true}) {
    const int size = IconSizeAtDpi(isSmall, dpi);
    UniqueIcon icon(static_cast<HICON>(
        LoadImageW(module, MAKEINTRESOURCEW(iconId), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    if (!icon) continue;
    SendMessageW(window, WM_SETICON, isSmall ? ICON_SMALL : ICON_BIG,
                 reinterpret_cast<LPARAM>(icon.get()));
    (isSmall ? icons.smallIcon : icons.bigIcon) = std::move(icon);
  }
}

}  // namespace korvex7::win
