// The alarm dialog (menu "アラーム", dialog 115): mode, hold time, input
// polarity, display and return, each with its own "設定" button.
#pragma once

#include <windows.h>

#include "win/dialogs/dialog_context.h"

namespace korvex7::win {

void RunAlarmDialog(const DialogContext& context);

}  // namespace korvex7::win
