// The about box (dialog 117): the program icon, "KORVEX7 Version 1.00", OK.
#pragma once

#include <windows.h>

#include "win/dialogs/dialog_context.h"

namespace korvex7::win {

void RunAboutDialog(const DialogContext& context);

}  // namespace korvex7::win
