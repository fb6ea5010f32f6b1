#include <windows.h>

#include <cstdint>
#include <string>

#include "core/text/jis.h"
#include "tools/ctl/text_codec.h"

namespace korvex7::ctl {

namespace {

constexpr UINT kCodePage932 = 932;

std::optional<std::wstring> ToWide(UINT codePage, std::string_view text) {
  if (text.empty()) return std::wstring();
  const int size = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
  if (n <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(n), L'\0');
  if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), n) != n) {
    return std::nullopt;
  }
  return wide;
}

// Code page 932 needs the default-character check: a character it lacks
// would otherwise become "?" without complaint. UTF-8 allows neither flag.
std::optional<std::string> FromWide(UINT codePage, const std::wstring& wide) {
  if (wide.empty()) return std::string();
  const int size = static_cast<int>(wide.size());
  const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultPtr = codePage == CP_UTF8 ? nullptr : &usedDefault;
  const int n =
      WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, usedDefaultPtr);
  if (n <= 0 || usedDefault) return std::nullopt;
  std::string out(static_cast<std::size_t>(n), '\0');
  if (WideCharToMultiByte(codePage, flags, wide.data(), size, out.data(), n, nullptr,
                          usedDefaultPtr) != n ||
      usedDefault) {
    return std::nullopt;
  }
  return out;
}

}  // namespace

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  const auto wide = ToWide(CP_UTF8, utf8);
  if (!wide) return std::nullopt;
  return FromWide(kCodePage932, *wide);
}

std::string Cp932ToUtf8(std::string_view cp932) {
  // Converted character by character so that one bad byte does not spoil
  // the rest: a lead byte takes its trail byte with it.
  std::string out;
  std::size_t i = 0;
  while (i < cp932.size()) {
    const bool lead = IsShiftJisLeadByte(static_cast<std::uint8_t>(cp932[i]));
    std::size_t len = lead && i + 1 < cp932.size() ? 2 : 1;
    auto wide = ToWide(kCodePage932, cp932.substr(i, len));
    std::optional<std::string> utf8;
    if (wide) utf8 = FromWide(CP_UTF8, *wide);
    if (utf8 && !(lead && len == 1)) {
      out += *utf8;
    } else {
      out += "\xEF\xBF\xBD";
      len = 1;
    }
    i += len;
  }
  return out;
}

}  // namespace korvex7::ctl
