// What a dialog is given by the window that opens it: the module holding
// the dialog templates, the owner window and the program's Session. The
// main window fills it; the dialogs know nothing else of it (the
// communication settings, which change the port, are given the port's
// settings and a way to apply them besides).
#pragma once

#include <windows.h>

#include "core/link/session.h"

namespace korvex7::win {

struct DialogContext {
  HINSTANCE instance = nullptr;  // the module with the dialog templates
  HWND owner = nullptr;          // owns the dialog and its message boxes
  Session& session;              // model, reply wait, port writer
};

}  // namespace korvex7::win
