// The AGC dialog (menu "オート・ゲイン・コントロール", dialog 151): automatic
// gain control ON or OFF per channel, all sixteen sent by one "設定".
#pragma once

#include <windows.h>

namespace korvex7::win {

void RunAgcDialog(HWND owner);

}  // namespace korvex7::win
