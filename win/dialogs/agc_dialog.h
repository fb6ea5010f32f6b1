// The AGC dialog (menu "オート・ゲイン・コントロール", dialog 151): automatic
// gain control ON or OFF per channel, all sixteen sent by one "設定".
#pragma once

#include <windows.h>

#include "win/dialogs/dialog_context.h"

namespace korvex7::win {

void RunAgcDialog(const DialogContext& context);

}  // namespace korvex7::win
