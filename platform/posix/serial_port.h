// The POSIX serial port: a serial device or a pseudo-terminal, configured
// for the unit's line (9600 baud, 8 data bits, even parity, 1 stop bit, raw).
//
// Every failure is a SerialError (platform/serial_error.h) that names the
// device and carries the errno and its text captured at the moment of
// failure. A SerialPort owns its file descriptor and closes it when it goes;
// it is moved, never copied.
//
// Threads: a SerialPort is used by one thread at a time. Read and WriteAll
// may run on two different threads at once (the descriptor is not shared
// with anything else), but two concurrent reads or two concurrent writes on
// one port are not supported.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/port_list.h"
#include "platform/posix/unique_fd.h"
#include "platform/serial_error.h"

namespace korvex7::posix {

using platform::SerialError;
using platform::SerialErrorKind;
using platform::SerialPortInfo;

// The unit's line: 9600 baud, 8 data bits, even parity, 1 stop bit.
inline constexpr int kUnitBaudRate = 9600;
// Bits per character on the wire at 8E1: start, 8 data, parity, stop.
inline constexpr int kBitsPerCharacter = 11;

class SerialPort {
 public:
  // Opens a serial device or the slave end of a pseudo-terminal (a path or a
  // symbolic link to one) and configures the unit's line. The device is held
  // exclusively while open. A pseudo-terminal that refuses the parity flags
  // is accepted without them (it has no line to check them on); a real
  // device that refuses them is an error. Input that arrived before the
  // open is discarded.
  static SerialPort Open(const std::string& device);

  // Takes over an already open terminal descriptor (e.g. the master end of a
  // pseudo-terminal) and puts it into non-blocking raw mode.
  static SerialPort Adopt(UniqueFd fd, std::string name);

  SerialPort(SerialPort&&) noexcept = default;
  SerialPort& operator=(SerialPort&&) noexcept = default;

  const std::string& name() const { return name_; }
  int fd() const { return fd_.get(); }
  bool isPseudoTerminal() const { return pseudoTerminal_; }
  // False when a pseudo-terminal dropped the parity flags.
  bool parityApplied() const { return parityApplied_; }

  // Reads what is available, waiting up to `timeout` for the first byte.
  // Returns 0 when nothing arrived in time. Throws SerialError on failure.
  std::size_t Read(char* buffer, std::size_t capacity, std::chrono::milliseconds timeout);

  // Writes every byte, waiting while the driver's queue is full, for at most
  // `timeout` without progress. Throws SerialError on failure or time-out.
  void WriteAll(std::string_view data,
                std::chrono::milliseconds timeout = std::chrono::milliseconds(2000));

  // Discards bytes received but not yet read.
  void DiscardInput();

 private:
  SerialPort(UniqueFd fd, std::string name, bool pseudoTerminal)
      : fd_(std::move(fd)), name_(std::move(name)), pseudoTerminal_(pseudoTerminal) {}

  void ConfigureUnitLine();

  UniqueFd fd_;
  std::string name_;
  bool pseudoTerminal_ = false;
  bool parityApplied_ = true;
};

// Collects bytes from a SerialPort into lines that end in LF.
class LineReader {
 public:
  explicit LineReader(SerialPort& port) : port_(port) {}

  // The next complete line (LF included), or nothing when no line was
  // completed within `timeout`. Bytes of an incomplete line are kept for the
  // next call.
  std::optional<std::string> ReadLine(std::chrono::milliseconds timeout);

  // Bytes received that do not yet form a complete line.
  const std::string& pending() const { return pending_; }

 private:
  SerialPort& port_;
  std::string pending_;
};

// A new pseudo-terminal: the master end, opened, and the path of its slave
// end. Both ends are in raw mode. The slave is also held open here, so the
// master keeps working while no program has the slave open (otherwise
// reads on the master fail with EIO between two users of the slave).
struct PseudoTerminal {
  UniqueFd master;
  UniqueFd slaveHold;
  std::string slavePath;
};

PseudoTerminal CreatePseudoTerminal();

// True when `fd` is either end of a pseudo-terminal.
bool IsPseudoTerminal(int fd);

// The serial devices of this computer ("/dev/ttyS0", "/dev/ttyUSB0", ...),
// by the names SerialPort::Open takes (no descriptions).
std::vector<SerialPortInfo> ListSerialPorts();

}  // namespace korvex7::posix
