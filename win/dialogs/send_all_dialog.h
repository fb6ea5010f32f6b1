// The send-all dialog (menu "全項目の設定", dialog 114): sends every setting
// to one unit, or to all with Broadcast, 55 commands paced by timer 3.
#pragma once

#include <windows.h>

#include "win/dialogs/dialog_context.h"

namespace korvex7::win {

void RunSendAllDialog(const DialogContext& context);

}  // namespace korvex7::win
