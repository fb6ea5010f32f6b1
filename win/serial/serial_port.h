// The program's serial port: opening COM1..COM6 with the unit's line set up
// by the platform layer (platform/win32/serial_line.h), the overlapped write
// of each frame, and the hand-over of the port between the user-interface
// thread and the receive thread.
//
// Threads. The user-interface thread opens, closes and writes; the receive
// thread waits and reads. The receive thread borrows the handle for one pass
// at a time (BeginReading/EndReading). Close() asks a borrowing reader to give
// the handle back (the close-request event ends its wait), waits until it has,
// and only then closes the handle, so the reader never uses a closed or reused
// handle. Writes use their own overlapped record; the frame being written is
// kept in a member buffer until the write has completed.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/link/port.h"
#include "platform/win32/unique_handle.h"

namespace korvex7::win {

// The configuration steps of opening the port, in the order they run; each
// failure is reported with its own message.
enum class OpenStep { kFileOpen, kMaskSet, kBufferSet, kTimeOutSet, kSetCommState };

// "Miss! File Open", "Miss! Mask Set", "Miss! Buffer Set", "Miss! Time Out Set",
// "Miss! Set Comm State".
std::wstring_view OpenStepMessage(OpenStep step);

// "COM1".."COM6" for link.comPort 0..5; any other value gives "COM1".
std::wstring PortName(int comPort);

class SerialPort final : public PortWriter {
 public:
  SerialPort();
  ~SerialPort() override;
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;

  // True when the events could be created; without them nothing works.
  bool ready() const { return writeEvent_.valid() && closeRequest_.valid(); }

  // User-interface thread. Closes any open port, then opens "COMn" for
  // overlapped I/O and configures it. Every step runs even when an earlier one
  // failed; the failed steps are returned in order.
  std::vector<OpenStep> Open(int comPort);

  // User-interface thread. Waits for a pending write, takes the handle back
  // from the receive thread and closes it. Safe to call when nothing is open.
  void Close();

  // User-interface thread (PortWriter). Starts one overlapped write of the
  // frame; a write still pending from the previous frame is waited for first
  // (bounded by the one-second write time-out). Errors are not reported: a
  // frame that does not arrive shows up as the reply time-out.
  void Write(std::string_view frame) override;

  // Receive thread. Lends the open handle for one pass, or returns null when
  // no port is open or a close is under way. Every non-null result must be
  // followed by EndReading().
  HANDLE BeginReading();
  // The same, also giving the number of the Open() that made the handle, so
  // the reader can tell a reopened port from the one it read before (a handle
  // value may be reused).
  HANDLE BeginReading(std::uint64_t& openNumber);
  void EndReading();
  // Signalled while the user-interface thread waits to close the port; the
  // reader includes it in its waits and gives the handle back when it fires.
  HANDLE closeRequestEvent() const { return closeRequest_.get(); }

 private:
  void FinishPendingWrite();

  // Owned by the user-interface thread; read under lock_ by BeginReading.
  win32::UniqueHandle handle_;
  OVERLAPPED writeOverlapped_{};
  win32::UniqueHandle writeEvent_;
  std::string writeBuffer_;  // the frame of the pending write
  bool writePending_ = false;

  SRWLOCK lock_ = SRWLOCK_INIT;
  CONDITION_VARIABLE readerDone_ = CONDITION_VARIABLE_INIT;
  bool closing_ = false;              // guarded by lock_
  bool readerBorrows_ = false;        // guarded by lock_
  std::uint64_t opens_ = 0;           // guarded by lock_: Open() calls so far
  win32::UniqueHandle closeRequest_;  // manual reset
};

}  // namespace korvex7::win
