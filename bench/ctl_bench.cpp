// Read-all and write-all times of korvex7ctl against the unit simulator at a
// real line's speed, beside the line's own limit and the program's paced run.
//
// Starts korvex7-sim on a new pseudo-terminal and on a loopback TCP port
// (--listen) with --line-rate (9600 baud by default), runs the tool's
// read-all and write-all a few times over each (the pty as a serial line, TCP
// as a serial device server's raw port), and prints per run the time taken,
// the bytes exchanged, the time those bytes take on the wire (11 bits a
// character at 8E1, plus the unit's answer time) and the ratio of the two.
// The program paces both runs with a 400 ms timer: 55 steps take about 22 s
// whatever the line.
//
//   korvex7ctl_bench [--sim PATH] [--baud N] [--runs N] [--reply-delay-ms N] [--rs485]
//
// Prints figures; it is not a test and exits with 0 unless it cannot run.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "core/transfer/read_all.h"
#include "core/transfer/send_all_steps.h"
#include "link/link_port.h"
#include "link/network_link.h"
#include "tools/ctl/command_exchange.h"
#include "tools/ctl/unit_jobs.h"

extern char** environ;

namespace {

using korvex7::Session;
using namespace korvex7::ctl;
using Clock = std::chrono::steady_clock;

constexpr double kBitsPerCharacter = 11.0;   // start, 8 data, even parity, stop
constexpr double kProgramStepSeconds = 0.4;  // the program's bulk-transfer timer
constexpr double kAllowedRatio = 1.3;

struct Options {
  std::string sim;
  int baud = 9600;
  int runs = 3;
  int replyDelayMs = 0;
  bool rs485 = false;
};

// The simulator, started here and ended here by its own process id.
class SimProcess {
 public:
  SimProcess(const Options& o, const std::string& pty, const std::string& output) {
    std::vector<std::string> args = {o.sim,
                                     "--pty",
                                     pty,
                                     "--listen",
                                     "tcp://127.0.0.1:0",
                                     "--line-rate",
                                     std::to_string(o.baud)};
    if (o.replyDelayMs > 0) {
      args.push_back("--reply-delay-ms");
      args.push_back(std::to_string(o.replyDelayMs));
    }
    if (o.rs485) {
      args.push_back("--address");
      args.push_back("05");
    }
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int rc = posix_spawn(&pid_, o.sim.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
      pid_ = -1;
      return;
    }
    // The start-up line names the TCP port; the link appears after it.
    for (int i = 0; i < 100 && !std::filesystem::is_symlink(pty); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::ifstream in(output);
    const std::string line((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t at = line.find("tcp://");
    if (at != std::string::npos) {
      tcp_ = line.substr(at, line.find_first_of(" \n", at) - at);
    }
  }
  ~SimProcess() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
  }
  bool running() const { return pid_ > 0; }
  // "tcp://127.0.0.1:PORT", empty when the simulator did not say.
  const std::string& tcp() const { return tcp_; }

 private:
  pid_t pid_ = -1;
  std::string tcp_;
};

struct Figures {
  double seconds = 0;
  double wireSeconds = 0;
  std::size_t commands = 0;
  std::size_t bytesSent = 0;
  std::size_t bytesReceived = 0;
  bool ok = false;
};

Figures Measure(LinkPort& port, const Options& o, bool write) {
  Session session;
  if (o.rs485) {
    session.model.link.mode = korvex7::kLinkRs485;
    session.model.link.slaveAddress = 5;
  }
  CommandExchange exchange(session, port, ExchangeTiming{});
  const auto start = Clock::now();
  const JobResult r = write ? WriteAllSettings(exchange) : ReadAllSettings(exchange);
  const auto end = Clock::now();
  Figures f;
  f.ok = r.ok;
  f.seconds = std::chrono::duration<double>(end - start).count();
  f.commands = exchange.counters().commands;
  f.bytesSent = exchange.counters().bytesSent;
  f.bytesReceived = exchange.counters().bytesReceived;
  f.wireSeconds = static_cast<double>(f.bytesSent + f.bytesReceived) * kBitsPerCharacter / o.baud +
                  static_cast<double>(f.commands) * o.replyDelayMs / 1000.0;
  return f;
}

// Read-all and write-all, o.runs times each, over one port; false when a run
// failed.
bool RunTransport(LinkPort& port, const Options& o) {
  std::printf("%-10s %3s %8s %8s %9s %9s %7s %10s\n", "run", "n", "bytes>", "bytes<", "wire s",
              "tool s", "ratio", "program s");
  for (const bool write : {false, true}) {
    double worst = 0;
    for (int run = 1; run <= o.runs; ++run) {
      const Figures f = Measure(port, o, write);
      if (!f.ok) {
        std::fprintf(stderr, "korvex7ctl_bench: the %s run failed\n",
                     write ? "write-all" : "read-all");
        return false;
      }
      const double ratio = f.seconds / f.wireSeconds;
      worst = std::max(worst, ratio);
      std::printf(
          "%-10s %3zu %8zu %8zu %9.3f %9.3f %7.3f %10.1f\n",
          (std::string(write ? "write-all" : "read-all") + " " + std::to_string(run)).c_str(),
          f.commands, f.bytesSent, f.bytesReceived, f.wireSeconds, f.seconds, ratio,
          static_cast<double>(f.commands) * kProgramStepSeconds);
    }
    std::printf("%-10s worst ratio %.3f (allowed %.1f): %s\n", write ? "write-all" : "read-all",
                worst, kAllowedRatio,
                worst <= kAllowedRatio ? "within the limit" : "OVER THE LIMIT");
  }
  return true;
}

std::string DefaultSimulator() {
  std::error_code ec;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return "korvex7-sim";
  return (self.parent_path().parent_path() / "korvex7-sim").string();
}

int Usage() {
  std::fprintf(stderr,
               "usage: korvex7ctl_bench [--sim PATH] [--baud N] [--runs N] [--reply-delay-ms N] "
               "[--rs485]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  o.sim = DefaultSimulator();
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const bool hasValue = i + 1 < argc;
    if (a == "--sim" && hasValue) {
      o.sim = argv[++i];
    } else if (a == "--baud" && hasValue) {
      o.baud = std::atoi(argv[++i]);
    } else if (a == "--runs" && hasValue) {
      o.runs = std::atoi(argv[++i]);
    } else if (a == "--reply-delay-ms" && hasValue) {
      o.replyDelayMs = std::atoi(argv[++i]);
    } else if (a == "--rs485") {
      o.rs485 = true;
    } else {
      return Usage();
    }
  }
  if (o.baud < 50 || o.runs < 1 || o.replyDelayMs < 0) return Usage();

  char dir[] = "/tmp/korvex7ctl-bench.XXXXXX";
  if (mkdtemp(dir) == nullptr) {
    std::perror("korvex7ctl_bench: mkdtemp");
    return 1;
  }
  const std::string pty = std::string(dir) + "/line";
  int status = 0;
  {
    SimProcess sim(o, pty, std::string(dir) + "/sim.out");
    if (!sim.running() || !std::filesystem::is_symlink(pty) || sim.tcp().empty()) {
      std::fprintf(stderr, "korvex7ctl_bench: cannot start the simulator %s\n", o.sim.c_str());
      status = 1;
    } else {
      std::printf("korvex7ctl against korvex7-sim --line-rate %d (%s, unit answer time %d ms)\n",
                  o.baud, o.rs485 ? "RS-485 unit 05" : "RS-232C", o.replyDelayMs);
      std::printf("wire time = bytes out and in x 11 bits / %d baud + answer time per command\n",
                  o.baud);
      for (const std::string& where : {pty, sim.tcp()}) {
        std::unique_ptr<LinkPort> port;
        try {
          port = korvex7::links::OpenPort(where);
        } catch (const LinkError& e) {
          std::fprintf(stderr, "korvex7ctl_bench: %s\n", e.what());
          status = 1;
          continue;
        }
        std::printf("\nover %s\n", where == pty ? "a pseudo-terminal" : where.c_str());
        if (!RunTransport(*port, o)) status = 1;
      }
    }
  }
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  return status;
}
