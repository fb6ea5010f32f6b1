#include <cstdint>
#include <string>

#include "core/text/jis.h"
#include "platform/win32/text.h"
#include "tools/ctl/text_codec.h"

namespace korvex7::ctl {

using win32::kCodePageShiftJis;

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  const auto wide = win32::CodePageToWideExact(win32::kCodePageUtf8, utf8);
  if (!wide) return std::nullopt;
  return win32::WideToCodePageExact(kCodePageShiftJis, *wide);
}

std::string Cp932ToUtf8(std::string_view cp932) {
  // Converted character by character so that one bad byte does not spoil
  // the rest: a lead byte takes its trail byte with it.
  std::string out;
  std::size_t i = 0;
  while (i < cp932.size()) {
    const bool lead = IsShiftJisLeadByte(static_cast<std::uint8_t>(cp932[i]));
    std::size_t len = lead && i + 1 < cp932.size() ? 2 : 1;
    const auto wide = win32::CodePageToWideExact(kCodePageShiftJis, cp932.substr(i, len));
    // UTF-8 has every character a code page 932 character becomes.
    const std::string utf8 = wide ? win32::WideToUtf8(*wide) : std::string();
    if (!utf8.empty() && !(lead && len == 1)) {
      out += utf8;
    } else {
      out += "\xEF\xBF\xBD";
      len = 1;
    }
    i += len;
  }
  return out;
}

}  // namespace korvex7::ctl
