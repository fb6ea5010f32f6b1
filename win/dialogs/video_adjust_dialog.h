// The video adjustment dialog (menu "ビデオ調整"): the five picture
// adjustments of the selected channel, a painted table of all 16 channels,
// and "全設定" (timer 6, every 200 ms) with its percentage.
#pragma once

#include <windows.h>

#include "win/dialogs/dialog_context.h"

namespace korvex7::win {

void RunVideoAdjustDialog(const DialogContext& context);

}  // namespace korvex7::win
