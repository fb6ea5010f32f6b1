// The title position dialog (menu "タイトル位置微調整"): the vertical and
// horizontal fine offset of the titles, "00".."15".
#pragma once

#include <windows.h>

namespace korvex7::win {

void RunTitlePositionDialog(HWND owner);

}  // namespace korvex7::win
