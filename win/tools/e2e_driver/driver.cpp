#include "win/tools/e2e_driver/driver.h"

#include <commctrl.h>

#include <utility>

#include "win/tools/e2e_driver/remote_controls.h"
#include "win/tools/e2e_driver/steps.h"
#include "win/tools/e2e_driver/text_io.h"
#include "win/tools/e2e_driver/window_search.h"

namespace korvex7::e2e {

Driver::Driver(std::vector<std::wstring> args) : args_(std::move(args)) {}

Driver::~Driver() {
  if (process_ != nullptr) CloseHandle(process_);
}

void Driver::Run() {
  while (next_ < args_.size()) RunStep();
}

void Driver::RunStep() {
  const std::wstring name = Take();
  const Step* step = FindStep(name);
  if (step == nullptr) Fail(L"unknown step \"" + name + L"\"");
  if (args_.size() - next_ < step->arguments) Fail(L"missing argument");
  step->run(*this);
}

std::wstring Driver::Take() {
  if (next_ >= args_.size()) Fail(L"missing argument");
  return args_[next_++];
}

std::wstring Driver::TakeText() { return Unescape(Take()); }

int Driver::TakeInt() { return ToInt(Take()); }

DWORD Driver::TakeMs() { return static_cast<DWORD>(TakeInt()); }

std::optional<int> Driver::TakeOptionalInt() {
  if (next_ >= args_.size() || !LooksLikeNumber(args_[next_])) return std::nullopt;
  return TakeInt();
}

void Driver::FindMain(DWORD ms) {
  if (!WaitFor(ms, [&] {
        main_ = FindWindowW(kMainClass, nullptr);
        return main_ != nullptr && IsWindowVisible(main_);
      })) {
    Fail(L"no main window within " + std::to_wstring(ms) + L" ms");
  }
  pid_ = ProcessOf(main_);
  current_ = main_;
  if (process_ == nullptr) {
    process_ = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid_);
  }
}

HWND Driver::Main() const {
  if (main_ == nullptr) Fail(L"no main window");
  return main_;
}

HANDLE Driver::Program() const {
  if (process_ == nullptr) Fail(L"no program process");
  return process_;
}

HWND Driver::Current() const {
  if (current_ == nullptr || !IsWindow(current_)) Fail(L"no current window");
  return current_;
}

HWND Driver::Control(int id) const {
  HWND c = GetDlgItem(Current(), id);
  if (c == nullptr) {
    Fail(L"no control " + std::to_wstring(id) + L" in \"" + WindowText(current_) + L"\"");
  }
  return c;
}

HWND Driver::StatusBar() const {
  HWND bar = FindWindowExW(Main(), nullptr, STATUSCLASSNAMEW, nullptr);
  if (bar == nullptr) Fail(L"no status bar");
  return bar;
}

std::wstring Driver::StatusText(int part) const {
  HWND bar = StatusBar();
  // WM_GETTEXT gives part 0; the other parts are read through the bar's
  // process.
  if (part == 0) return WindowText(bar);
  return RemoteStatusText(bar, part);
}

}  // namespace korvex7::e2e
