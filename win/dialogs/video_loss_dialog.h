// The video loss dialog (menu "ビデオロス", dialog 105): loss detection per
// channel, the screen display, the signal output and the background colour,
// each sent by its own "設定" button.
#pragma once

#include <windows.h>

#include "win/dialogs/dialog_context.h"

namespace korvex7::win {

void RunVideoLossDialog(const DialogContext& context);

}  // namespace korvex7::win
