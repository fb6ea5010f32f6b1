// The program's side of an end-to-end test: korvex7-sim on a fresh
// pseudo-terminal, the POSIX serial port opened on its link, and a Session
// whose SendCommand writes to that port and whose reply side takes the lines
// that come back.
#pragma once

#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/link/reply_assembler.h"
#include "core/link/send_command.h"
#include "platform/posix/serial_port.h"
#include "tests/integration/sim_process.h"
#include "tests/support/serial_port_writer.h"

namespace korvex7::e2e {

using std::chrono::milliseconds;

// How long an answer may take before a test calls it missing; a unit that
// should stay silent is given kSilence to prove it.
inline constexpr milliseconds kAnswerTimeout{5000};
inline constexpr milliseconds kSilence{300};

class SimOnPty {
 public:
  // Starts korvex7-sim with --pty <dir>/com1 and `options`, and opens the
  // link as the program would.
  SimOnPty(const TestDir& dir, std::vector<std::string> options)
      : link_(dir.File("com1")), sim_(dir, WithPty(link_, std::move(options))) {
    if (!sim_.WaitForPath(link_)) {
      throw std::runtime_error("korvex7-sim did not start: " + sim_.Stderr());
    }
    port_.emplace(posix::SerialPort::Open(link_));
    reader_.emplace(*port_);
    writer_.emplace(*port_);
    session.port = &*writer_;
  }

  // Sends one command through SendCommand and hands the line that comes
  // back to the reply side. The line, or nothing when none came in time.
  std::optional<std::string> Exchange(std::string_view command,
                                      milliseconds timeout = kAnswerTimeout) {
    SendCommand(session, command);
    auto line = reader_->ReadLine(timeout);
    if (line) ReplyAssembler(session, *line);
    return line;
  }

  // Closes the port and opens it again, as the program does when the
  // operator picks a port.
  void Reopen() {
    writer_.reset();
    reader_.reset();
    port_.reset();
    port_.emplace(posix::SerialPort::Open(link_));
    reader_.emplace(*port_);
    writer_.emplace(*port_);
    session.port = &*writer_;
  }

  posix::SerialPort& port() { return *port_; }
  posix::LineReader& reader() { return *reader_; }
  SimProcess& process() { return sim_; }
  const std::string& link() const { return link_; }

  Session session;

 private:
  static std::vector<std::string> WithPty(const std::string& link,
                                          std::vector<std::string> options) {
    options.insert(options.begin(), {"--pty", link});
    return options;
  }

  std::string link_;
  SimProcess sim_;
  std::optional<posix::SerialPort> port_;
  std::optional<posix::LineReader> reader_;
  std::optional<posix::SerialPortWriter> writer_;
};

}  // namespace korvex7::e2e
