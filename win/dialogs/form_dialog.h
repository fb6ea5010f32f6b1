// The dialog engine every settings dialog runs on.
//
// A settings dialog describes itself in a FormDialog: its template and
// caption, its value lists bound to the model (each with its own "設定" and
// encoder), the slave-address list and "Close", and, where it has one, its
// Set-all run. The engine's one procedure does what they all do:
//
//   WM_INITDIALOG  the caption (feature caption and file name), the bound
//                  lists, the slave-address list, then the dialog's `init`;
//                  edit-box changes meanwhile do not count as edits.
//   WM_COMMAND     the dialog's `command` first, then the bound lists, the
//                  Set-all button, the slave-address list (it stores
//                  link.slaveAddress, not the document state), "Close" and
//                  Escape.
//   WM_TIMER       the Set-all run's ticks.
//   WM_PAINT       the dialog's `paint`, if it paints.
//   WM_CLOSE       the title-bar close, as "Close".
//   any other      the dialog's `message`.
//
// A dialog that keeps something while it is open (its Set-all run, the text
// its edit box showed, where its boxes were designed) keeps it in a State
// object of its own, which it hands to RunFormDialog and which every hook
// gets. Closing is refused while the Set-all run is active: the dialog stays
// until its sequence finishes or is cancelled.
#pragma once

#include <windows.h>

#include <span>
#include <string_view>

#include "win/dialogs/bound_lists.h"
#include "win/dialogs/dialog_common.h"
#include "win/dialogs/set_all_run.h"

namespace korvex7::win {

// The state of a dialog that keeps none.
struct NoState {};

template <typename State = NoState>
struct FormDialog {
  int resource = 0;
  std::wstring_view caption{};            // ends in its blanks; the file name follows
  std::span<const BoundListRow> lists{};  // each list with its "設定" and encoder
  int slaveListId = 0;
  SlaveList slaveList = SlaveList::kWithBroadcast;
  int closeId = 0;
  // The dialog's Set-all run, a member of its state; none when null.
  SetAllRun State::*setAll = nullptr;
  // Any command that no control claims (Enter among them) closes the dialog
  // as "Close" does.
  bool otherCommandsClose = false;

  // WM_INITDIALOG, after the caption, the lists and the slave-address list:
  // fills the dialog's own controls.
  void (*init)(HWND dialog, State& state) = nullptr;
  // WM_COMMAND, before the lists: true when the command was for one of the
  // dialog's own controls.
  bool (*command)(HWND dialog, State& state, WPARAM wParam) = nullptr;
  // WM_PAINT: paints the dialog's preview or table.
  void (*paint)(HWND dialog, State& state) = nullptr;
  // Any message the engine does not take; returns what the dialog procedure
  // returns (FALSE: the default handling follows).
  INT_PTR(*message)
  (HWND dialog, State& state, UINT message, WPARAM wParam, LPARAM lParam) = nullptr;
};

namespace form_engine {

// The parts of WM_INITDIALOG and WM_COMMAND every form shares.
void Open(HWND dialog, std::wstring_view caption, std::span<const BoundListRow> lists,
          int slaveListId, SlaveList slaveList);
bool Command(HWND dialog, WPARAM wParam, std::span<const BoundListRow> lists, int slaveListId,
             int closeId, SetAllRun* run, bool otherCommandsClose);
// "Close", refused while the run is active.
void Close(HWND dialog, const SetAllRun* run);

template <typename State>
struct Frame {
  const FormDialog<State>& form;
  State& state;
};

template <typename State>
INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const Frame<State>& frame = *reinterpret_cast<const Frame<State>*>(lParam);
    const FormDialog<State>& form = frame.form;
    const DialogInitializingScope initializing(dialog);
    Open(dialog, form.caption, form.lists, form.slaveListId, form.slaveList);
    if (form.init != nullptr) form.init(dialog, frame.state);
    return TRUE;
  }
  const auto* frame = DialogData<const Frame<State>>(dialog);
  if (frame == nullptr) return FALSE;
  const FormDialog<State>& form = frame->form;
  State& state = frame->state;
  SetAllRun* run = form.setAll != nullptr ? &(state.*form.setAll) : nullptr;
  switch (message) {
    case WM_COMMAND:
      if (form.command != nullptr && form.command(dialog, state, wParam)) return TRUE;
      return Command(dialog, wParam, form.lists, form.slaveListId, form.closeId, run,
                     form.otherCommandsClose)
                 ? TRUE
                 : FALSE;
    case WM_TIMER:
      return run != nullptr && run->OnTimer(dialog, wParam) ? TRUE : FALSE;
    case WM_PAINT:
      if (form.paint == nullptr) break;
      form.paint(dialog, state);
      return TRUE;
    case WM_CLOSE:
      Close(dialog, run);
      return TRUE;
    default:
      break;
  }
  return form.message != nullptr ? form.message(dialog, state, message, wParam, lParam) : FALSE;
}

}  // namespace form_engine

// Opens the dialog modally over context.owner with its state; returns when
// it has closed.
template <typename State>
void RunFormDialog(const DialogContext& context, const FormDialog<State>& form, State& state) {
  form_engine::Frame<State> frame{form, state};
  RunSettingsDialog(context, form.resource, form_engine::Procedure<State>, &frame);
}

inline void RunFormDialog(const DialogContext& context, const FormDialog<>& form) {
  NoState none;
  RunFormDialog(context, form, none);
}

}  // namespace korvex7::win
