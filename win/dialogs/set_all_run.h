// A paced sequence of the core (BulkRun: the title and video adjustment
// Set-all sequences, the read-all and send-all runs) driven from a dialog
// timer.
//
// While it runs it relabels its button to "キャンセル", disables the
// dialog's locked controls (and, in RS-485 mode, the slave-address list) and
// greys the system menu's "Close"; it shows the cancel and completion
// messages and restores the dialog afterwards. The dialog keeps the SetAllRun
// in its state; the dialog engine (form_dialog.h) forwards the button's click
// and WM_TIMER to it and keeps the dialog open while it runs.
#pragma once

#include <windows.h>

#include <functional>
#include <string_view>
#include <vector>

#include "core/link/session.h"
#include "core/transfer/bulk_run.h"

namespace korvex7::win {

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

  // The button that starts and cancels the sequence.
  int ButtonId() const { return options_.buttonId; }

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
