// The Win32 serial port: a COM port opened by name and set up for the unit's
// line exactly as the program sets its port up (platform/win32/serial_line.h).
// Its public side is that of the POSIX port (platform/posix/serial_port.h):
// Open, Read with a time-out, WriteAll, DiscardInput, and the port list.
//
// The port is opened for overlapped I/O and used by one thread. Reads never
// wait in the driver: as in the program's receive thread, ClearCommError
// says how many bytes are waiting and ReadFile takes just those (the read
// time-outs make it return at once). When nothing has arrived, Read waits for
// the next received character with WaitCommEvent, up to the time left, and
// looks again; so bytes are taken as soon as they are there. (Waiting in
// ReadFile itself with the "MAXDWORD, MAXDWORD, constant" time-outs is not
// used: not every serial driver returns on the first byte then.) A
// WaitCommEvent that ends early, as on a pseudo-terminal under Wine, only
// means another look at the port.
//
// Every failure is a platform::SerialError naming the port, with the
// system's words for the error.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/serial_error.h"
#include "platform/win32/unique_handle.h"

namespace korvex7::win32 {

using platform::SerialError;
using platform::SerialErrorKind;

class SerialPort {
 public:
  // Opens "COM1".."COM256" (any case), or a device path as given, and sets
  // the unit's line up. Input and output that were waiting are discarded.
  static SerialPort Open(const std::string& name);

  SerialPort(SerialPort&&) noexcept = default;
  SerialPort& operator=(SerialPort&&) noexcept = default;

  const std::string& name() const { return name_; }

  // Reads what is available, waiting up to `timeout` for the first byte.
  // Returns 0 when nothing arrived in time.
  std::size_t Read(char* buffer, std::size_t capacity, std::chrono::milliseconds timeout);

  // Writes every byte. The driver gives up after its one-second write
  // time-out (flow control holding the line); `timeout` bounds the wait for
  // a driver that does not.
  void WriteAll(std::string_view data,
                std::chrono::milliseconds timeout = std::chrono::milliseconds(2000));

  // Discards bytes received but not yet read.
  void DiscardInput();

 private:
  explicit SerialPort(std::string name) : name_(std::move(name)) {}

  [[noreturn]] void Fail(SerialErrorKind kind, const std::string& what, DWORD error) const;
  std::size_t ReadWaiting(char* buffer, std::size_t capacity);
  void WaitForCharacter(DWORD ms);

  std::string name_;
  UniqueHandle handle_;
  UniqueHandle readEvent_;
  UniqueHandle writeEvent_;
  UniqueHandle commEvent_;
};

// The COM ports this computer has ("COM1", "COM3", ...), by the names Open
// takes.
std::vector<std::string> ListSerialPorts();

}  // namespace korvex7::win32
