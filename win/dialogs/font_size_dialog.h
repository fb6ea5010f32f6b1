// The font size dialog (menu "フォントサイズ"): the title font size on the
// single-picture screen and on split screens.
#pragma once

#include <windows.h>

namespace korvex7::win {

void RunFontSizeDialog(HWND owner);

}  // namespace korvex7::win
