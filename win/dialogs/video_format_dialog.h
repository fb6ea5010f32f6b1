// The video format dialog (menu "ビデオフォーマット", dialog 147): the input
// format of each channel with its own "設定", "同設定" to give every channel
// one format, and "全設定" sending all sixteen in one command.
#pragma once

#include <windows.h>

#include "win/dialogs/dialog_context.h"

namespace korvex7::win {

void RunVideoFormatDialog(const DialogContext& context);

}  // namespace korvex7::win
