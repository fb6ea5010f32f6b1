#include "core/model/device_names.h"

#include <array>

namespace korvex7 {

namespace {

constexpr std::array<std::string_view, 6> kPlainDevices = {"CON", "PRN",    "AUX",
                                                           "NUL", "CONIN$", "CONOUT$"};

// UTF-8 of the superscript digits that Windows takes as 1, 2 and 3 in a
// port's name.
constexpr std::array<std::string_view, 3> kSuperscriptDigits = {"\xC2\xB9", "\xC2\xB2", "\xC2\xB3"};

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameLetters(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Upper(a[i]) != Upper(b[i])) return false;
  }
  return true;
}

// "COM" or "LPT" followed by one digit 1..9 or a superscript 1, 2 or 3.
bool IsPortName(std::string_view base) {
  if (base.size() < 4) return false;
  const std::string_view prefix = base.substr(0, 3);
  if (!SameLetters(prefix, "COM") && !SameLetters(prefix, "LPT")) return false;
  const std::string_view number = base.substr(3);
  if (number.size() == 1) return number[0] >= '1' && number[0] <= '9';
  for (std::string_view digit : kSuperscriptDigits) {
    if (number == digit) return true;
  }
  return false;
}

// The last part of a path, after its folders and a drive.
std::string_view LastPart(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\");
  if (slash != std::string_view::npos) return path.substr(slash + 1);
  const bool drive = path.size() >= 2 && path[1] == ':' &&
                     ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  return drive ? path.substr(2) : path;
}

}  // namespace

std::string_view DeviceNameIn(std::string_view path) {
  std::string_view base = LastPart(path);
  base = base.substr(0, base.find_first_of(".:"));
  // Windows drops blanks at the end of a name: "NUL .txt" is NUL.
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  if (IsPortName(base)) return base;
  for (std::string_view device : kPlainDevices) {
    if (SameLetters(base, device)) return base;
  }
  return {};
}

bool IsDeviceName(std::string_view path) { return !DeviceNameIn(path).empty(); }

std::string DeviceNameWords(std::string_view path) {
  std::string words(DeviceNameIn(path));
  words +=
      " is the name of a device on Windows (as are CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 "
      "to LPT9, with any extension): choose another file name";
  return words;
}

}  // namespace korvex7
