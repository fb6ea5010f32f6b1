#include "win/shell/menu_commands.h"

#include <commdlg.h>

#include <cwchar>
#include <functional>
#include <string>
#include <string_view>

#include "core/model/device_names.h"
#include "core/model/settings_store.h"
#include "win/dialogs/about_dialog.h"
#include "win/dialogs/comm_settings_dialog.h"
#include "win/dialogs/dialog_context.h"
#include "win/dialogs/settings_dialogs.h"
#include "win/dialogs/unit_scan_dialog.h"
#include "win/resources/resource.h"
#include "win/shell/app.h"
#include "win/shell/discard_prompt.h"
#include "win/shell/document_file.h"
#include "win/shell/main_window.h"
#include "win/shell/port_status.h"
#include "win/shell/session_end.h"
#include "win/shell/status_display.h"
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
// Followed by the system's words for the error: a file that is there but
// cannot be read (held by another program, no permission).
constexpr wchar_t kCannotOpenForReading[] = L"ファイルを開くことができませんでした。\n";
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

// A name that Windows gives a device ("COM1.dat" opens the serial port):
// which device, and that the operator is to choose another name.
std::wstring DeviceNameMessage(const std::wstring& path) {
  const std::string name = WideToUtf8(path);
  const std::size_t slash = path.find_last_of(L"/\\");
  const std::wstring shown = slash == std::wstring::npos ? path : path.substr(slash + 1);
  return L"「" + shown + L"」は\n設定ファイルに使えない名前です。\n" +
         Utf8ToWide(DeviceNameIn(name)) +
         L" は Windows の装置の名前です。\n"
         L"CON、PRN、AUX、NUL、\n"
         L"COM1～COM9、LPT1～LPT9 は\n"
         L"拡張子が付いても装置を指します。\n"
         L"別の名前を指定してください。";
}

void ShowDeviceNameMessage(HWND owner, const std::wstring& path) {
  ShowMessage(owner, DeviceNameMessage(path).c_str(), kErrorCaption, MB_OK | MB_ICONWARNING);
}

// Open could not load the file: not there (the specified message), a
// device's name, or the system's reason.
void ShowOpenFailure(HWND hwnd, const std::wstring& path, const OpenOutcome& outcome) {
  switch (outcome.result) {
    case OpenResult::kLoaded:
      return;
    case OpenResult::kNotFound:
      ShowMessage(hwnd, kOpenNotFound, kErrorCaption, MB_OK | MB_ICONWARNING);
      return;
    case OpenResult::kDeviceName:
      ShowDeviceNameMessage(hwnd, path);
      return;
    case OpenResult::kCannotOpen:
      break;
  }
  const std::wstring text =
      std::wstring(kCannotOpenForReading) + Utf8ToWide(win32::OsErrorText(outcome.error));
  ShowMessage(hwnd, text.c_str(), kErrorCaption, MB_OK | MB_ICONWARNING);
}

// The program's messages for a failed save are its own fixed words, one
// for each step; the system's words the outcome carries are not shown.
bool WriteDocumentTo(SettingsModel& model, const std::wstring& path) {
  const SaveOutcome outcome = SaveSettingsFile(path, model);
  if (outcome.saved()) {
    model.document.modified = 0;
    return true;
  }
  if (outcome.deviceName) {
    ShowMessage(nullptr, DeviceNameMessage(path).c_str(), kErrorCaption,
                MB_OK | MB_ICONERROR | MB_TASKMODAL);
    return false;
  }
  const wchar_t* message = kCannotReplace;
  switch (outcome.replace.failedStep) {
    case platform::FileReplaceStep::kCreate:
      message = kCannotOpenForWriting;
      break;
    case platform::FileReplaceStep::kWrite:
      message = kCannotWrite;
      break;
    case platform::FileReplaceStep::kNone:
    case platform::FileReplaceStep::kReplace:
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
    const OpenOutcome outcome = LoadSettingsFile(path, model);
    if (outcome.loaded()) {
      model.document.fileName = WideToUtf8(path);
      model.document.modified = 0;
      InvalidateRect(hwnd, nullptr, TRUE);
      return;
    }
    ShowOpenFailure(hwnd, path, outcome);
  }
}

void ExitProgram(App& app, HWND hwnd) {
  if (ConfirmDiscard(app, hwnd)) DestroyWindow(hwnd);
}

// What the dialogs opened from the main window are given.
DialogContext DialogContextFor(App& app, HWND owner) {
  return DialogContext{app.instance, owner, app.session};
}

// ユニット検索 from the communication settings, over the port chosen there:
// the link in use when it is that port (which must be connected), else the
// chosen port opened for the scan alone.
void RunUnitScan(App& app, HWND owner, const LinkProfile& chosen) {
  UnitScanLine line;
  line.portName = chosen.port;
  line.mode = chosen.mode;
  if (chosen.port != app.portName) {
    line.own = true;
    RunUnitScanDialog(app.instance, owner, line);
    return;
  }
  if (app.connecting || app.portWatch.state() != PortState::kOpen) {
    ShowMessage(owner, app.portName + L" に接続していません。接続を確かめてから検索してください。",
                L"ユニット検索", MB_OK | MB_ICONERROR);
    return;
  }
  line.write = [&app](std::string_view frame) { app.portWriter.Write(frame); };
  line.setLineSink = [&app](std::function<void(const ReceivedLine&)> sink) {
    app.lineSink = std::move(sink);
  };
  RunUnitScanDialog(app.instance, owner, line);
}

// The communication settings: the port, the line mode and the handshake in
// use; "OK" takes the chosen ones and reopens the port.
void RunCommSettings(App& app, HWND hwnd) {
  const LinkProfile current{app.portName, app.session.model.link.mode, app.line.handshake};
  RunCommSettingsDialog(
      DialogContextFor(app, hwnd), current,
      [&app](const LinkProfile& chosen) {
        app.portName = chosen.port;
        ShowPortInUse(app);
        app.session.model.link.mode = chosen.mode;
        app.line.handshake = chosen.handshake;
        ClosePortAndReopenLater(app);
      },
      [&app](HWND owner, const LinkProfile& chosen) { RunUnitScan(app, owner, chosen); });
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

bool ConfirmDiscard(App& app, HWND hwnd) { return ConfirmDiscardOwnedBy(app, hwnd, hwnd, 0); }

bool ConfirmDiscardOwnedBy(App& app, HWND hwnd, HWND promptOwner, UINT extraStyle) {
  return ConfirmDiscardWith(
      app.session.model.document.modified,
      [promptOwner, extraStyle] {
        return ShowMessage(promptOwner, kSavePrompt, kSavePromptCaption, MB_YESNO | extraStyle) ==
                       IDYES
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
  std::wstring path;
  for (;;) {
    if (!GetSaveFileNameW(&d.ofn)) {
      OnFileDialogWithoutFile(hwnd);
      return false;
    }
    path = d.fileBuffer;
    if (MayBeSettingsFile(WideToUtf8(path))) break;
    // The name is asked for again, as for a file that Open does not find.
    ShowDeviceNameMessage(hwnd, path);
  }
  // The document takes the new name only once the file is really there.
  if (!WriteDocumentTo(app.session.model, path)) return false;
  app.session.model.document.fileName = WideToUtf8(path);
  return true;
}

namespace {

// Marks a file command as running for its whole length: Windows asking to
// end the session meanwhile is held without a second prompt, and the
// reason for holding it is withdrawn once the command is over.
class FileCommand {
 public:
  FileCommand(App& app, HWND hwnd) : app_(app), hwnd_(hwnd) { ++app_.fileCommandsOpen; }
  ~FileCommand() {
    --app_.fileCommandsOpen;
    ReleaseSessionEndIfAnswered(app_, hwnd_);
  }
  FileCommand(const FileCommand&) = delete;
  FileCommand& operator=(const FileCommand&) = delete;

 private:
  App& app_;
  HWND hwnd_;
};

void RunFileCommand(App& app, HWND hwnd, int commandId) {
  FileCommand running(app, hwnd);
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
    default:
      ExitProgram(app, hwnd);
      return;
  }
}

}  // namespace

void OnMainWindowClose(App& app, HWND hwnd) {
  FileCommand running(app, hwnd);
  ExitProgram(app, hwnd);
}

void OnMenuCommand(App& app, HWND hwnd, int commandId) {
  SetStatusText(app, IdleStatusText(app));
  switch (commandId) {
    case IDM_FILE_NEW:
    case IDM_FILE_OPEN:
    case IDM_FILE_SAVE:
    case IDM_FILE_SAVE_AS:
    case IDM_FILE_EXIT:
      RunFileCommand(app, hwnd, commandId);
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
