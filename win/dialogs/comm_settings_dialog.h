// The communication-settings dialog (dialog 118): the COM port and the line
// mode. "OK" stores both in the link settings, writes each changed value to
// the profile file and, when the port changed, asks for the port to be
// reopened (DialogContext::reopenPort: the main window closes it and opens it
// 100 ms later, timer 9). Closing the dialog any other way discards the
// choices.
#pragma once

#include <windows.h>

#include <cstdint>

#include "win/dialogs/dialog_context.h"

namespace korvex7::win {

void RunCommSettingsDialog(const DialogContext& context);

// What "OK" has to do, given the values on opening and the selections.
struct CommSettingsChange {
  std::int32_t comPort = 0;
  std::int32_t mode = 0;
  bool writeControl = false;  // "control" changed: write it
  bool writeComPort = false;  // "com_port" changed: write it, reopen the port
};

// A selection of -1 (nothing selected) keeps the value from opening.
CommSettingsChange DecideCommSettings(std::int32_t openedComPort, std::int32_t openedMode,
                                      int selectedComPort, int selectedMode);

}  // namespace korvex7::win
