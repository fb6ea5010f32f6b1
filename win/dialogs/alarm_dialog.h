// The alarm dialog (menu "アラーム", dialog 115): mode, hold time, input
// polarity, display and return, each with its own "設定" button.
#pragma once

#include <windows.h>

namespace korvex7::win {

void RunAlarmDialog(HWND owner);

}  // namespace korvex7::win
