#include "win/shell/menu_commands.h"

#include <commdlg.h>

#include <cwchar>
#include <string>

#include "win/dialogs/about_dialog.h"
#include "win/dialogs/comm_settings_dialog.h"
#include "win/dialogs/dialog_context.h"
#include "win/dialogs/settings_dialogs.h"
#include "win/resources/resource.h"
#include "win/shell/app.h"
#include "win/shell/discard_prompt.h"
#include "win/shell/document_file.h"
#include "win/shell/main_window.h"
#include "win/shell/port_status.h"
#include "win/support/message_box.h"
#include "win/support/text.h"

namespace korvex7::win {

namespace {

constexpr wchar_t kErrorCaption[] = L"エラー";
constexpr wchar_t kSavePrompt[] = L"ファイルが変更されています。保存しますか？";
constexpr wchar_t kSavePromptCaption[] = L"保存確認";
constexpr wchar_t kOpenNotFound[] =
    L"指定したファイルが見つかりませんでした。\nもう一度ファイル名を入力してください。";
constexpr wchar_t kCannotOpenForWriting[] = L"ファイルを開くことができませんでした。";
constexpr wchar_t kCannotWrite[] = L"ファイルに書き込むことができませんでした。";
constexpr wchar_t kCannotReplace[] = L"ファイルを置き換えることができませんでした。";
constexpr wchar_t kDialogFailed[] = L"エラーが発生しました。アプリケーションを終了します。";
constexpr wchar_t kOpenTitle[] = L"ファイルを開く";
constexpr wchar_t kSaveAsTitle[] = L"名前を付けて保存";
// One filter entry: description and pattern, each NUL-terminated, then an
// empty string.
constexpr wchar_t kFilter[] = L"*.dat\0*.dat\0";

// Copies the current document name into the dialog's file buffer.
void LoadFileBuffer(App& app) {
  FileDialogRecord& d = app.fileDialog;
  const std::wstring name = Utf8ToWide(app.session.model.document.fileName);
  const std::size_t n = name.size() < FileDialogRecord::kFileBufferChars
                            ? name.size()
                            : FileDialogRecord::kFileBufferChars - 1;
  std::wmemset(d.fileBuffer, L'\0', FileDialogRecord::kFileBufferChars);
  std::wmemcpy(d.fileBuffer, name.data(), n);
}

// The dialog returned without a file: a real failure ends the program (with
// the unsaved-changes prompt), a cancel leaves everything as it was.
void OnFileDialogWithoutFile(HWND hwnd) {
  if (CommDlgExtendedError() == 0) return;
  ShowMessage(hwnd, kDialogFailed, kErrorCaption, MB_OK);
  // Posted, not sent: the close runs after this command has returned, so a
  // prompt inside it cannot re-enter the command that failed.
  PostMessageW(hwnd, WM_CLOSE, 0, 0);
}

bool WriteDocumentTo(SettingsModel& model, const std::wstring& path) {
  const SaveResult result = SaveSettingsFile(path, model);
  const wchar_t* message = nullptr;
  switch (result) {
    case SaveResult::kSaved:
      model.document.modified = 0;
      return true;
    case SaveResult::kCannotCreate:
      message = kCannotOpenForWriting;
      break;
    case SaveResult::kCannotWrite:
      message = kCannotWrite;
      break;
    case SaveResult::kCannotReplace:
      message = kCannotReplace;
      break;
  }
  ShowMessage(nullptr, message, kErrorCaption, MB_OK | MB_ICONERROR | MB_TASKMODAL);
  return false;
}

void NewDocument(App& app, HWND hwnd) {
  if (!ConfirmDiscard(app, hwnd)) return;
  SettingsModel& model = app.session.model;
  model.document.fileName.clear();
  ResetSettings(model);
}

void OpenDocument(App& app, HWND hwnd) {
  if (!ConfirmDiscard(app, hwnd)) return;
  FileDialogRecord& d = app.fileDialog;
  SettingsModel& model = app.session.model;
  d.ofn.lpstrTitle = kOpenTitle;
  d.ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  LoadFileBuffer(app);
  for (;;) {
    if (!GetOpenFileNameW(&d.ofn)) {
      OnFileDialogWithoutFile(hwnd);
      return;
    }
    const std::wstring path(d.fileBuffer);
    if (LoadSettingsFile(path, model)) {
      model.document.fileName = WideToUtf8(path);
      model.document.modified = 0;
      InvalidateRect(hwnd, nullptr, TRUE);
      return;
    }
    ShowMessage(hwnd, kOpenNotFound, kErrorCaption, MB_OK | MB_ICONWARNING);
  }
}

void ExitProgram(App& app, HWND hwnd) {
  if (ConfirmDiscard(app, hwnd)) DestroyWindow(hwnd);
}

// What the dialogs opened from the main window are given.
DialogContext DialogContextFor(App& app, HWND owner) {
  return DialogContext{app.instance, owner, app.session};
}

// The communication settings: the port, the line mode and the handshake in
// use; "OK" takes the chosen ones and reopens the port.
void RunCommSettings(App& app, HWND hwnd) {
  const LinkProfile current{app.portName, app.session.model.link.mode, app.line.handshake};
  RunCommSettingsDialog(DialogContextFor(app, hwnd), current, [&app](const LinkProfile& chosen) {
    app.portName = chosen.port;
    app.session.model.link.mode = chosen.mode;
    app.line.handshake = chosen.handshake;
    ClosePortAndReopenLater(app);
  });
}

}  // namespace

void PrepareFileDialog(App& app, HWND owner, const std::wstring& initialDirectory) {
  FileDialogRecord& d = app.fileDialog;
  d.initialDirectory = initialDirectory;
  d.ofn = OPENFILENAMEW{};
  d.ofn.lStructSize = sizeof(OPENFILENAMEW);
  d.ofn.hwndOwner = owner;
  d.ofn.lpstrFilter = kFilter;
  d.ofn.nFilterIndex = 1;
  d.ofn.lpstrFile = d.fileBuffer;
  d.ofn.nMaxFile = FileDialogRecord::kFileBufferChars;
  d.ofn.lpstrFileTitle = d.titleBuffer;
  d.ofn.nMaxFileTitle = FileDialogRecord::kTitleBufferChars;
  d.ofn.lpstrInitialDir = d.initialDirectory.empty() ? nullptr : d.initialDirectory.c_str();
  d.ofn.lpstrDefExt = L"dat";
}

bool ConfirmDiscard(App& app, HWND hwnd) {
  return ConfirmDiscardWith(
      app.session.model.document.modified,
      [hwnd] {
        return ShowMessage(hwnd, kSavePrompt, kSavePromptCaption, MB_YESNO) == IDYES
                   ? SaveAnswer::kYes
                   : SaveAnswer::kNo;
      },
      [&app, hwnd] { return SaveDocument(app, hwnd); });
}

bool SaveDocument(App& app, HWND hwnd) {
  const std::string& fileName = app.session.model.document.fileName;
  if (fileName.empty()) return SaveDocumentAs(app, hwnd);
  return WriteDocumentTo(app.session.model, Utf8ToWide(fileName));
}

bool SaveDocumentAs(App& app, HWND hwnd) {
  FileDialogRecord& d = app.fileDialog;
  d.ofn.lpstrTitle = kSaveAsTitle;
  d.ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
  LoadFileBuffer(app);
  if (!GetSaveFileNameW(&d.ofn)) {
    OnFileDialogWithoutFile(hwnd);
    return false;
  }
  const std::wstring path(d.fileBuffer);
  // The document takes the new name only once the file is really there.
  if (!WriteDocumentTo(app.session.model, path)) return false;
  app.session.model.document.fileName = WideToUtf8(path);
  return true;
}

void OnMainWindowClose(App& app, HWND hwnd) { ExitProgram(app, hwnd); }

void OnMenuCommand(App& app, HWND hwnd, int commandId) {
  SetStatusText(app, IdleStatusText(app));
  switch (commandId) {
    case IDM_FILE_NEW:
      NewDocument(app, hwnd);
      return;
    case IDM_FILE_OPEN:
      OpenDocument(app, hwnd);
      return;
    case IDM_FILE_SAVE:
      SaveDocument(app, hwnd);
      return;
    case IDM_FILE_SAVE_AS:
      SaveDocumentAs(app, hwnd);
      return;
    case IDM_FILE_EXIT:
      ExitProgram(app, hwnd);
      return;
    case IDM_COMM_SETTINGS:
      RunCommSettings(app, hwnd);
      return;
    case IDM_ABOUT:
      RunAboutDialog(DialogContextFor(app, hwnd));
      return;
    default:
      break;
  }
  if (const SettingsDialogEntry* entry = FindSettingsDialog(commandId);
      entry != nullptr && entry->run != nullptr) {
    entry->run(DialogContextFor(app, hwnd));
  }
}

}  // namespace korvex7::win
