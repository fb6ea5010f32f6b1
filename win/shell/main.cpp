// KORVEX7.exe: start-up and the message loop.
//
// Order of start-up: refuse a second copy (named mutex), create the main
// window, read the port, the line mode and the handshake from the profile
// file, prepare the file dialog, start the status timer, show the window,
// open the port and start the receive thread; then run the message loop
// until the window is destroyed.
#include <windows.h>

#include <memory>
#include <string>

#include "win/resources/resource.h"
#include "win/serial/link_profile.h"
#include "win/shell/app.h"
#include "win/shell/main_window.h"
#include "win/shell/menu_commands.h"
#include "win/shell/port_status.h"
#include "win/support/message_box.h"
#include "win/support/unique_handle.h"

namespace korvex7::win {

namespace {

constexpr wchar_t kMutexName[] = L"KORVEX7 TCP_X_Mutex";
constexpr int kNameBufferChars = 100;

void ShowAlreadyRunning() {
  ShowMessage(nullptr, L"２重に起動はできません", L"２重起動防止", MB_OK);
}

std::wstring LoadResourceString(HINSTANCE instance, UINT id, const wchar_t* fallback) {
  wchar_t buffer[kNameBufferChars] = {};
  const int n = LoadStringW(instance, id, buffer, kNameBufferChars);
  return n > 0 ? std::wstring(buffer, static_cast<std::size_t>(n)) : std::wstring(fallback);
}

std::wstring CurrentDirectory() {
  const DWORD n = GetCurrentDirectoryW(0, nullptr);
  if (n == 0) return {};
  std::wstring dir(n, L'\0');
  const DWORD written = GetCurrentDirectoryW(n, dir.data());
  if (written == 0 || written >= n) return {};
  dir.resize(written);
  return dir;
}

int Run(HINSTANCE instance, int showCommand) {
  // One copy only. The creation also catches a copy that started at the
  // same instant and got past the first check.
  if (UniqueHandle other(OpenMutexW(MUTEX_ALL_ACCESS, FALSE, kMutexName)); other) {
    other.reset();
    ShowAlreadyRunning();
    return 0;
  }
  UniqueHandle mutex(CreateMutexW(nullptr, FALSE, kMutexName));
  if (mutex && GetLastError() == ERROR_ALREADY_EXISTS) {
    mutex.reset();
    ShowAlreadyRunning();
    return 0;
  }

  // On the heap: if the receive thread cannot be stopped at the end, the
  // App (which owns the port and the thread's object) is left alive for the
  // rest of the process, so the thread never touches freed memory.
  auto owned = std::make_unique<App>();
  App& app = *owned;
  app.instance = instance;
  app.session.port = &app.portWriter;

  // Class and window.
  const std::wstring title = LoadResourceString(instance, IDS_APP_TITLE, L"KORVEX7");
  const std::wstring className = LoadResourceString(instance, IDS_CLASS_NAME, L"KORVEX7");
  if (!RegisterMainWindowClass(instance, className.c_str())) return 0;
  HWND hwnd = CreateMainWindow(app, className.c_str(), title.c_str());
  if (hwnd == nullptr) return 0;

  // Link settings from the profile file.
  const LinkProfile profile = ReadLinkProfile();
  app.portName = profile.port;
  ShowPortInUse(app);
  app.line.handshake = profile.handshake;
  app.session.model.link.mode = profile.mode;

  // Title, file dialog, status timer, show.
  SetWindowTextW(hwnd, kMainWindowTitle);
  PrepareFileDialog(app, hwnd, CurrentDirectory());
  SetTimer(hwnd, kStatusTimerId, kStatusTimerMs, nullptr);
  ShowWindow(hwnd, showCommand);
  UpdateWindow(hwnd);

  // Port and receive thread.
  OpenPortAndReport(app);
  app.receiver = std::make_unique<ReceiveThread>(app.receiveSource, hwnd);
  if (!app.receiver->Start()) {
    ::MessageBeep(MB_ICONQUESTION);
    ShowMessage(nullptr, L"error creating read thread", L"Error",
                MB_OK | MB_ICONSTOP | MB_TASKMODAL);
  }

  // The resources define no accelerator keys; the table is honoured
  // if one is ever added.
  HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
  MSG msg{};
  int exitCode = 0;
  for (;;) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      exitCode = static_cast<int>(msg.wParam);
      break;
    }
    if (got == -1) break;
    if (accelerators != nullptr && TranslateAcceleratorW(msg.hwnd, accelerators, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }

  // The window's end stopped the receive thread; try once more if it had not
  // ended then. A thread stuck in the driver ends with the process.
  if (app.receiver && !app.receiver->Stop()) {
    (void)owned.release();
    return exitCode;
  }
  app.port.Close();
  app.server.Close();
  return exitCode;
}

}  // namespace

}  // namespace korvex7::win

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  return korvex7::win::Run(instance, showCommand);
}
