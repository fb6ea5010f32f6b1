#include "win/dialogs/dialog_common.h"

#include <string>

#include "win/dialogs/dialog_caption.h"
#include "win/shell/app.h"
#include "win/shell/status_display.h"
#include "win/support/message_box.h"
#include "win/support/text.h"

namespace korvex7::win {

namespace {

// dialogInitializing of the settings dialogs (user-interface thread only).
int g_dialogInitializing = 0;

constexpr wchar_t kRunningLabel[] = L"キャンセル";
constexpr wchar_t kCancelledText[] = L"中止しました";
constexpr wchar_t kCancelledCaption[] = L"キャンセル";

void AddListItem(HWND list, std::wstring_view item) {
  const std::wstring text(item);
  SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int ListCount(HWND list) {
  const LRESULT n = SendMessageW(list, CB_GETCOUNT, 0, 0);
  return n == CB_ERR ? 0 : static_cast<int>(n);
}

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

Session& DialogSession() { return TheApp().session; }

void RunSettingsDialog(HWND owner, int resource, DLGPROC procedure, void* data) {
  DialogBoxParamW(TheApp().instance, MAKEINTRESOURCEW(resource), owner, procedure,
                  reinterpret_cast<LPARAM>(data));
}

void AttachDialogData(HWND dialog, LPARAM data) { SetWindowLongPtrW(dialog, DWLP_USER, data); }

void SetSettingsCaption(HWND dialog, std::wstring_view featureCaption) {
  SetDialogCaption(dialog, featureCaption);
}

bool DialogInitializing() { return g_dialogInitializing != 0; }

DialogInitializingScope::DialogInitializingScope() { g_dialogInitializing = 1; }

DialogInitializingScope::~DialogInitializingScope() { g_dialogInitializing = 0; }

void InitSlaveAddressList(HWND dialog, int listId, SlaveList kind) {
  HWND list = GetDlgItem(dialog, listId);
  if (list == nullptr) return;
  const int count = kind == SlaveList::kWithBroadcast ? kSlaveAddressItems : kUnitAddressItems;
  for (int i = 0; i < count; ++i) AddListItem(list, Utf8ToWide(SlaveAddressItem(i)));
  const SettingsModel::Link& link = DialogSession().model.link;
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(ListSelectionFor(link.slaveAddress, count)),
               0);
  EnableWindow(list, SlaveAddressListEnabled(link.mode, false) ? TRUE : FALSE);
}

void FillValueList(HWND dialog, int listId, std::span<const std::string_view> items) {
  HWND list = GetDlgItem(dialog, listId);
  if (list == nullptr) return;
  for (std::string_view item : items) AddListItem(list, Utf8ToWide(item));
}

void SelectListValue(HWND dialog, int listId, std::int32_t value) {
  HWND list = GetDlgItem(dialog, listId);
  if (list == nullptr) return;
  // CB_SETCURSEL with -1 clears the selection.
  const int position = ListSelectionFor(value, ListCount(list));
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

void InitValueList(HWND dialog, int listId, std::span<const std::string_view> items,
                   std::int32_t value) {
  FillValueList(dialog, listId, items);
  SelectListValue(dialog, listId, value);
}

int ListSelection(HWND dialog, int listId) {
  const LRESULT r = SendDlgItemMessageW(dialog, listId, CB_GETCURSEL, 0, 0);
  return r == CB_ERR ? -1 : static_cast<int>(r);
}

void InitOnOffRadios(HWND dialog, int onId, int offId, std::int32_t value) {
  CheckDlgButton(dialog, onId, value == 1 ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, offId, value == 1 ? BST_UNCHECKED : BST_CHECKED);
}

void MarkModified() { DialogSession().model.document.modified = 1; }

void MarkEditModified() {
  if (!DialogInitializing()) MarkModified();
}

bool HandleValueListCommand(HWND dialog, WPARAM wParam, int listId, std::int32_t& field) {
  if (LOWORD(wParam) != listId) return false;
  if (HIWORD(wParam) == CBN_SELCHANGE) {
    const int selected = ListSelection(dialog, listId);
    if (selected >= 0) {
      field = selected;
      MarkModified();
    }
  }
  return true;
}

void InitBoundLists(HWND dialog, std::span<const BoundListRow> rows) {
  SettingsModel& model = DialogSession().model;
  for (const BoundListRow& row : rows)
    InitValueList(dialog, row.listId, row.items, row.field(model));
}

bool HandleBoundListCommand(HWND dialog, WPARAM wParam, std::span<const BoundListRow> rows) {
  const int id = LOWORD(wParam);
  for (const BoundListRow& row : rows) {
    if (id == row.listId) {
      if (HIWORD(wParam) == CBN_SELCHANGE) {
        const int selected = ListSelection(dialog, row.listId);
        if (selected >= 0) {
          row.field(DialogSession().model) = selected;
          if (row.marksModified) MarkModified();
        }
      }
      return true;
    }
    if (row.setId != 0 && id == row.setId) {
      if (HIWORD(wParam) == BN_CLICKED && row.send != nullptr) PressSetButton(row.send);
      return true;
    }
  }
  return false;
}

bool CloseSettingsDialog(HWND dialog, const SetAllRun* run) {
  if (run != nullptr && run->Active()) return false;
  ResetReplyWait(DialogSession().replyWait);
  EndDialog(dialog, IDCANCEL);
  return true;
}

bool HandleCommonCommand(HWND dialog, WPARAM wParam, int slaveListId, int closeId,
                         const SetAllRun* run) {
  const int id = LOWORD(wParam);
  if (slaveListId != 0 && id == slaveListId) {
    if (HIWORD(wParam) == CBN_SELCHANGE) {
      const int selected = ListSelection(dialog, slaveListId);
      if (selected >= 0) DialogSession().model.link.slaveAddress = selected;
    }
    return true;
  }
  if ((closeId != 0 && id == closeId) || id == IDCANCEL) {
    CloseSettingsDialog(dialog, run);
    return true;
  }
  return false;
}

SetAllRun::SetAllRun(BulkSequence sequence, SetAllOptions options)
    : run_(std::move(sequence)), options_(std::move(options)) {}

bool SetAllRun::Active() const { return run_.Running(DialogSession()); }

void SetAllRun::OnButton(HWND dialog) {
  if (Active()) {
    Cancel(dialog);
  } else {
    Start(dialog);
  }
}

void SetAllRun::Start(HWND dialog) {
  Session& s = DialogSession();
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
  if (run_.Cancel(DialogSession()) != BulkCancel::kCancelled) return;
  KillTimer(dialog, static_cast<UINT_PTR>(run_.sequence().timerId));
  ShowMessage(nullptr, kCancelledText, kCancelledCaption, MB_OK | MB_ICONERROR | MB_TASKMODAL);
  Restore(dialog);
}

bool SetAllRun::OnTimer(HWND dialog, WPARAM timerId) {
  if (timerId != static_cast<WPARAM>(run_.sequence().timerId)) return false;
  const BulkTick tick = run_.Tick(DialogSession());
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
      if (options_.closeOnSuccess) CloseSettingsDialog(dialog, this);
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
                  SlaveAddressListEnabled(DialogSession().model.link.mode, locked));
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
