// The auto switching dialog (menu "自動切換え"): the mode and the dwell time of
// each sequence entry, with a painted table of the dwell times of the mode.
#pragma once

#include <windows.h>

#include "win/dialogs/dialog_context.h"

namespace korvex7::win {

void RunAutoSwitchDialog(const DialogContext& context);

}  // namespace korvex7::win
