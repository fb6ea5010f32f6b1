// The program's process-wide state: the one Session (settings model, reply
// wait, port writer), the serial port with the choice of port and what is
// known of it, the receive thread, the main window's handles and the shared
// file-dialog record. Created in wWinMain and handed to the main window at
// its creation; the window keeps it in its window data and passes it to its
// handlers. The dialogs get only what a DialogContext holds. Everything here
// belongs to the user-interface thread; the receive thread only borrows the
// port handle through SerialPort (its ReadSome).
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/link/session.h"
#include "platform/win32/serial_port.h"
#include "win/serial/device_server_link.h"
#include "win/serial/port_watch.h"
#include "win/serial/receive_thread.h"
#include "win/serial/serial_writer.h"
#include "win/shell/toolbar.h"
#include "win/support/unique_handle.h"
#include "win/support/window_icons.h"

namespace korvex7::win {

// The one open/save dialog record, prepared at start-up and shared by Open
// and Save As.
struct FileDialogRecord {
  static constexpr DWORD kFileBufferChars = 1024;
  static constexpr DWORD kTitleBufferChars = 100;

  OPENFILENAMEW ofn{};
  wchar_t fileBuffer[kFileBufferChars] = {};
  wchar_t titleBuffer[kTitleBufferChars] = {};
  std::wstring initialDirectory;
};

struct App {
  HINSTANCE instance = nullptr;
  HWND mainWindow = nullptr;
  HWND toolbar = nullptr;
  HWND statusBar = nullptr;
  UniqueImageList toolbarImages;
  // The main window's DPI, the status bar's font and the window's icons made
  // for it.
  int dpi = 96;
  UniqueGdiObject<HFONT> statusFont;
  WindowIcons icons;
  // Between WM_ENTERSIZEMOVE and WM_EXITSIZEMOVE (the operator drags the
  // window), and whether its DPI changed meanwhile.
  bool movingOrSizing = false;
  bool dpiChangedWhileMoving = false;

  Session session;
  // The port and how it is driven, as the profile file keeps them (the
  // line mode is the model's link.mode).
  std::wstring portName = L"COM1";
  win32::LineOptions line;
  win32::SerialPort port;
  // A device server's link (App::portName "tcp://..." or "rfc2217://...");
  // the writer and the receive thread use whichever link is open.
  DeviceServerLink server;
  LinkWriter portWriter{port, server};
  LinkReceiveSource receiveSource{port, server};
  // A connection to the device server is under way (attempt number
  // connectAttempt); whether the operator asked for it.
  bool connecting = false;
  bool connectByOperator = false;
  std::uint64_t connectAttempt = 0;
  // While set (ユニット検索 runs), the received lines go here and not to
  // the session.
  std::function<void(const ReceivedLine&)> lineSink;
  PortWatch portWatch;
  // An open the operator asked for is under way (or 100 ms ahead): the port
  // is left alone meanwhile.
  bool portOpening = false;
  // The session is ending (WM_ENDSESSION): the port stays closed, whatever
  // Windows or the retry timer says of it.
  bool linkStopped = false;
  std::unique_ptr<ReceiveThread> receiver;

  // 1 once "ﾚﾃﾞｨ" has been put back; 0 after the toolbar asked for a tooltip.
  int readyTextShown = 1;

  // The end of the session (session_end.h): the file commands running (their
  // prompts and file dialogs may be open), the save prompt posted and not
  // yet shown, and whether Windows has the program's reason for holding it.
  int fileCommandsOpen = 0;
  bool saveOfferPosted = false;
  bool sessionEndHeld = false;

  FileDialogRecord fileDialog;
};

}  // namespace korvex7::win
