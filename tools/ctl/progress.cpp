#include "tools/ctl/progress.h"

#ifdef _WIN32
#include <io.h>
#include <stdio.h>
#else
#include <unistd.h>
#endif

namespace korvex7::ctl {

std::string ProgressBar::Render(std::string_view label, int done, int total, int width) {
  if (total <= 0) total = 1;
  if (done < 0) done = 0;
  if (done > total) done = total;
  const int filled = done * width / total;
  std::string bar(label);
  bar += " [";
  bar.append(static_cast<std::size_t>(filled), '#');
  bar.append(static_cast<std::size_t>(width - filled), '.');
  bar += "] ";
  bar += std::to_string(done);
  bar += '/';
  bar += std::to_string(total);
  return bar;
}

void ProgressBar::Show(std::string_view label, int done, int total) {
  if (!enabled_) return;
  const std::string text = Render(label, done, total);
  out_ << '\r' << text;
  if (text.size() < shownLength_) out_ << std::string(shownLength_ - text.size(), ' ');
  out_.flush();
  shownLength_ = text.size();
}

void ProgressBar::Clear() {
  if (!enabled_ || shownLength_ == 0) return;
  out_ << '\r' << std::string(shownLength_, ' ') << '\r';
  out_.flush();
  shownLength_ = 0;
}

bool StandardErrorIsTerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(STDERR_FILENO) != 0;
#endif
}

}  // namespace korvex7::ctl
