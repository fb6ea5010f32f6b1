// The receive thread: reads what arrives from the program's link, cuts it
// into lines (LineAssembler) and posts each complete line to the main
// window.
//
// Design. The thread owns nothing but its read buffer and the partial line;
// every line is handed to the user-interface thread as a heap copy carried by
// a posted message (the receiver frees it; if posting fails the thread frees
// it). All protocol state (ReplyWait, the settings model) is touched only on
// the user-interface thread. Posted messages are always retrieved before
// WM_TIMER, so a line that has arrived is settled before the next tick of the
// status timer or of a transfer's pacing timer.
//
// The thread reads through a ReceiveSource, which knows how to wait on one
// kind of link (the serial port: SerialReceiveSource); the hand-over of lines
// does not depend on it. A line half received when the link is opened anew
// is dropped: its end can only come from the old link.
//
// A link that fails (a USB adapter unplugged, the other end of a
// pseudo-terminal gone) is reported to the main window once per opening
// (kLinkFailedMessage); the user-interface thread decides what follows and
// closes it. Without a link the thread rests kNoLinkPauseMs between looks,
// after a failure kFailedLinkPauseMs; it never spins.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/link/line_assembler.h"
#include "platform/win32/serial_port.h"
#include "platform/win32/unique_handle.h"

namespace korvex7::win {

// Posted to the main window for every complete line; lParam is a
// ReceivedLine* allocated with new, owned by the receiver.
inline constexpr UINT kLineReceivedMessage = WM_APP + 1;

// Posted to the main window when the link stopped answering; wParam is the
// link's opening number (ReceiveSource::Read::opening, as WPARAM), lParam
// the system's error code.
inline constexpr UINT kLinkFailedMessage = WM_APP + 2;

// Takes ownership of the line carried by a kLineReceivedMessage.
inline std::unique_ptr<ReceivedLine> TakePostedLine(LPARAM lParam) {
  return std::unique_ptr<ReceivedLine>(reinterpret_cast<ReceivedLine*>(lParam));
}

// Frees the lines still queued for a window that is going away.
void DiscardPostedLines(HWND target);

inline constexpr DWORD kNoLinkPauseMs = 100;
inline constexpr DWORD kFailedLinkPauseMs = 100;
// How often an idle link is looked at (which is also how soon a link that
// went away without a word is noticed).
inline constexpr DWORD kLinkCheckMs = 1000;
// The exit code of a process ended because its receive thread could not be
// stopped (see ReceiveThread's destructor).
inline constexpr UINT kStuckExitCode = 3;
inline constexpr std::size_t kReadBufferBytes = 600;

// What the receive thread reads from.
class ReceiveSource {
 public:
  struct Read {
    enum class Status {
      kBytes,    // `count` bytes are in the buffer
      kNothing,  // nothing arrived (the time passed, or `stop` was signalled)
      kNoLink,   // nothing is open to read from
      kFailed,   // the link stopped answering; `error` says why
    };
    Status status = Status::kNothing;
    std::size_t count = 0;
    unsigned long error = 0;
    std::uint64_t opening = 0;  // which opening of the link the result belongs to
  };

  virtual ~ReceiveSource() = default;
  // Waits up to `waitMs` for bytes, or until `stop` is signalled, and reads
  // what has arrived. Runs on the receive thread only.
  virtual Read ReadSome(char* buffer, std::size_t capacity, DWORD waitMs, HANDLE stop) = 0;
};

// The serial port as a ReceiveSource.
class SerialReceiveSource final : public ReceiveSource {
 public:
  explicit SerialReceiveSource(win32::SerialPort& port) : port_(port) {}
  Read ReadSome(char* buffer, std::size_t capacity, DWORD waitMs, HANDLE stop) override;

 private:
  win32::SerialPort& port_;
};

// Lifetime. The thread uses this object and its source. Stop() ends it
// within a few seconds; if it cannot (the thread is stuck in a driver), it
// returns false and the owner must keep both alive until the process ends,
// which ends the thread too. The destructor stops the thread and ends the
// process if it cannot, rather than free memory the thread still uses.
class ReceiveThread {
 public:
  ReceiveThread(ReceiveSource& source, HWND target);
  ~ReceiveThread();
  ReceiveThread(const ReceiveThread&) = delete;
  ReceiveThread& operator=(const ReceiveThread&) = delete;

  // Starts the thread; false when it could not be created.
  bool Start();
  // Asks the thread to end and waits for it (bounded). True when it has
  // ended (or never ran); false when it is still running.
  bool Stop();

 private:
  static DWORD WINAPI Entry(void* self);
  void Run();
  void Pause(DWORD ms);
  void PostLines();

  ReceiveSource& source_;
  HWND target_;
  win32::UniqueHandle stop_;
  win32::UniqueHandle thread_;
  char buffer_[kReadBufferBytes] = {};
  LineAssembler assembler_;
  std::vector<ReceivedLine> lines_;
};

}  // namespace korvex7::win
