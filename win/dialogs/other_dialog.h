// The other-settings dialog (menu "その他の設定", dialog 113): connector
// input, border line, power-on screen and NTSC aspect ratio.
#pragma once

#include <windows.h>

#include "win/dialogs/dialog_context.h"

namespace korvex7::win {

void RunOtherDialog(const DialogContext& context);

}  // namespace korvex7::win
