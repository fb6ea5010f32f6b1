// The split-screen layout dialog (menu "分割画面配置"): which channel each
// screen position of the nine layouts shows, edited in the shape of the
// chosen layout.
#pragma once

#include <windows.h>

#include "win/dialogs/dialog_context.h"

namespace korvex7::win {

void RunSplitLayoutDialog(const DialogContext& context);

}  // namespace korvex7::win
