// The date and time dialog (menu "日付・時刻", dialog 104): sets the unit's
// clock one component at a time from lists preset to the computer's clock,
// the 30-second correction, and the two date-and-time display settings.
#pragma once

#include <windows.h>

#include "win/dialogs/dialog_context.h"

namespace korvex7::win {

void RunDateTimeDialog(const DialogContext& context);

}  // namespace korvex7::win
