// The Win32 serial port of the program and of korvex7ctl.exe: a COM port
// opened by name and set up for the unit's line (platform/win32/serial_line.h).
//
// Two ways to open it, one port:
//   - Open (korvex7ctl.exe) throws a platform::SerialError at the first step
//     that failed, naming the port, with the system's code and words; its
//     public side is that of the POSIX port (platform/posix/serial_port.h):
//     Read with a time-out, WriteAll, DiscardInput.
//   - OpenEveryStep (the program) runs every step even after one failed and
//     returns the failed steps with their codes, because the program reports
//     each step with its own message and keeps the port as far as it opened.
//     The program writes with Write, which starts the write and returns, and
//     its receive thread reads with ReadSome.
//
// Reading. Only what the driver says is waiting is read (ClearCommError,
// then ReadFile of just those bytes; the time-outs make it return at once),
// so bytes are taken as soon as they are there and no read is left to a
// driver's own waiting. When nothing is waiting, the port waits for the next
// received character with WaitCommEvent. That wait stays pending from one
// ReadSome to the next: a read that times out does not end it, so no driver
// is ever asked to end a wait only because a time-out passed. A wait that
// ends in failure (on a pseudo-terminal under Wine it ends every few
// milliseconds) is followed by a pause that grows with each failure in a row
// (FailedWaitBackoffMs), so a failing driver costs no CPU. Each look at the
// port (ClearCommError) also says whether it still answers: a port that no
// longer does (a USB adapter unplugged) makes ReadSome report kFailed.
//
// Ending requests. A pending wait is ended only by Close; a write only by
// Close or when it overruns its time, a read when the driver keeps it
// although the time-outs say it returns at once. The driver is asked to end
// it (the event mask set again and CancelIoEx, for the wait) and given a
// limited time; a driver that never ends it keeps its record for good
// (platform/win32/overlapped_io.h). No call waits without bound.
//
// Threads. One thread opens, writes and closes (the program's user-interface
// thread); one thread reads (the program's receive thread; the tool does
// everything on one thread). The reader borrows the handle for the length of
// one ReadSome. Close asks a borrowing reader to give it back (the
// close-request event ends its wait), waits until it has, and only then
// ends the pending wait and closes the handle, so the reader never uses a
// closed or reused handle. A reader that does not give the handle back in
// time leaves it open rather than closed under it.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/port_list.h"
#include "platform/serial_error.h"
#include "platform/win32/serial_line.h"

namespace korvex7::win32 {

using platform::SerialError;
using platform::SerialErrorKind;
using platform::SerialPortInfo;

// The pause after the n-th failed wait for a received character in a row
// (n >= 1): 1 ms doubling, up to 50 ms when the wait was merely aborted
// (ERROR_OPERATION_ABORTED), up to 100 ms for any other failure.
DWORD FailedWaitBackoffMs(int consecutiveFailures, DWORD lastError);

// What one ReadSome found.
struct PortRead {
  enum class Status {
    kData,         // `bytes` bytes were read
    kTimeout,      // nothing arrived in the time given
    kInterrupted,  // the interrupt event, or a close, ended the wait
    kClosed,       // no port is open (or it is being closed)
    kFailed,       // the port no longer answers; `error` says why
  };
  Status status = Status::kTimeout;
  std::size_t bytes = 0;
  DWORD error = 0;
  // Which opening of the port the handle came from (counts every
  // OpenEveryStep), so that a reader can tell a reopened port from the one
  // it read before: a handle value may be reused.
  std::uint64_t openNumber = 0;
};

class SerialPort {
 public:
  // A port not yet open.
  SerialPort();
  ~SerialPort();
  SerialPort(SerialPort&&) noexcept;
  SerialPort& operator=(SerialPort&&) noexcept;

  // Opens "COM1".."COM256" (any case), or a device path as given, sets the
  // unit's line up and discards what was waiting in either direction.
  // Throws SerialError.
  static SerialPort Open(const std::string& name, const LineOptions& options = {});

  // Closes any open port, then opens `name` and sets the unit's line up,
  // every step even after one failed (on a port that did not open, each
  // fails in turn). Returns the failed steps in order. The handle is kept
  // whenever the open itself succeeded.
  std::vector<OpenStepFailure> OpenEveryStep(const std::string& name,
                                             const LineOptions& options = {});

  // Waits for a pending write (bounded), takes the handle back from the
  // reader, ends the pending wait and closes the handle. Safe to call when
  // nothing is open.
  void Close();

  bool isOpen() const;
  // The name the port was last opened by.
  const std::string& name() const;
  // The number of the latest opening (PortRead::openNumber).
  std::uint64_t openNumber() const;

  // True when the open port still answers (its state and its error state
  // can be read). The opening thread's check after a reader's kFailed or a
  // device change.
  bool Answers() const;

  // ---- The reading thread ----

  // Reads what has arrived (at most `capacity` bytes), waiting up to
  // `timeoutMs` for the first byte, or until `interrupt` (may be null) is
  // signalled or the port is being closed.
  PortRead ReadSome(char* buffer, std::size_t capacity, DWORD timeoutMs,
                    HANDLE interrupt = nullptr);

  // The same for the tool: the bytes read, 0 when nothing arrived in time.
  // Throws SerialError when the port fails or is not open.
  std::size_t Read(char* buffer, std::size_t capacity, std::chrono::milliseconds timeout);

  // ---- The opening thread ----

  // Starts one overlapped write of the frame and returns; a write still
  // pending from the previous frame is waited for first (bounded by the
  // one-second write time-out). Nothing is reported: the unit's silence
  // shows a frame that did not arrive.
  void Write(std::string_view frame) noexcept;

  // Writes every byte and waits for the write. The driver gives up after its
  // one-second write time-out (flow control holding the line); `timeout`
  // bounds the wait for a driver that does not. Throws SerialError.
  void WriteAll(std::string_view data,
                std::chrono::milliseconds timeout = std::chrono::milliseconds(2000));

  // Discards bytes received but not yet read. Throws SerialError.
  void DiscardInput();

 private:
  struct State;

  [[noreturn]] void Fail(SerialErrorKind kind, const std::string& what, DWORD error) const;
  HANDLE Borrow(std::uint64_t& openNumber);
  void GiveBack();
  PortRead TakeWaiting(HANDLE handle, char* buffer, std::size_t capacity, HANDLE interrupt);
  bool PauseAfterFailedWait(DWORD ms, HANDLE interrupt);
  void FinishWrite();

  std::unique_ptr<State> state_;
};

// The serial ports of this computer, by the names Open takes, with the
// device's own name where Windows gives one: every port of the system's list
// of serial devices (HKLM\HARDWARE\DEVICEMAP\SERIALCOMM) and every COM name
// the system resolves, COM ports in the order of their numbers, then any
// other name.
std::vector<SerialPortInfo> ListSerialPorts();

}  // namespace korvex7::win32
