// The communication-settings dialog (dialog 118): the port, the line mode
// and the handshake. The port list offers every serial port of the computer
// (win/serial/port_choices.h). "OK" writes each changed value to the profile
// file (win/serial/link_profile.h) and hands the settings to `apply`, which
// reopens the port: the main window closes it and opens it 100 ms later
// (timer 9). It does so on every "OK", a changed choice or not, so that
// "OK" is also the way to try a port again at once. Closing the dialog any
// other way discards the choices.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "win/dialogs/dialog_context.h"
#include "win/serial/link_profile.h"
#include "win/serial/port_choices.h"

namespace korvex7::win {

void RunCommSettingsDialog(const DialogContext& context, const LinkProfile& current,
                           const std::function<void(const LinkProfile&)>& apply);

// The settings "OK" stands for, given those on opening, the ports offered
// and the selections of the three lists (-1, nothing selected, keeps the
// value from opening).
LinkProfile ChosenCommSettings(const LinkProfile& opened, const std::vector<PortChoice>& ports,
                               int portSelection, int modeSelection, int handshakeSelection);

}  // namespace korvex7::win
