#include "win/dialogs/set_all_run.h"

#include <string>

#include "core/ui/common_dialog_rules.h"
#include "win/dialogs/dialog_common.h"
#include "win/support/message_box.h"
#include "win/support/text.h"

namespace korvex7::win {

namespace {

constexpr wchar_t kRunningLabel[] = L"キャンセル";
constexpr wchar_t kCancelledText[] = L"中止しました";
constexpr wchar_t kCancelledCaption[] = L"キャンセル";

void EnableControl(HWND dialog, int id, bool enabled) {
  if (HWND control = GetDlgItem(dialog, id); control != nullptr) {
    EnableWindow(control, enabled ? TRUE : FALSE);
  }
}

void EnableSystemClose(HWND dialog, bool enabled) {
  if (HMENU menu = GetSystemMenu(dialog, FALSE); menu != nullptr) {
    EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  }
}

}  // namespace

SetAllRun::SetAllRun(Session& session, BulkSequence sequence, SetAllOptions options)
    : session_(session), run_(std::move(sequence)), options_(std::move(options)) {}

bool SetAllRun::Active() const { return run_.Running(session_); }

void SetAllRun::OnButton(HWND dialog) {
  if (Active()) {
    Cancel(dialog);
  } else {
    Start(dialog);
  }
}

void SetAllRun::Start(HWND dialog) {
  Session& s = session_;
  if (!run_.Start(s)) return;
  if (SetTimer(dialog, static_cast<UINT_PTR>(run_.sequence().timerId), options_.periodMs,
               nullptr) == 0) {
    // Without its timer the sequence could never finish: leave it unstarted.
    ClearRunState(s.replyWait);
    return;
  }
  Lock(dialog, true);
  if (options_.onStart) options_.onStart(dialog);
}

void SetAllRun::Cancel(HWND dialog) {
  if (run_.Cancel(session_) != BulkCancel::kCancelled) return;
  KillTimer(dialog, static_cast<UINT_PTR>(run_.sequence().timerId));
  ShowMessage(nullptr, kCancelledText, kCancelledCaption, MB_OK | MB_ICONERROR | MB_TASKMODAL);
  Restore(dialog);
}

bool SetAllRun::OnTimer(HWND dialog, WPARAM timerId) {
  if (timerId != static_cast<WPARAM>(run_.sequence().timerId)) return false;
  const BulkTick tick = run_.Tick(session_);
  switch (tick.kind) {
    case BulkTick::kNotRunning:
      // A tick queued before the sequence ended.
      KillTimer(dialog, timerId);
      break;
    case BulkTick::kWaiting:
      break;
    case BulkTick::kStepSent:
      if (options_.onStep) options_.onStep(dialog, tick.percent);
      if (tick.showTitleCharacterMessage) ShowInvalidTitleCharacters();
      break;
    case BulkTick::kSucceeded: {
      KillTimer(dialog, timerId);
      const BulkSequence& seq = run_.sequence();
      ShowMessage(nullptr, Utf8ToWide(seq.successText), Utf8ToWide(seq.successCaption),
                  MB_OK | MB_TASKMODAL);
      Restore(dialog);
      if (options_.closeOnSuccess) CloseSettingsDialog(dialog);
      break;
    }
    case BulkTick::kFailed:
      KillTimer(dialog, timerId);
      Restore(dialog);
      break;
  }
  return true;
}

void SetAllRun::Lock(HWND dialog, bool locked) {
  for (int id : options_.lockedControls) EnableControl(dialog, id, !locked);
  if (options_.slaveListId != 0) {
    EnableControl(dialog, options_.slaveListId,
                  SlaveAddressListEnabled(session_.model.link.mode, locked));
  }
  const std::wstring label(locked ? std::wstring_view(kRunningLabel) : options_.idleLabel);
  SetDlgItemTextW(dialog, options_.buttonId, label.c_str());
  EnableSystemClose(dialog, !locked);
}

void SetAllRun::Restore(HWND dialog) {
  Lock(dialog, false);
  if (options_.onRestore) options_.onRestore(dialog);
}

}  // namespace korvex7::win
