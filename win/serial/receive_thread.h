// The receive thread: waits on the port, reads what has arrived, cuts it into
// lines (LineAssembler) and posts each complete line to the main window.
//
// Design. The thread owns nothing but its read buffer and the partial line;
// every line is handed to the user-interface thread as a heap copy carried by
// a posted message (the receiver frees it; if posting fails the thread frees
// it). All protocol state (ReplyWait, the settings model) is touched only on
// the user-interface thread. Posted messages are always retrieved before
// WM_TIMER, so a line that has arrived is settled before the next tick of the
// status timer or of a transfer's pacing timer.
//
// A line half received when the port is opened anew is dropped: its end can
// only come from the old line.
//
// Waiting. The port is borrowed from SerialPort for one pass at a time. The
// thread never spins: without a port it pauses 100 ms between attempts, and
// after a failed wait it backs off (1 ms doubling up to 50 ms when the wait
// was merely aborted, up to 100 ms for any other failure). Bytes found waiting
// after a failed wait are read at once, so a driver whose waits keep aborting
// still delivers replies.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <vector>

#include "core/link/line_assembler.h"
#include "platform/win32/unique_handle.h"
#include "win/serial/serial_port.h"

namespace korvex7::win {

// Posted to the main window for every complete line; lParam is a
// ReceivedLine* allocated with new, owned by the receiver.
inline constexpr UINT kLineReceivedMessage = WM_APP + 1;

// Takes ownership of the line carried by a kLineReceivedMessage.
inline std::unique_ptr<ReceivedLine> TakePostedLine(LPARAM lParam) {
  return std::unique_ptr<ReceivedLine>(reinterpret_cast<ReceivedLine*>(lParam));
}

// Frees the lines still queued for a window that is going away.
void DiscardPostedLines(HWND target);

// The delay after the n-th consecutive failed wait (n >= 1).
DWORD FailedWaitBackoffMs(int consecutiveFailures, DWORD lastError);

inline constexpr DWORD kNoPortPauseMs = 100;
// The exit code of a process ended because its receive thread could not be
// stopped (see ReceiveThread's destructor).
inline constexpr UINT kStuckExitCode = 3;
inline constexpr std::size_t kReadBufferBytes = 600;

// Lifetime. The thread uses this object and the SerialPort it reads. Stop()
// ends it within a few seconds; if it cannot (the thread is stuck in the
// driver), it returns false and the owner must keep both objects alive until
// the process ends, which ends the thread too. The destructor stops the
// thread and ends the process if it cannot, rather than free memory the
// thread still uses.
class ReceiveThread {
 public:
  ReceiveThread(SerialPort& port, HWND target);
  ~ReceiveThread();
  ReceiveThread(const ReceiveThread&) = delete;
  ReceiveThread& operator=(const ReceiveThread&) = delete;

  // Starts the thread; false when it could not be created.
  bool Start();
  // Asks the thread to end and waits for it (bounded). True when it has
  // ended (or never ran); false when it is still running.
  bool Stop();

 private:
  enum class Pass { kIdle, kRead, kWaitFailed, kInterrupted };

  // The record of one overlapped request (event wait or read): the OVERLAPPED
  // with its event, the event word and the read buffer. A request that the
  // driver does not end when cancelled keeps its record for good, since the
  // driver may still write into it; the thread goes on with a new one.
  struct IoRecord {
    OVERLAPPED overlapped{};
    DWORD events = 0;
    char buffer[kReadBufferBytes] = {};
    win32::UniqueHandle event = win32::CreateManualResetEvent();
  };

  static DWORD WINAPI Entry(void* self);
  void Run();
  Pass OnePass(HANDLE port, DWORD& lastError);
  void BeginRequest();
  bool AwaitIo(HANDLE port, bool commEvent);
  void Pause(DWORD ms, bool includeCloseRequest);
  void PostLines();

  SerialPort& port_;
  HWND target_;
  win32::UniqueHandle stop_;
  win32::UniqueHandle thread_;
  std::unique_ptr<IoRecord> io_;
  LineAssembler assembler_;
  std::vector<ReceivedLine> lines_;
};

}  // namespace korvex7::win
