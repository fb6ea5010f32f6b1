// LinkPort: the serial line as the command-line tool uses it. The core's
// SendCommand writes frames through the PortWriter half; the tool reads the
// unit's answer with a time-out through the other half. serial_link.cpp
// implements it over the platform's serial port (POSIX or Win32), and the
// tests implement it with a scripted unit.
//
// Threads: a LinkPort is used by one thread only; the tool does not read
// while it writes.
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/link/port.h"

namespace korvex7::ctl {

// A port that cannot be opened, configured, read or written. The message
// names the port and carries the operating system's own words.
class LinkError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class LinkPort : public PortWriter {
 public:
  // Reads what has arrived, waiting up to `timeout` for the first byte.
  // Returns 0 when nothing arrived in time. Throws LinkError on failure.
  virtual std::size_t Read(char* buffer, std::size_t capacity,
                           std::chrono::milliseconds timeout) = 0;

  // Drops bytes received but not yet read (a late answer to an earlier
  // command must not be taken for the answer to the next).
  virtual void DiscardInput() = 0;

  // The failure of the last Write, if it failed; cleared by the call.
  // (PortWriter::Write reports nothing to the core: a lost frame shows there
  // as the reply time-out, but the tool can name the real cause.)
  virtual std::string TakeWriteError() = 0;
};

// Opens and configures a port by the name the operator typed: a device path
// on POSIX, COM1..COM256 on Windows. Throws LinkError.
std::unique_ptr<LinkPort> OpenLinkPort(const std::string& name);

// The serial ports present on this computer, by the names OpenLinkPort takes.
std::vector<std::string> ListSerialPorts();

}  // namespace korvex7::ctl
