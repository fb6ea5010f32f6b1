// The title position dialog (menu "タイトル位置微調整"): the vertical and
// horizontal fine offset of the titles, "00".."15".
#pragma once

#include <windows.h>

#include "win/dialogs/dialog_context.h"

namespace korvex7::win {

void RunTitlePositionDialog(const DialogContext& context);

}  // namespace korvex7::win
