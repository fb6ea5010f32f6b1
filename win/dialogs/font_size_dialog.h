// The font size dialog (menu "フォントサイズ"): the title font size on the
// single-picture screen and on split screens.
#pragma once

#include <windows.h>

#include "win/dialogs/dialog_context.h"

namespace korvex7::win {

void RunFontSizeDialog(const DialogContext& context);

}  // namespace korvex7::win
