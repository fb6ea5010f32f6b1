// What every settings dialog shares, written once.
//
// Each settings dialog is one file: a small data struct (if it needs one), a
// static dialog procedure and one Run function that opens the dialog modally
// over the owner its DialogContext names. The procedure calls the helpers
// below for the parts every dialog has, so a dialog's own file holds only its
// own controls. Most settings dialogs do not write the procedure at all: they
// describe themselves in a FormDialog table (form_dialog.h), whose procedure
// makes these calls for them.
//
//   WM_INITDIALOG  DialogInitializingScope (dialogs with an edit box that
//                  holds a setting), SetSettingsCaption, InitValueList for
//                  each list, InitSlaveAddressList.
//   WM_COMMAND     HandleValueListCommand for each bound list, then
//                  PressSetButton(encoder) for each "設定" button, then
//                  HandleCommonCommand (slave address, "Close", Escape).
//                  A dialog whose lists each have one field and one encoder
//                  can describe them as BoundListRow tables instead
//                  (InitBoundLists, HandleBoundListCommand).
//   WM_CLOSE       CloseSettingsDialog (the title-bar close).
//   WM_TIMER       SetAllRun::OnTimer in the dialogs with a Set-all sequence.
//
// Everything a dialog edits lives in the Session of its DialogContext: the
// model is edited in place, there is no private copy and no cancel. The
// dialog window carries its context from WM_INITDIALOG to its end, so the
// helpers below find the Session through the dialog they are handed. The
// unit's answer to a Set button is shown by the main window's status timer,
// not by the dialog.
//
// SetAllRun drives a paced sequence of the core (BulkRun: the title and video
// adjustment Set-all sequences, the read-all and send-all runs) from a dialog
// timer: it relabels the button to "キャンセル", disables the dialog's locked
// controls (and, in RS-485 mode, the slave-address list), greys the system
// menu's "Close", shows the cancel and completion messages and restores the
// dialog afterwards. The dialog owns the SetAllRun (in its data struct) and
// forwards the button click and WM_TIMER to it.
//
// All of this runs on the user-interface thread only.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "core/link/session.h"
#include "core/transfer/bulk_run.h"
#include "core/ui/common_dialog_rules.h"
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

// Fills a value list with its items (UTF-8) in their fixed order, then
// selects `value`; a value outside the list leaves it without a selection.
void FillValueList(HWND dialog, int listId, std::span<const std::string_view> items);
void SelectListValue(HWND dialog, int listId, std::int32_t value);
void InitValueList(HWND dialog, int listId, std::span<const std::string_view> items,
                   std::int32_t value);
// The current selection of a list, -1 when none.
int ListSelection(HWND dialog, int listId);

// An ON/OFF radio pair: checks "ON" when value is 1, otherwise "OFF".
void InitOnOffRadios(HWND dialog, int onId, int offId, std::int32_t value);

// ---- Edits ---------------------------------------------------------------

// document.modified := 1 (a list or a radio button changed by the operator).
void MarkModified(HWND dialog);
// document.modified := 1 unless dialogInitializing (an edit box changed).
void MarkEditModified(HWND dialog);

// WM_COMMAND of a list bound to `field`: on CBN_SELCHANGE stores the index
// and marks the document modified. True when the command came from listId
// (whatever its notification), so the caller stops looking.
bool HandleValueListCommand(HWND dialog, WPARAM wParam, int listId, std::int32_t& field);

// ---- Set buttons ---------------------------------------------------------

// A "設定" button: ignored while a command awaits its answer; otherwise
// replyWait.transferMode 0 and the encoder. True when the encoder ran.
template <typename Encoder>
bool PressSetButton(HWND dialog, Encoder&& encoder) {
  return korvex7::PressSetButton(DialogSessionOf(dialog), std::forward<Encoder>(encoder));
}

// The title-character warning ("ＪＩＳ第１水準..."), shown by the title
// dialog's "設定" and by a run that stops at a title it cannot send.
void ShowInvalidTitleCharacters();

// ---- Lists bound to the model, each with its "設定" button ---------------

// One value list of a dialog: its items (position = stored value), the field
// it edits, and the "設定" button with the encoder that sends the field.
struct BoundListRow {
  int listId;
  int setId;  // 0: the list has no button of its own
  std::span<const std::string_view> items;
  std::int32_t& (*field)(SettingsModel& model);
  bool (*send)(Session& session);  // null: nothing to send
  bool marksModified = true;       // false for a choice that is not saved
};

// Fills every list and selects its field's value.
void InitBoundLists(HWND dialog, std::span<const BoundListRow> rows);

// WM_COMMAND for the rows: a list's changed selection stores it (and marks
// the document modified), a row's "設定" runs its encoder by the Set-button
// rule. True when the command belonged to one of the rows.
bool HandleBoundListCommand(HWND dialog, WPARAM wParam, std::span<const BoundListRow> rows);

class SetAllRun;

// ---- Close ---------------------------------------------------------------

// "Close", the title-bar close and Escape: ResetReplyWait, then end the
// dialog. Refused (false) while `run` is active: the dialog cannot be closed
// until its sequence finishes or is cancelled.
bool CloseSettingsDialog(HWND dialog, const SetAllRun* run = nullptr);

// The commands every settings dialog handles alike: the slave-address list
// (CBN_SELCHANGE stores link.slaveAddress, not the document state), the
// "Close" button and IDCANCEL (Escape). True when handled.
bool HandleCommonCommand(HWND dialog, WPARAM wParam, int slaveListId, int closeId,
                         const SetAllRun* run = nullptr);

// ---- Set-all sequences ---------------------------------------------------

struct SetAllOptions {
  int buttonId = 0;                 // the "全設定" / "読み込み" / "設定" button
  std::wstring_view idleLabel;      // its text while no sequence runs
  std::vector<int> lockedControls;  // disabled while the sequence runs
  int slaveListId = 0;              // disabled while running (RS-485 mode only)
  UINT periodMs = 400;              // the pacing timer's period
  bool closeOnSuccess = false;      // read-all and send-all close on success

  // Optional hooks: before the first tick (progress reset), after each step
  // with the percentage of steps started, and when the dialog is restored
  // after finish or cancel.
  std::function<void(HWND)> onStart;
  std::function<void(HWND, int percent)> onStep;
  std::function<void(HWND)> onRestore;
};

class SetAllRun {
 public:
  // `session` is the dialog's own (its context's), and outlives the run.
  SetAllRun(Session& session, BulkSequence sequence, SetAllOptions options);

  // The button: starts the sequence when none runs (ignored while a command
  // awaits its answer), or cancels it (ignored while its last step is in
  // flight).
  void OnButton(HWND dialog);

  // WM_TIMER: true when the tick was this sequence's timer.
  bool OnTimer(HWND dialog, WPARAM timerId);

  bool Active() const;

 private:
  void Start(HWND dialog);
  void Cancel(HWND dialog);
  void Lock(HWND dialog, bool locked);
  void Restore(HWND dialog);

  Session& session_;
  BulkRun run_;
  SetAllOptions options_;
};

}  // namespace korvex7::win
