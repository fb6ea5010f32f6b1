// LinkPort: the unit's line as the command-line tool and the program reach
// it, over a serial port or through a serial device server. The core's
// SendCommand writes frames through the PortWriter half; the other half
// reads what the line sends, with a time-out. serial_link.cpp implements it
// over the platform's serial port, network_link.cpp over the platform's TCP
// stream (raw or RFC 2217), and the tests with scripted units.
//
// Threads: korvex7ctl uses a port from one thread. The program reads a
// device server's port on its receive thread while its user-interface
// thread writes frames: a network port takes one reader and one writer at
// the same time (network_link.h); a serial LinkPort is used by one thread.
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/link/port.h"

namespace korvex7::links {

enum class LinkErrorKind {
  kFailed,              // cannot be opened, configured, read or written
  kConnectionLost,      // the other end closed or reset the connection
  kUnreliable,          // the line does not go quiet: noise, or a device talking unasked
  kHostNotFound,        // a device server's host name is not known
  kNotReached,          // the device server refused the connection, or did not answer
  kBusy,                // the device server closed every connection at once
  kTelnetOnRawPort,     // a Telnet (RFC 2217) port given as raw TCP
  kNoComPortControl,    // the server did not take up the RFC 2217 com-port option
  kLineSettingsRefused  // the server did not set the unit's line as asked
};

// A port that cannot be opened, configured, read or written. The message
// names the port and carries the operating system's own words; the kind
// says what went wrong, for callers that word it their own way (the
// program's Japanese messages).
class LinkError : public std::runtime_error {
 public:
  explicit LinkError(const std::string& what, LinkErrorKind kind = LinkErrorKind::kFailed)
      : std::runtime_error(what), kind_(kind) {}
  LinkErrorKind kind() const { return kind_; }

 private:
  LinkErrorKind kind_;
};

// Time as the link and the exchange see it; the tests drive it by hand.
class ExchangeClock {
 public:
  virtual ~ExchangeClock() = default;
  virtual std::chrono::steady_clock::time_point Now() = 0;
  virtual void SleepFor(std::chrono::milliseconds duration) = 0;
};
ExchangeClock& SystemClock();

class LinkPort : public PortWriter {
 public:
  // Reads what has arrived, waiting up to `timeout` for the first byte.
  // Returns 0 when nothing arrived in time. Throws LinkError on failure.
  virtual std::size_t Read(char* buffer, std::size_t capacity,
                           std::chrono::milliseconds timeout) = 0;

  // Drops bytes received but not yet read (a late answer to an earlier
  // command must not be taken for the answer to the next). It ends whatever
  // the peer keeps sending: at most a bounded amount is read and dropped.
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

}  // namespace korvex7::links
