#include "win/dialogs/dialog_common.h"

#include <cstdlib>

#include "core/link/status_messages.h"
#include "core/ui/common_dialog_rules.h"
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

void AddListItem(HWND list, std::wstring_view item) {
  const std::wstring text(item);
  SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
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

void MarkModified(HWND dialog) { DialogSessionOf(dialog).model.document.modified = 1; }

void MarkEditModified(HWND dialog) {
  if (!DialogInitializing(dialog)) MarkModified(dialog);
}

void ShowInvalidTitleCharacters() { ShowStatusMessage(InvalidTitleCharactersMessage()); }

void CloseSettingsDialog(HWND dialog) {
  ResetReplyWait(DialogSessionOf(dialog).replyWait);
  EndDialog(dialog, IDCANCEL);
}

}  // namespace korvex7::win
