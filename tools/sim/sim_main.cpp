// korvex7-sim: a display unit on a serial line, for trying settings files,
// training operators and testing the program and RS-485 wiring plans
// without hardware; on a pseudo-terminal, a serial device, or a TCP port.
//
// Start-up, in order: the command line; the units, with the settings file to
// start from; the log; the ways in (the pseudo-terminal or the device, and
// each --listen socket); the first dump; then the pseudo-terminal's link
// appears, so whoever waits for it finds everything in place. The running
// simulator is LineServer (run/line_server.h).
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/link/port_address.h"
#include "platform/posix/serial_port.h"
#include "platform/posix/tcp_socket.h"
#include "tools/sim/pty_link.h"
#include "tools/sim/run/line_server.h"
#include "tools/sim/run/sim_options.h"
#include "tools/sim/run/stop_signal.h"
#include "tools/sim/settings_io.h"
#include "tools/sim/sim_unit.h"

namespace korvex7::sim {
namespace {

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

// The units on the line, set up from the options; empty when --load fails
// (reported).
std::optional<std::vector<SimUnit>> MakeUnits(const SimOptions& o) {
  std::vector<SimUnit> units;
  for (const int address : o.addresses) units.emplace_back(address);
  if (units.empty()) units.emplace_back(std::nullopt);
  for (SimUnit& unit : units) {
    unit.state().clock = HostClock();
    unit.SetSilent(o.silent);
    if (!o.status.empty()) unit.SetForcedStatus(o.status);
    if (o.load.empty()) continue;
    const auto problems = LoadUnitSettings(o.load, unit.state());
    if (!problems.empty()) {
      for (const std::string& p : problems) std::cerr << "korvex7-sim: " << p << "\n";
      return std::nullopt;
    }
  }
  return units;
}

std::string Who(const std::vector<SimUnit>& units) {
  if (!units.front().address()) return "RS-232C unit";
  std::string who = units.size() > 1 ? "RS-485 units" : "RS-485 unit";
  for (const SimUnit& unit : units) who += " " + unit.AddressPrefix();
  return who;
}

int Main(int argc, char** argv) {
  const ParsedSimOptions parsed = ParseSimOptions(argc, argv);
  if (!parsed.options) return parsed.exitCode;
  const SimOptions& o = *parsed.options;

  std::optional<std::vector<SimUnit>> units = MakeUnits(o);
  if (!units) return 2;
  const std::string who = Who(*units);

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
    InstallStopSignals();
    LineServer server(o, std::move(*units), log);
    std::vector<std::string> where;
    std::optional<posix::PseudoTerminal> pty;
    if (!o.pty.empty()) {
      pty = posix::CreatePseudoTerminal();
      server.AddSerialLine(
          posix::SerialPort::Adopt(std::move(pty->master), "pseudo-terminal " + pty->slavePath));
      where.push_back(o.pty + " (" + pty->slavePath + ")");
    } else if (!o.port.empty()) {
      server.AddSerialLine(posix::SerialPort::Open(o.port));
      where.push_back(o.port);
    }
    for (const std::string& text : o.listen) {
      const PortAddress address = *ParsePortAddress(text, true).address;
      posix::TcpListener listener = posix::TcpListener::Listen(address.host, address.port);
      where.push_back("tcp://" + listener.address());
      server.AddListener(std::move(listener));
    }

    // Everything is in place before the link appears: whoever waits for the
    // link finds the first dump written and the unit listening.
    server.DumpAll();
    std::unique_ptr<PtyLink> link;
    if (pty) link = std::make_unique<PtyLink>(o.pty, pty->slavePath);
    std::string on;
    for (const std::string& w : where) on += (on.empty() ? "" : " and ") + w;
    std::cout << "korvex7-sim: " << who << " on " << on << "\n" << std::flush;
    const int status = server.Run();
    if (link) link->Remove();
    return status;
  } catch (const std::exception& e) {
    std::cerr << "korvex7-sim: " << e.what() << "\n";
    return 1;
  }
}

}  // namespace
}  // namespace korvex7::sim

int main(int argc, char** argv) { return korvex7::sim::Main(argc, argv); }
