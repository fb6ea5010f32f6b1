// The dialog host: what every dialog of the program shares, written once.
//
// A dialog opens modally over the owner its DialogContext names
// (RunSettingsDialog) and keeps that context, and the data it was opened
// with, until it ends; the functions below find them through the dialog
// window they are handed. Everything a settings dialog edits lives in the
// Session of its context: the model is edited in place, there is no private
// copy and no cancel. The unit's answer to a Set button is shown by the main
// window's status timer, not by the dialog.
//
// The settings dialogs are built on this host by the dialog engine
// (form_dialog.h) from their lists (bound_lists.h) and their Set-all run
// (set_all_run.h); a dialog of another shape (the communication settings)
// writes its own procedure over the host.
//
// All of this runs on the user-interface thread only.
#pragma once

#include <windows.h>

#include <string_view>

#include "core/link/session.h"
#include "win/dialogs/dialog_context.h"

namespace korvex7::win {

// Opens a modal dialog from its template in context.instance, owned by
// context.owner, and returns when it has closed. The dialog window keeps the
// context and `data` until then; `procedure` gets every message from
// WM_INITDIALOG on, that one with `data` as lParam.
void RunSettingsDialog(const DialogContext& context, int resource, DLGPROC procedure,
                       void* data = nullptr);

// The context and the data a dialog was opened with (RunSettingsDialog).
// The context is only asked for by a dialog's procedure, which runs only
// while it is there.
const DialogContext& DialogContextOf(HWND dialog);
Session& DialogSessionOf(HWND dialog);
void* DialogDataOf(HWND dialog);
template <typename T>
T* DialogData(HWND dialog) {
  return static_cast<T*>(DialogDataOf(dialog));
}

// ---- Opening -------------------------------------------------------------

// The feature caption (ending in its blanks) followed by document.fileName.
void SetSettingsCaption(HWND dialog, std::wstring_view featureCaption);

// dialogInitializing: set while a dialog whose edit box holds a setting
// fills its controls, so that the edit's change notifications do not count
// as edits. The scope sets it for the lifetime of the object.
bool DialogInitializing(HWND dialog);
class DialogInitializingScope {
 public:
  explicit DialogInitializingScope(HWND dialog);
  ~DialogInitializingScope();
  DialogInitializingScope(const DialogInitializingScope&) = delete;
  DialogInitializingScope& operator=(const DialogInitializingScope&) = delete;

 private:
  HWND dialog_;
};

// Fills the drop-down list with "00".."31" and "Broadcast" (read-all: no
// Broadcast), selects link.slaveAddress and disables the list in RS-232C
// mode.
enum class SlaveList { kWithBroadcast, kUnitsOnly };
void InitSlaveAddressList(HWND dialog, int listId, SlaveList kind = SlaveList::kWithBroadcast);

// ---- Edits ---------------------------------------------------------------

// document.modified := 1 (a list or a radio button changed by the operator).
void MarkModified(HWND dialog);
// document.modified := 1 unless dialogInitializing (an edit box changed).
void MarkEditModified(HWND dialog);

// The title-character warning ("ＪＩＳ第１水準..."), shown by the title
// dialog's "設定" and by a run that stops at a title it cannot send.
void ShowInvalidTitleCharacters();

// ---- Close ---------------------------------------------------------------

// "Close", the title-bar close and Escape: ResetReplyWait, then end the
// dialog.
void CloseSettingsDialog(HWND dialog);

}  // namespace korvex7::win
