// The read-all dialog (menu "設定項目の読み込み", dialog 116): asks the unit
// for every setting, 55 queries paced by timer 2.
#pragma once

#include <windows.h>

#include "win/dialogs/dialog_context.h"

namespace korvex7::win {

void RunReadAllDialog(const DialogContext& context);

}  // namespace korvex7::win
