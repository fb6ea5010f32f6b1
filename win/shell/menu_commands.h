// The main window's command handler: the file commands New, Open, Save,
// Save As and Exit with the unsaved-changes prompt, the window close, the
// communication settings, the about box, and the settings dialogs.
#pragma once

#include <windows.h>

#include <string>

namespace korvex7::win {

struct App;

// Every command message of the main window (menu and toolbar).
void OnMenuCommand(App& app, HWND hwnd, int commandId);

// The close request of the main window (system menu, title bar, Alt+F4).
void OnMainWindowClose(App& app, HWND hwnd);

// Save: to the current file, or through Save As when untitled. True when the
// file was written.
bool SaveDocument(App& app, HWND hwnd);

// Save As: asks for a name, then saves. True when the file was written.
bool SaveDocumentAs(App& app, HWND hwnd);

// The unsaved-changes prompt; true when the asking command may go on.
bool ConfirmDiscard(App& app, HWND hwnd);

// The same prompt owned by `promptOwner` (a window of the program over the
// main window) with `extraStyle` added to its message box; a save it leads
// to runs on the main window `hwnd`.
bool ConfirmDiscardOwnedBy(App& app, HWND hwnd, HWND promptOwner, UINT extraStyle);

// Prepares the shared open/save dialog record (start-up).
void PrepareFileDialog(App& app, HWND owner, const std::wstring& initialDirectory);

}  // namespace korvex7::win
