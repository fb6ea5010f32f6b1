// A top-level window's own icons (WM_SETICON), loaded at the sizes of the
// window's DPI: the title bar's small icon and the large one of the taskbar
// and Alt+Tab, each taken from the picture the icon has for that size (16,
// 24, 32, 48 and 256 pixels) rather than scaled from another size, so that
// they stay sharp at 150 and 200 %.
#pragma once

#include <windows.h>

#include "win/support/unique_handle.h"

namespace korvex7::win {

struct WindowIcons {
  UniqueIcon bigIcon;
  UniqueIcon smallIcon;
};

// Loads icon `iconId` of `module` at the icon sizes of `dpi` and gives them
// to `window`; `icons` keeps them while the window shows them (the ones it
// held before are freed once replaced). An icon that cannot be loaded
// leaves the window's as it was.
void SetWindowIconsForDpi(HWND window, HINSTANCE module, int iconId, int dpi, WindowIcons& icons);

}  // namespace korvex7::win
