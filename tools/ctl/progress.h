// A one-line progress bar for a terminal: "unit 05 read [#######.....] 27/55".
// It is drawn on the error stream only when that stream is a terminal, so
// output that goes to a file or a pipe carries no progress text.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace korvex7::ctl {

class ProgressBar {
 public:
  ProgressBar(std::ostream& out, bool enabled) : out_(out), enabled_(enabled) {}
  ~ProgressBar() { Clear(); }
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  void Show(std::string_view label, int done, int total);
  // Erases the bar, so that the next message starts on a clean line.
  void Clear();

  // The bar's text without the carriage return: for the tests.
  static std::string Render(std::string_view label, int done, int total, int width = 30);

 private:
  std::ostream& out_;
  bool enabled_;
  std::size_t shownLength_ = 0;
};

// True when the standard error stream is a terminal.
bool StandardErrorIsTerminal();

}  // namespace korvex7::ctl
