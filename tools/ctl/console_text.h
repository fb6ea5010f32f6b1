// korvex7ctl's text on Windows. Everything the tool prints is UTF-8 (titles
// and messages hold Japanese). A console shows it through WriteConsoleW, as
// UTF-16, so the console's code page, which it shares with the cmd.exe that
// started the tool and with every later program of a batch file, is never
// changed; standard output or error that goes to a pipe or a file gets the
// UTF-8 bytes as they are. On POSIX the bytes always go out as they are.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <streambuf>
#include <string>
#include <string_view>

namespace korvex7::ctl {

// The length of the longest start of `bytes` that ends on a whole UTF-8
// character: the rest (at most three bytes of a character cut short) waits
// for the bytes that complete it. Bytes that cannot start or continue a
// character count as whole (they are shown as the replacement character).
std::size_t WholeUtf8Prefix(std::string_view bytes);

// A stream buffer that hands UTF-8 text to `write` in pieces of whole
// characters: at each line end, when flushed, and when its buffer is full.
class Utf8LineBuffer final : public std::streambuf {
 public:
  using Writer = std::function<void(std::string_view utf8)>;
  explicit Utf8LineBuffer(Writer write) : write_(std::move(write)) {}
  ~Utf8LineBuffer() override;

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* s, std::streamsize n) override;
  int sync() override;

 private:
  void Hand(bool everything);

  Writer write_;
  std::string pending_;
};

#ifdef _WIN32
// While it lives, std::cout and std::cerr write through WriteConsoleW when
// they are a console, and as UTF-8 bytes when they are not.
class ConsoleText {
 public:
  ConsoleText();
  ~ConsoleText();
  ConsoleText(const ConsoleText&) = delete;
  ConsoleText& operator=(const ConsoleText&) = delete;

 private:
  std::unique_ptr<Utf8LineBuffer> out_;
  std::unique_ptr<Utf8LineBuffer> err_;
  std::streambuf* outBefore_ = nullptr;
  std::streambuf* errBefore_ = nullptr;
};

// True when the handle (a HANDLE) is a console, as GetConsoleMode tells.
bool IsConsoleHandle(void* handle);
#endif

}  // namespace korvex7::ctl
