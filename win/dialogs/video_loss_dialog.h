// The video loss dialog (menu "ビデオロス", dialog 105): loss detection per
// channel, the screen display, the signal output and the background colour,
// each sent by its own "設定" button.
#pragma once

#include <windows.h>

namespace korvex7::win {

void RunVideoLossDialog(HWND owner);

}  // namespace korvex7::win
