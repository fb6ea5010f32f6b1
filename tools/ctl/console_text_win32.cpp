#include <windows.h>

#include <algorithm>
#include <iostream>

#include "platform/win32/text.h"
#include "tools/ctl/console_text.h"

namespace korvex7::ctl {

namespace {

// Writes UTF-8 text to a console as UTF-16, in pieces WriteConsoleW takes.
void WriteToConsole(HANDLE console, std::string_view utf8) {
  const std::wstring wide = win32::Utf8ToWide(utf8);
  std::size_t done = 0;
  while (done < wide.size()) {
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(wide.size() - done, 8192));
    DWORD written = 0;
    if (!WriteConsoleW(console, wide.data() + done, piece, &written, nullptr) || written == 0) {
      return;  // a console that takes nothing more: the text is lost, as on a closed pipe
    }
    done += written;
  }
}

// A buffer for std::cout or std::cerr when its handle is a console.
std::unique_ptr<Utf8LineBuffer> ConsoleBuffer(DWORD which) {
  HANDLE handle = GetStdHandle(which);
  if (!IsConsoleHandle(handle)) return nullptr;
  return std::make_unique<Utf8LineBuffer>(
      [handle](std::string_view utf8) { WriteToConsole(handle, utf8); });
}

}  // namespace

bool IsConsoleHandle(void* handle) {
  DWORD mode = 0;
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

ConsoleText::ConsoleText()
    : out_(ConsoleBuffer(STD_OUTPUT_HANDLE)), err_(ConsoleBuffer(STD_ERROR_HANDLE)) {
  if (out_) outBefore_ = std::cout.rdbuf(out_.get());
  if (err_) errBefore_ = std::cerr.rdbuf(err_.get());
}

ConsoleText::~ConsoleText() {
  if (out_) {
    std::cout.flush();
    std::cout.rdbuf(outBefore_);
  }
  if (err_) {
    std::cerr.flush();
    std::cerr.rdbuf(errBefore_);
  }
}

}  // namespace korvex7::ctl
