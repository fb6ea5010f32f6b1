// korvex7-sim as a child process for the end-to-end tests: started with its
// options, its standard output and error kept in files, stopped with a
// signal, and its exit status collected.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace korvex7::e2e {

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// A fresh directory for one test, removed afterwards.
class TestDir {
 public:
  TestDir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/korvex7-e2e-XXXXXX";
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  TestDir(const TestDir&) = delete;
  TestDir& operator=(const TestDir&) = delete;
  ~TestDir() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

class SimProcess {
 public:
  // Starts korvex7-sim with `args`; its output goes to out.txt and err.txt
  // in `dir`.
  SimProcess(const TestDir& dir, std::vector<std::string> args)
      : out_(dir.File("sim-out.txt")), err_(dir.File("sim-err.txt")) {
    args.insert(args.begin(), KORVEX7_SIM_PATH);
    pid_ = ::fork();
    if (pid_ == 0) {
      const int out = ::open(out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      const int err = ::open(err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      ::dup2(out, 1);
      ::dup2(err, 2);
      std::vector<char*> argv;
      for (std::string& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      ::execv(argv[0], argv.data());
      ::_exit(127);
    }
  }
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;
  ~SimProcess() {
    if (running()) Stop(SIGKILL);
  }

  bool running() const { return pid_ > 0 && !status_; }

  // Waits until `path` exists (the simulator made its link), or until the
  // process ended or `timeout` passed.
  bool WaitForPath(const std::string& path,
                   std::chrono::milliseconds timeout = std::chrono::milliseconds(10000)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
      std::error_code ec;
      if (std::filesystem::exists(path, ec)) return true;
      if (Poll()) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
  }

  // Waits for the process to end by itself; its exit status, or nothing
  // when it still runs after `timeout`.
  std::optional<int> Wait(std::chrono::milliseconds timeout = std::chrono::milliseconds(10000)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!Poll()) {
      if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return status_;
  }

  // Sends `signal` and waits for the end; the exit status (128 + signal
  // when the signal killed it).
  std::optional<int> Stop(int signal = SIGTERM) {
    if (running()) ::kill(pid_, signal);
    return Wait();
  }

  std::string Stdout() const { return ReadFile(out_); }
  std::string Stderr() const { return ReadFile(err_); }

 private:
  // True once the process has ended.
  bool Poll() {
    if (status_) return true;
    if (pid_ <= 0) {
      status_ = 127;
      return true;
    }
    int raw = 0;
    if (::waitpid(pid_, &raw, WNOHANG) != pid_) return false;
    status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    return true;
  }

  std::string out_;
  std::string err_;
  pid_t pid_ = -1;
  std::optional<int> status_;
};

}  // namespace korvex7::e2e
