// The title display dialog (menu "タイトル表示"): whether the unit shows the
// titles on the single-picture screen and on split screens.
#pragma once

#include <windows.h>

namespace korvex7::win {

void RunTitleDisplayDialog(HWND owner);

}  // namespace korvex7::win
