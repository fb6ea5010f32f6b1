// korvex7-sim: a display unit on a serial line, for trying settings files,
// training operators and testing the program and RS-485 wiring plans
// without hardware.
//
// One thread does everything: it waits on the port and on a pipe that the
// signal handler writes to, cuts the bytes into frames, lets each simulated
// unit handle each frame, and writes the answer, paced as the options say.
// SIGINT, SIGTERM and SIGHUP end the loop cleanly: the settings are dumped a
// last time and the pseudo-terminal's link is removed.
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/model/settings_store.h"
#include "platform/atomic_file.h"
#include "platform/posix/serial_port.h"
#include "tools/sim/answer_shaping.h"
#include "tools/sim/frame_splitter.h"
#include "tools/sim/pty_link.h"
#include "tools/sim/settings_io.h"
#include "tools/sim/sim_unit.h"
#include "korvex7_version.h"
#include "tools/sim/wire_text.h"

namespace korvex7::sim {
namespace {

// ---- signals: the handler only writes one byte into a pipe ----

int g_signalPipe[2] = {-1, -1};

extern "C" void OnStopSignal(int) {
  const int saved = errno;
  const char c = 1;
  (void)!::write(g_signalPipe[1], &c, 1);
  errno = saved;
}

void InstallSignalHandlers() {
  if (::pipe(g_signalPipe) != 0)
    throw std::runtime_error(std::string("pipe: ") + std::strerror(errno));
  for (int fd : g_signalPipe) {
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
  }
  struct sigaction sa {};
  sa.sa_handler = OnStopSignal;
  sigemptyset(&sa.sa_mask);
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(sig, &sa, nullptr);
  ::signal(SIGPIPE, SIG_IGN);
}

// Waits until `deadline` unless a stop signal comes first (then false).
bool WaitUntil(SteadyTime deadline) {
  for (;;) {
    const auto left = deadline - std::chrono::steady_clock::now();
    if (left <= std::chrono::nanoseconds(0)) return true;
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
    timespec ts{static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
    pollfd p{g_signalPipe[0], POLLIN, 0};
    const int r = ::ppoll(&p, 1, &ts, nullptr);
    if (r > 0) return false;
    if (r < 0 && errno != EINTR) return true;
  }
}

// ---- options ----

struct Options {
  std::string pty;
  std::string port;
  std::vector<std::string> addresses;
  std::string load;
  std::string dump;
  std::string log;
  int replyDelayMs = 0;
  bool silent = false;
  std::string status;
  bool chunked = false;
  unsigned long long garbleEvery = 0;
  int lineRate = 0;
};

std::optional<int> ParseAddress(const std::string& text) {
  if (text.empty() || text.size() > 2) return std::nullopt;
  int v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + (c - '0');
  }
  if (v > kMaxUnitAddress) return std::nullopt;
  return v;
}

// ---- the running simulator ----

class Simulator {
 public:
  Simulator(const Options& options, posix::SerialPort port, std::vector<SimUnit> units,
            std::ostream* log)
      : options_(options), port_(std::move(port)), units_(std::move(units)), log_(log) {
    shaping_.replyDelay = std::chrono::milliseconds(options.replyDelayMs);
    shaping_.chunked = options.chunked;
    shaping_.lineRate = options.lineRate;
  }

  // Writes the dump of every unit.
  void DumpAll() {
    for (const SimUnit& unit : units_) Dump(unit);
  }

  // Runs until a stop signal. Returns the exit status.
  int Run() {
    char buffer[4096];
    for (;;) {
      pollfd fds[2] = {{port_.fd(), POLLIN, 0}, {g_signalPipe[0], POLLIN, 0}};
      const int r = ::poll(fds, 2, -1);
      if (r < 0) {
        if (errno == EINTR) continue;
        std::cerr << "korvex7-sim: poll: " << std::strerror(errno) << "\n";
        return Finish(1);
      }
      if (fds[1].revents != 0) return Finish(0);
      if (fds[0].revents == 0) continue;
      std::size_t n = 0;
      try {
        n = port_.Read(buffer, sizeof buffer, std::chrono::milliseconds(0));
        if (n == 0 && (fds[0].revents & (POLLHUP | POLLERR)) != 0) {
          throw posix::SerialError(posix::SerialErrorKind::kIo, port_.name(),
                                   port_.name() + ": the line hung up", EIO);
        }
      } catch (const posix::SerialError& e) {
        std::cerr << "korvex7-sim: " << e.what() << "\n";
        return Finish(1);
      }
      const auto now = std::chrono::steady_clock::now();
      for (const Frame& frame : splitter_.Feed(std::string_view(buffer, n), now)) {
        if (!HandleFrame(frame, now)) return Finish(0);
      }
    }
  }

 private:
  // Returns false when a stop signal came while an answer was being paced.
  bool HandleFrame(const Frame& frame, SteadyTime received) {
    std::optional<std::string> answer;
    std::string note;
    for (SimUnit& unit : units_) {
      const FrameResult result = unit.HandleFrame(frame.bytes);
      if (result.settingsChanged) Dump(unit);
      switch (result.disposition) {
        case FrameDisposition::kAnswered:
          answer = result.answer;
          break;
        case FrameDisposition::kSilent:
          note = "not answered: silent";
          break;
        case FrameDisposition::kBroadcast:
          note = result.accepted ? "broadcast, applied" : "broadcast, refused";
          break;
        case FrameDisposition::kOtherUnit:
          if (note.empty() && !answer) note = "not for this unit";
          break;
        case FrameDisposition::kEmpty:
          note = "empty line";
          break;
      }
    }
    if (answer) note.clear();  // the unit that answered speaks for the frame
    if (frame.overlong) {
      note = "overlong: " + std::to_string(frame.length) + " bytes, the first " +
             std::to_string(frame.bytes.size()) + " shown" + (note.empty() ? "" : "; " + note);
    }
    Log("RX", frame.bytes, note);
    if (!answer) return true;

    ++answerCount_;
    std::string sent = *answer;
    std::string txNote;
    if (IsGarbledAnswer(answerCount_, options_.garbleEvery)) {
      sent = GarbleAnswer(sent);
      txNote = "garbled";
    }
    for (const AnswerPiece& piece :
         ScheduleAnswer(sent, frame.firstByte, frame.length, received, shaping_)) {
      if (!WaitUntil(piece.notBefore)) return false;
      try {
        port_.WriteAll(piece.bytes);
      } catch (const posix::SerialError& e) {
        std::cerr << "korvex7-sim: " << e.what() << "\n";
        Log("TX", sent, std::string("not delivered: ") + e.what());
        return true;
      }
    }
    Log("TX", sent, txNote);
    return true;
  }

  void Log(std::string_view direction, std::string_view bytes, std::string_view note) {
    if (log_ == nullptr) return;
    *log_ << LogLine(std::chrono::system_clock::now(), direction, bytes, note) << '\n'
          << std::flush;
  }

  void Dump(const SimUnit& unit) {
    if (options_.dump.empty()) return;
    const std::string path =
        UnitFileName(options_.dump, unit.address().value_or(0), units_.size() > 1);
    const std::string bytes = SettingsFileBytes(unit.state().settings);
    const platform::FileReplaceResult saved =
        platform::ReplaceFileAtomically(PathFromUtf8(path), bytes);
    if (!saved.ok()) std::cerr << "korvex7-sim: " << saved.message << "\n";
  }

  int Finish(int status) {
    DumpAll();
    return status;
  }

  const Options& options_;
  posix::SerialPort port_;
  std::vector<SimUnit> units_;
  std::ostream* log_;
  AnswerShaping shaping_;
  FrameSplitter splitter_;
  unsigned long long answerCount_ = 0;
};

// The unit's clock starts at the host's local time (2000..2099).
UnitClock HostClock() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  UnitClock c;
  c.year = (local.tm_year + 1900) % 100;
  c.month = local.tm_mon + 1;
  c.day = local.tm_mday;
  c.hour = local.tm_hour;
  c.minute = local.tm_min;
  c.second = local.tm_sec > 59 ? 59 : local.tm_sec;
  return c;
}

int Main(int argc, char** argv) {
  Options o;
  CLI::App app{"korvex7-sim: a KORVEX7 display unit on a serial line (9600 baud, 8E1)"};
  app.set_version_flag("--version", "korvex7-sim " KORVEX7_VERSION);
  app.footer(
      "Examples:\n"
      "  korvex7-sim --pty /tmp/korvex7-com1\n"
      "  korvex7-sim --pty /tmp/korvex7-com1 --address 05 --load site.dat --dump unit.dat\n"
      "  korvex7-sim --port /dev/ttyUSB0 --address 01,02,03 --log -\n"
      "Stop with Ctrl-C (or SIGTERM): the link is removed and the dump written.");
  auto* ptyOpt = app.add_option("--pty", o.pty,
                                "create a pseudo-terminal and make PATH a symbolic link to it "
                                "(removed on exit)")
                     ->type_name("PATH");
  auto* portOpt = app.add_option("--port", o.port, "use an existing serial device instead")
                      ->type_name("DEVICE");
  ptyOpt->excludes(portOpt);
  app.add_option("--address", o.addresses,
                 "act as RS-485 unit NN (00..31); repeat or separate by commas for several "
                 "units on one line. Without it: RS-232C")
      ->type_name("NN")
      ->delimiter(',');
  app.add_option("--load", o.load, "start with the settings of this settings file")
      ->type_name("FILE")
      ->check(CLI::ExistingFile);
  app.add_option("--dump", o.dump,
                 "write the unit's settings to this settings file at start, whenever they "
                 "change and on exit (several units: FILE-NN.ext)")
      ->type_name("FILE");
  app.add_option("--log", o.log,
                 "log every frame received (RX) and answer sent (TX) to FILE ('-': standard "
                 "output)")
      ->type_name("FILE");
  app.add_option("--reply-delay-ms", o.replyDelayMs, "wait N ms before answering")
      ->type_name("N")
      ->check(CLI::Range(0, 600000));
  app.add_flag("--silent", o.silent, "act on commands but never answer");
  app.add_option("--status", o.status,
                 "answer every command with this status word and change nothing")
      ->type_name("WORD")
      ->check(CLI::IsMember({"MENU", "ALARM", "LOCK", "GN", "E0", "E1", "E2", "E3"}));
  app.add_flag("--chunked", o.chunked, "send each answer byte by byte in separate writes");
  app.add_option("--garble-every", o.garbleEvery, "change one byte of every N-th answer")
      ->type_name("N")
      ->check(CLI::PositiveNumber);
  app.add_option("--line-rate", o.lineRate,
                 "deliver answers no faster than a real line at BAUD would (11 bits a "
                 "character)")
      ->type_name("BAUD")
      ->check(CLI::Range(50, 4000000));
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    // Help and version end with 0; every usage error with 2.
    return app.exit(e) == 0 ? 0 : 2;
  }
  if (o.pty.empty() && o.port.empty()) {
    std::cerr << "korvex7-sim: give --pty PATH (a new pseudo-terminal) or --port DEVICE\n"
              << "Run with --help for more information.\n";
    return 2;
  }

  // The units on the line.
  std::vector<SimUnit> units;
  std::set<int> seen;
  for (const std::string& text : o.addresses) {
    const auto address = ParseAddress(text);
    if (!address) {
      std::cerr << "korvex7-sim: --address " << text << ": an RS-485 address is 00..31\n";
      return 2;
    }
    if (!seen.insert(*address).second) {
      std::cerr << "korvex7-sim: --address " << text << " given twice\n";
      return 2;
    }
    units.emplace_back(*address);
  }
  if (units.empty()) units.emplace_back(std::nullopt);
  for (SimUnit& unit : units) {
    unit.state().clock = HostClock();
    unit.SetSilent(o.silent);
    if (!o.status.empty()) unit.SetForcedStatus(o.status);
    if (!o.load.empty()) {
      const auto problems = LoadUnitSettings(o.load, unit.state());
      if (!problems.empty()) {
        for (const std::string& p : problems) std::cerr << "korvex7-sim: " << p << "\n";
        return 2;
      }
    }
  }

  std::ofstream logFile;
  std::ostream* log = nullptr;
  if (o.log == "-") {
    log = &std::cout;
  } else if (!o.log.empty()) {
    logFile.open(o.log, std::ios::out | std::ios::trunc | std::ios::binary);
    if (!logFile) {
      std::cerr << "korvex7-sim: " << o.log << ": cannot open: " << std::strerror(errno) << "\n";
      return 2;
    }
    log = &logFile;
  }

  try {
    InstallSignalHandlers();
    std::optional<posix::PseudoTerminal> pty;
    std::optional<posix::SerialPort> port;
    std::string where;
    if (!o.pty.empty()) {
      pty = posix::CreatePseudoTerminal();
      port = posix::SerialPort::Adopt(std::move(pty->master), "pseudo-terminal " + pty->slavePath);
      where = o.pty + " (" + pty->slavePath + ")";
    } else {
      port = posix::SerialPort::Open(o.port);
      where = o.port;
    }

    std::string who;
    if (units.front().address()) {
      who = units.size() > 1 ? "RS-485 units" : "RS-485 unit";
      for (const SimUnit& unit : units) who += " " + unit.AddressPrefix();
    } else {
      who = "RS-232C unit";
    }

    Simulator sim(o, std::move(*port), std::move(units), log);
    // Everything is in place before the link appears: whoever waits for the
    // link finds the first dump written and the unit listening.
    sim.DumpAll();
    std::unique_ptr<PtyLink> link;
    if (pty) link = std::make_unique<PtyLink>(o.pty, pty->slavePath);
    std::cout << "korvex7-sim: " << who << " on " << where << "\n" << std::flush;
    const int status = sim.Run();
    if (link) link->Remove();
    return status;
  } catch (const posix::SerialError& e) {
    std::cerr << "korvex7-sim: " << e.what() << "\n";
    return 1;
  } catch (const std::exception& e) {
    std::cerr << "korvex7-sim: " << e.what() << "\n";
    return 1;
  }
}

}  // namespace
}  // namespace korvex7::sim

int main(int argc, char** argv) { return korvex7::sim::Main(argc, argv); }
