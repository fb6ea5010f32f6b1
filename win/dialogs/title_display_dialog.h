// The title display dialog (menu "タイトル表示"): whether the unit shows the
// titles on the single-picture screen and on split screens.
#pragma once

#include <windows.h>

#include "win/dialogs/dialog_context.h"

namespace korvex7::win {

void RunTitleDisplayDialog(const DialogContext& context);

}  // namespace korvex7::win
