#include "win/dialogs/dialog_common.h"

#include <cstdlib>
#include <string>

#include "win/dialogs/dialog_caption.h"
#include "win/support/message_box.h"
#include "win/support/text.h"

namespace korvex7::win {

namespace {

// What RunSettingsDialog keeps in the dialog window (DWLP_USER) while the
// dialog is open; it lives in RunSettingsDialog's frame.
struct DialogFrame {
  const DialogContext& context;
  DLGPROC procedure;
  void* data;
  bool initializing = false;
};

DialogFrame* FrameOf(HWND dialog) {
  return reinterpret_cast<DialogFrame*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

DialogFrame& OpenFrameOf(HWND dialog) {
  DialogFrame* frame = FrameOf(dialog);
  // Only a dialog opened by RunSettingsDialog is ever handed to the helpers,
  // and only from its own procedure, which runs once the frame is attached.
  if (frame == nullptr) std::abort();
  return *frame;
}

// Attaches the frame at WM_INITDIALOG, then hands every message to the
// dialog's own procedure. The few messages before WM_INITDIALOG (the font,
// the creation) get the default handling.
INT_PTR CALLBACK FrameProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* frame = reinterpret_cast<DialogFrame*>(lParam);
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    return frame->procedure(dialog, message, wParam, reinterpret_cast<LPARAM>(frame->data));
  }
  DialogFrame* frame = FrameOf(dialog);
  if (frame == nullptr) return FALSE;
  return frame->procedure(dialog, message, wParam, lParam);
}

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

void RunSettingsDialog(const DialogContext& context, int resource, DLGPROC procedure, void* data) {
  DialogFrame frame{context, procedure, data};
  DialogBoxParamW(context.instance, MAKEINTRESOURCEW(resource), context.owner, FrameProc,
                  reinterpret_cast<LPARAM>(&frame));
}

const DialogContext& DialogContextOf(HWND dialog) { return OpenFrameOf(dialog).context; }

Session& DialogSessionOf(HWND dialog) { return OpenFrameOf(dialog).context.session; }

void* DialogDataOf(HWND dialog) {
  const DialogFrame* frame = FrameOf(dialog);
  return frame != nullptr ? frame->data : nullptr;
}

void SetSettingsCaption(HWND dialog, std::wstring_view featureCaption) {
  SetDialogCaption(dialog, featureCaption, DialogSessionOf(dialog).model.document.fileName);
}

bool DialogInitializing(HWND dialog) { return OpenFrameOf(dialog).initializing; }

DialogInitializingScope::DialogInitializingScope(HWND dialog) : dialog_(dialog) {
  OpenFrameOf(dialog_).initializing = true;
}

DialogInitializingScope::~DialogInitializingScope() { OpenFrameOf(dialog_).initializing = false; }

void InitSlaveAddressList(HWND dialog, int listId, SlaveList kind) {
  HWND list = GetDlgItem(dialog, listId);
  if (list == nullptr) return;
  const int count = kind == SlaveList::kWithBroadcast ? kSlaveAddressItems : kUnitAddressItems;
  for (int i = 0; i < count; ++i) AddListItem(list, Utf8ToWide(SlaveAddressItem(i)));
  const SettingsModel::Link& link = DialogSessionOf(dialog).model.link;
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

void MarkModified(HWND dialog) { DialogSessionOf(dialog).model.document.modified = 1; }

void MarkEditModified(HWND dialog) {
  if (!DialogInitializing(dialog)) MarkModified(dialog);
}

void ShowInvalidTitleCharacters() { ShowStatusMessage(InvalidTitleCharactersMessage()); }

bool HandleValueListCommand(HWND dialog, WPARAM wParam, int listId, std::int32_t& field) {
  if (LOWORD(wParam) != listId) return false;
  if (HIWORD(wParam) == CBN_SELCHANGE) {
    const int selected = ListSelection(dialog, listId);
    if (selected >= 0) {
      field = selected;
      MarkModified(dialog);
    }
  }
  return true;
}

void InitBoundLists(HWND dialog, std::span<const BoundListRow> rows) {
  SettingsModel& model = DialogSessionOf(dialog).model;
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
          row.field(DialogSessionOf(dialog).model) = selected;
          if (row.marksModified) MarkModified(dialog);
        }
      }
      return true;
    }
    if (row.setId != 0 && id == row.setId) {
      if (HIWORD(wParam) == BN_CLICKED && row.send != nullptr) PressSetButton(dialog, row.send);
      return true;
    }
  }
  return false;
}

bool CloseSettingsDialog(HWND dialog, const SetAllRun* run) {
  if (run != nullptr && run->Active()) return false;
  ResetReplyWait(DialogSessionOf(dialog).replyWait);
  EndDialog(dialog, IDCANCEL);
  return true;
}

bool HandleCommonCommand(HWND dialog, WPARAM wParam, int slaveListId, int closeId,
                         const SetAllRun* run) {
  const int id = LOWORD(wParam);
  if (slaveListId != 0 && id == slaveListId) {
    if (HIWORD(wParam) == CBN_SELCHANGE) {
      const int selected = ListSelection(dialog, slaveListId);
      if (selected >= 0) DialogSessionOf(dialog).model.link.slaveAddress = selected;
    }
    return true;
  }
  if ((closeId != 0 && id == closeId) || id == IDCANCEL) {
    CloseSettingsDialog(dialog, run);
    return true;
  }
  return false;
}

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
