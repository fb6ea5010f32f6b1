// One request of the end-to-end driver: its steps with their arguments, and
// the windows and the process they work on. A request starts afresh: no main
// or current window is carried over from another one.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace korvex7::e2e {

class Driver {
 public:
  explicit Driver(std::vector<std::wstring> args);
  ~Driver();
  Driver(const Driver&) = delete;
  Driver& operator=(const Driver&) = delete;

  // Runs the steps in order; throws Failure at the first that fails.
  void Run();

  // Runs the step at the cursor: its name, then its arguments.
  void RunStep();

  // ---- The arguments of the step being run, in order ----------------------
  std::wstring Take();      // as given
  std::wstring TakeText();  // an expected text: "\n" is a line break
  int TakeInt();
  DWORD TakeMs();
  // The next argument if it is a number; it is left alone otherwise (an
  // optional last argument).
  std::optional<int> TakeOptionalInt();
  std::size_t Position() const { return next_; }
  void Rewind(std::size_t position) { next_ = position; }

  // ---- The windows and the process ---------------------------------------
  // The visible main window of the program (class "KORVEX7") once found
  // within ms; it becomes current and its process the one driven.
  void FindMain(DWORD ms);
  HWND Main() const;  // fails before FindMain
  DWORD ProgramId() const { return pid_; }
  // The program's process, opened when its main window was found, so that
  // its end can be seen even after it has gone.
  HANDLE Program() const;

  HWND Current() const;  // fails when there is none or it has gone
  HWND CurrentOrNull() const { return current_; }
  void SetCurrent(HWND hwnd) { current_ = hwnd; }
  // Control id of the current window; fails when it has none.
  HWND Control(int id) const;

  HWND StatusBar() const;
  std::wstring StatusText(int part) const;

 private:
  std::vector<std::wstring> args_;
  std::size_t next_ = 0;
  HWND main_ = nullptr;
  DWORD pid_ = 0;
  HANDLE process_ = nullptr;
  HWND current_ = nullptr;
};

}  // namespace korvex7::e2e
