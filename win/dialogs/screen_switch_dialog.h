// The screen switching dialog (menu "画面切換え", dialog 112): makes the unit
// show one channel, one split layout or the automatic switching sequence now.
#pragma once

#include <windows.h>

#include "win/dialogs/dialog_context.h"

namespace korvex7::win {

void RunScreenSwitchDialog(const DialogContext& context);

}  // namespace korvex7::win
