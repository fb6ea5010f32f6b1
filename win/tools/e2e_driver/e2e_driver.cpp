// korvex7-e2e-driver: drives a running KORVEX7.exe from another process, for
// the end-to-end tests under Wine (or on Windows).
//
// Usage: korvex7-e2e-driver STEP [ARG...] [STEP [ARG...]]...
//        korvex7-e2e-driver --serve
//
// With --serve the driver stays running and takes one request after another
// from standard input, so that a test pays the start of a Wine process once
// rather than for every request. A request is its number of arguments in
// decimal and a line feed, then each argument (UTF-8) followed by a NUL byte;
// the steps of a request run as they would from the command line, each
// request afresh (no current or main window carried over). The answer is what
// the steps printed, then one line "\x1e" CODE [" " REASON]: CODE 0 when every
// step passed, 1 with the reason of the step that failed. End of input ends
// the driver.
//
// Steps run in order; the first that fails prints "FAIL: <why>" on standard
// error and ends the driver with exit code 1. Texts are compared exactly; in
// expected texts "\n" stands for a line break. Times are in milliseconds.
// The steps below are the table of steps.cpp, each run by a function of
// window_steps.cpp or control_steps.cpp.
//
//   main MS                    wait for the visible main window (class
//                              "KORVEX7"); its process is the one driven
//   menu ID                    post WM_COMMAND ID to the main window
//   dialog CAPTION MS          wait for a visible dialog of the program whose
//                              caption starts with CAPTION; it becomes current
//   no-dialog CAPTION MS       no such dialog appears within MS
//   caption TEXT               the current window's caption is TEXT
//   select ID INDEX            CB_SETCURSEL, then CBN_SELCHANGE to the dialog
//   selection ID INDEX         the list ID of the current dialog has INDEX
//                              selected (-1: none)
//   click ID                   post BM_CLICK to control ID of the current dialog
//                              (a message box: then wait until it has closed)
//   set-text ID TEXT           WM_SETTEXT to control ID of the current dialog
//   filename TEXT              type TEXT into a file dialog's name box
//   close                      post WM_CLOSE to the current window
//   send-close                 send WM_CLOSE to the current window: the step
//                              ends once the window has handled it
//   within MS STEP [ARG...]    run STEP again until it passes or MS have
//                              gone (for the effect of posted input, such
//                              as a click, on a control's state)
//   gone MS                    the current window has gone within MS
//   box TEXT CAPTION MS        wait for a message box of the program with
//                              this text and caption; it becomes current
//   box-any TEXT CAPTION MS    the same, from any process
//   no-box MS                  no message box of the program within MS
//   status PART TEXT           status-bar part PART shows TEXT
//   print-status PART          print the text of status-bar part PART
//   print-rect                 print "X Y W H" of the current window
//   print-main-rect            the same for the main window
//   exited MS [CODE]           the program's process has ended within MS
//                              (with exit code CODE when given)
//   alive                      the program's process is still running
//   sleep MS                   wait
//   text ID TEXT               control ID of the current window shows TEXT
//   wait-text ID TEXT MS       ... within MS
//   print-text ID              print the text of control ID
//   enabled ID 0|1             control ID is disabled (0) or enabled (1)
//   checked ID 0|1             button ID is unchecked (0) or checked (1)
//   items ID N                 the list ID holds N items
//   print-items ID             print each item of the list ID, one per line
//   toolbar ID                 click the main window's toolbar button that
//                              sends command ID (mouse down and up on it)
//   visible ID 0|1             control ID is hidden (0) or shown (1)
//   texts-seen ID MS           watch control ID for MS and print each text
//                              it showed, in order, one per line (a text is
//                              printed again only after another one)
//   print-control-rect ID      print "X Y W H" of control ID in screen pixels
//   choose ID INDEX            as select, but waits until the dialog has
//                              handled the change (the notification is sent,
//                              not posted)
//   key VK                     post a key press (WM_KEYDOWN, WM_KEYUP) of the
//                              virtual key VK to the current window (27
//                              Escape, 13 Enter)
//   fits                       the current window lies inside the work area
//                              of its monitor and each of its visible
//                              controls inside its client area
//   main-fits                  the main window lies inside the work area; its
//                              toolbar and status bar inside its client area,
//                              the toolbar above the status bar; every button
//                              inside the toolbar; each status-bar part shows
//                              at least 100 pixels at 96 DPI, scaled
//   print-main-layout          print "window W H client W H buttons W H
//                              status H parts E0 E1 E2" of the main window
//   dpi-changed DPI            send WM_DPICHANGED with DPI to the current
//                              window, proposing its own rectangle (as when
//                              it is moved to a monitor of that scale)
//   dpi-changed-to DPI X Y W H the same, proposing that rectangle (as when
//                              the operator drags it there)
//   size-move-start            send WM_ENTERSIZEMOVE to the current window
//   size-move-end              send WM_EXITSIZEMOVE (the drag is over)
//   pointer-at X Y             move the mouse pointer to X Y of the screen
//   query-end-session ANSWER   send WM_QUERYENDSESSION (sign-out) to the
//                              main window; it answers ANSWER (1 may end,
//                              0 holds the end)
//   end-session 0|1            send WM_ENDSESSION: the session ends (1) or
//                              goes on (0)
//   hold-file PATH SHARE       open PATH for reading and writing, sharing it
//                              as SHARE says (none, r, rw, rwd), as another
//                              program would; it stays open across requests
//   release-file PATH          close the file hold-file opened
#include <windows.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/text.h"
#include "win/tools/e2e_driver/driver.h"
#include "win/tools/e2e_driver/text_io.h"

namespace korvex7::e2e {

namespace {

// The digits a request's count of arguments may have at most.
constexpr std::size_t kCountDigits = 7;

// Reads one request of --serve from standard input; false at its end.
bool ReadRequest(std::vector<std::wstring>& args) {
  const HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
  auto readByte = [&](char& c) {
    DWORD got = 0;
    return ReadFile(in, &c, 1, &got, nullptr) != 0 && got == 1;
  };
  std::string count;
  char c = 0;
  for (;;) {
    if (!readByte(c)) return false;
    if (c == '\n') break;
    if (c < '0' || c > '9' || count.size() >= kCountDigits) return false;
    count += c;
  }
  if (count.empty()) return false;
  args.clear();
  for (long n = std::strtol(count.c_str(), nullptr, 10); n > 0; --n) {
    std::string arg;
    for (;;) {
      if (!readByte(c)) return false;
      if (c == '\0') break;
      arg += c;
    }
    args.push_back(win32::Utf8ToWide(arg));
  }
  return true;
}

int Serve() {
  std::vector<std::wstring> args;
  while (ReadRequest(args)) {
    std::wstring end =
        L"\x1e"
        L"0\n";
    try {
      Driver(args).Run();
    } catch (const Failure& f) {
      end =
          L"\x1e"
          L"1 " +
          Escape(f.why) + L"\n";
    }
    Write(STD_OUTPUT_HANDLE, end);
  }
  return 0;
}

}  // namespace

}  // namespace korvex7::e2e

int wmain(int argc, wchar_t** argv) {
  using korvex7::e2e::Driver;
  using korvex7::e2e::Failure;
  // Rectangles in the pixels of the screen, whatever the scale of the
  // program's windows.
  SetProcessDPIAware();
  std::vector<std::wstring> args(argv + 1, argv + argc);
  if (args.size() == 1 && args[0] == L"--serve") return korvex7::e2e::Serve();
  try {
    Driver(std::move(args)).Run();
  } catch (const Failure& f) {
    korvex7::e2e::Write(STD_ERROR_HANDLE, L"FAIL: " + f.why + L"\n");
    return 1;
  }
  return 0;
}
