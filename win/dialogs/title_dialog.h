// The title dialog (menu "タイトル"): edits the 16 channel titles through one
// edit box, paints a preview of all of them, sends the selected channel's
// title with "設定" and all 16 with "全設定" (timer 4, every 400 ms).
#pragma once

#include <windows.h>

#include "win/dialogs/dialog_context.h"

namespace korvex7::win {

void RunTitleDialog(const DialogContext& context);

}  // namespace korvex7::win
