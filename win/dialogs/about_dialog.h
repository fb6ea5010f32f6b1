// The about box (dialog 117): the program icon, "KORVEX7 Version 1.00", OK.
#pragma once

#include <windows.h>

namespace korvex7::win {

void RunAboutDialog(HWND owner);

}  // namespace korvex7::win
