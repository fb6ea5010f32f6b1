// What a dialog is given by the window that opens it: the module holding
// the dialog templates, the owner window, the program's Session and the one
// thing of the main window a dialog may ask for, the reopening of the port.
// The main window fills it; the dialogs know nothing else of it.
#pragma once

#include <windows.h>

#include <functional>

#include "core/link/session.h"

namespace korvex7::win {

struct DialogContext {
  HINSTANCE instance = nullptr;  // the module with the dialog templates
  HWND owner = nullptr;          // owns the dialog and its message boxes
  Session& session;              // model, reply wait, port writer
  // Closes the port and has it opened again, a moment later, as
  // link.comPort now names it (the communication settings after "OK").
  std::function<void()> reopenPort;
};

}  // namespace korvex7::win
