#include "tools/sim/settings_io.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "core/model/saved_fields.h"
#include "core/model/settings_file.h"

namespace korvex7::sim {

std::vector<std::string> LoadUnitSettings(const std::string& path, UnitState& state) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {path + ": cannot open: " + std::strerror(errno)};
  const SettingsFileReadReport report = ReadSettingsFile(in, state.settings);
  std::vector<std::string> problems;
  if (report.endedEarly) {
    problems.push_back(path + ": the file ends after " +
                       std::to_string(report.fieldsRead + report.fieldsSkipped) +
                       " values; a settings file holds " + std::to_string(kSavedFieldCount));
  }
  if (report.fieldsSkipped > 0) {
    problems.push_back(path + ": " + std::to_string(report.fieldsSkipped) +
                       " values could not be read (not a number, or too long for the field)");
  }
  if (!problems.empty()) return problems;
  for (const std::string& p : SettingsProblems(state)) problems.push_back(path + ": " + p);
  // The unit holds the hold time as a number as well.
  const std::string_view text = TextView(state.settings.alarm.holdTimeText);
  int holdTime = 0;
  for (char c : text) holdTime = holdTime * 10 + (c - '0');
  if (problems.empty()) state.settings.alarm.holdTime = holdTime;
  return problems;
}

std::string DumpUnitSettings(const std::string& path, const SettingsModel& settings) {
  std::ostringstream text;
  WriteSettingsFile(text, settings);
  if (!text) return path + ": cannot format the settings";
  const std::string bytes = text.str();

  std::string temp = path + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return path + ": cannot create a file beside it: " + std::strerror(errno);
  const mode_t mask = ::umask(0);
  ::umask(mask);
  (void)::fchmod(fd, 0666 & ~mask);

  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const std::string reason = std::strerror(errno);
      ::close(fd);
      ::unlink(temp.c_str());
      return path + ": cannot write: " + reason;
    }
    done += static_cast<std::size_t>(n);
  }
  if (::close(fd) != 0) {
    const std::string reason = std::strerror(errno);
    ::unlink(temp.c_str());
    return path + ": cannot write: " + reason;
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    const std::string reason = std::strerror(errno);
    ::unlink(temp.c_str());
    return path + ": cannot replace: " + reason;
  }
  return {};
}

std::string DumpPathForUnit(const std::string& path, int address, bool severalUnits) {
  if (!severalUnits) return path;
  char digits[4];
  std::snprintf(digits, sizeof digits, "%02d", address % 100);
  const auto slash = path.find_last_of('/');
  const auto dot = path.find_last_of('.');
  const bool hasExtension =
      dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
  if (!hasExtension) return path + "-" + digits;
  return path.substr(0, dot) + "-" + digits + path.substr(dot);
}

}  // namespace korvex7::sim
