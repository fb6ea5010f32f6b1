// korvex7-link-check: the program's serial link without its windows, for the
// end-to-end tests and for checking a cable on site.
//
// Reads the port, the line mode and the handshake from the profile file
// "KORVEX7.ini", opens the port exactly as KORVEX7.exe does, starts the same
// receive thread, and
// sends each command given on the command line through SendCommand. Replies
// are settled by the same reply path, and the 190 ms status tick decides what
// the program would show. Everything is printed, one line per event:
//
//   profile: com_port=0 control=1   (then " port=COM12" for a port after
//                                     COM6, " handshake=0" without handshake)
//   open: Miss! File Open          (one line per failed opening step)
//   sent: 00AGCNNNNNNNNNNNNNNNN\r\n
//   line: 00GO\r\n
//   status: Success / 接続成功
//
// Usage: korvex7-link-check [--address NN] COMMAND...
//   COMMAND is the command text; "\r" and "\n" stand for CR and LF (a missing
//   CR LF at the end is added). --address selects the RS-485 unit (00..31, or
//   FF for Broadcast).
#include <windows.h>

#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "core/link/reply_assembler.h"
#include "core/link/send_command.h"
#include "core/link/status_timer.h"
#include "core/text/escaped_bytes.h"
#include "platform/win32/serial_port.h"
#include "win/serial/link_profile.h"
#include "win/serial/port_messages.h"
#include "win/serial/receive_thread.h"
#include "win/serial/serial_writer.h"
#include "win/support/text.h"

namespace {

using korvex7::Session;
using namespace korvex7::win;

constexpr UINT_PTR kTickTimer = 1;
constexpr UINT kTickMs = 190;
// A command gets the program's ten ticks plus a margin before giving up.
constexpr int kMaxTicksPerCommand = 14;

Session* g_session = nullptr;
int g_ticks = 0;
bool g_settled = false;

void Print(const std::string& utf8) {
  std::string line = utf8 + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written,
            nullptr);
}

std::string Unescape(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'r' || text[i + 1] == 'n')) {
      out += text[i + 1] == 'r' ? '\r' : '\n';
      ++i;
    } else {
      out += text[i];
    }
  }
  if (out.size() < 2 || out.compare(out.size() - 2, 2, "\r\n") != 0) out += "\r\n";
  return out;
}

LRESULT CALLBACK LinkWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kLineReceivedMessage) {
    const auto line = TakePostedLine(lParam);
    if (line) {
      Print("line: " +
            (line->overlong ? std::string("(overlong)") : korvex7::EscapeWire(line->text)));
      korvex7::HandleReceivedLine(*g_session, *line);
    }
    return 0;
  }
  if (message == WM_TIMER && wParam == kTickTimer) {
    ++g_ticks;
    if (const auto shown = korvex7::StatusTimerTick(g_session->replyWait)) {
      Print("status: " + std::string(shown->text) + " / " + std::string(shown->caption));
      g_settled = true;
    }
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

int Run(int argc, wchar_t** argv) {
  std::vector<std::string> commands;
  int address = -1;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = WideToUtf8(argv[i]);
    if (arg == "--address" && i + 1 < argc) {
      const std::string value = WideToUtf8(argv[++i]);
      address = value == "FF" ? korvex7::kBroadcastAddress : std::atoi(value.c_str());
    } else {
      commands.push_back(Unescape(arg));
    }
  }

  Session session;
  g_session = &session;
  const LinkProfile profile = ReadLinkProfile();
  session.model.link.mode = profile.mode;
  if (address >= 0) session.model.link.slaveAddress = address;
  std::string shown = "profile: com_port=" + WideToUtf8(ComPortValue(profile.port)) +
                      " control=" + std::to_string(profile.mode);
  if (LegacyComPortIndex(profile.port) < 0) shown += " port=" + WideToUtf8(profile.port);
  if (!profile.handshake) shown += " handshake=0";
  Print(shown);

  // On the heap, with the receive thread: if the thread cannot be stopped at
  // the end, both are left alive until the process ends.
  struct Link {
    korvex7::win32::SerialPort port;
    SerialPortWriter writer{port};
    SerialReceiveSource source{port};
  };
  auto link = std::make_unique<Link>();
  session.port = &link->writer;
  korvex7::win32::LineOptions line;
  line.handshake = profile.handshake;
  for (const korvex7::win32::OpenStepFailure& failure :
       link->port.OpenEveryStep(WideToUtf8(profile.port), line)) {
    Print("open: " + WideToUtf8(OpenStepMessage(failure.step)));
  }

  WNDCLASSW wc{};
  wc.lpfnWndProc = LinkWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"KORVEX7LinkCheck";
  if (!RegisterClassW(&wc)) return 2;
  HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              wc.hInstance, nullptr);
  if (hwnd == nullptr) return 2;

  auto receiver = std::make_unique<ReceiveThread>(link->source, hwnd);
  if (!receiver->Start()) {
    Print("error creating read thread");
    return 2;
  }
  SetTimer(hwnd, kTickTimer, kTickMs, nullptr);

  for (const std::string& command : commands) {
    session.replyWait.transferMode = korvex7::kTransferSingle;
    Print("sent: " + korvex7::EscapeWire(korvex7::BuildFrame(session.model.link, command)));
    korvex7::SendCommand(session, command);
    g_ticks = 0;
    g_settled = false;
    MSG msg{};
    // A broadcast is settled at once and shows nothing: wait two ticks for
    // anything unexpected, then go on.
    while (!g_settled && g_ticks < kMaxTicksPerCommand &&
           !(session.replyWait.waitTicks == 0 && session.replyWait.ackPending == 0 &&
             g_ticks >= 2 && session.replyWait.outcome == 0 && session.replyWait.unitStatus == 0)) {
      if (GetMessageW(&msg, nullptr, 0, 0) <= 0) break;
      DispatchMessageW(&msg);
    }
    if (!g_settled && g_ticks >= kMaxTicksPerCommand) Print("status: (none)");
  }
  KillTimer(hwnd, kTickTimer);
  if (!receiver->Stop()) {
    Print("the receive thread did not end");
    (void)receiver.release();
    (void)link.release();
    return kStuckExitCode;
  }
  DiscardPostedLines(hwnd);
  link->port.Close();
  DestroyWindow(hwnd);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) { return Run(argc, argv); }
