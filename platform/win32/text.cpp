#include "platform/win32/text.h"

#include <windows.h>

#include <climits>

static_assert(korvex7::win32::kCodePageUtf8 == CP_UTF8);

namespace korvex7::win32 {

namespace {

// MultiByteToWideChar over the whole text, with `flags`; nothing when the
// call fails.
std::optional<std::wstring> ToWide(unsigned codePage, std::string_view text, DWORD flags) {
  if (text.empty()) return std::wstring();
  if (text.size() > static_cast<std::size_t>(INT_MAX)) return std::nullopt;
  const int inLength = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(codePage, flags, text.data(), inLength, nullptr, 0);
  if (n <= 0) return std::nullopt;
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  const int written = MultiByteToWideChar(codePage, flags, text.data(), inLength, out.data(), n);
  if (written <= 0) return std::nullopt;
  out.resize(static_cast<std::size_t>(written));
  return out;
}

// WideCharToMultiByte over the whole text. `exact`: no best-fit look-alike
// and no default character (for UTF-8, which has every character, no lone
// surrogate).
std::optional<std::string> FromWide(unsigned codePage, std::wstring_view text, bool exact) {
  if (text.empty()) return std::string();
  if (text.size() > static_cast<std::size_t>(INT_MAX)) return std::nullopt;
  const bool utf8 = codePage == CP_UTF8;
  const DWORD flags = !exact ? 0 : utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  // UTF-8 takes no default character (the call fails when asked for one).
  BOOL* usedDefaultOut = exact && !utf8 ? &usedDefault : nullptr;
  const int inLength = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(codePage, flags, text.data(), inLength, nullptr, 0, nullptr,
                                    usedDefaultOut);
  if (n <= 0 || usedDefault) return std::nullopt;
  std::string out(static_cast<std::size_t>(n), '\0');
  const int written = WideCharToMultiByte(codePage, flags, text.data(), inLength, out.data(), n,
                                          nullptr, usedDefaultOut);
  if (written <= 0 || usedDefault) return std::nullopt;
  out.resize(static_cast<std::size_t>(written));
  return out;
}

}  // namespace

std::wstring CodePageToWide(unsigned codePage, std::string_view text) {
  return ToWide(codePage, text, 0).value_or(std::wstring());
}

std::string WideToCodePage(unsigned codePage, std::wstring_view text) {
  return FromWide(codePage, text, false).value_or(std::string());
}

std::optional<std::wstring> CodePageToWideExact(unsigned codePage, std::string_view text) {
  return ToWide(codePage, text, MB_ERR_INVALID_CHARS);
}

std::optional<std::string> WideToCodePageExact(unsigned codePage, std::wstring_view text) {
  return FromWide(codePage, text, true);
}

std::wstring Utf8ToWide(std::string_view text) { return CodePageToWide(CP_UTF8, text); }

std::string WideToUtf8(std::wstring_view text) { return WideToCodePage(CP_UTF8, text); }

std::string OsErrorWords(unsigned long error) {
  wchar_t* buffer = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring words;
  if (n != 0 && buffer != nullptr) words.assign(buffer, n);
  if (buffer != nullptr) LocalFree(buffer);
  while (!words.empty() &&
         (words.back() == L'\n' || words.back() == L'\r' || words.back() == L' ')) {
    words.pop_back();
  }
  std::string text = WideToUtf8(words);
  if (text.empty()) text = "system error";
  return text;
}

std::string OsErrorText(unsigned long error) {
  return OsErrorWords(error) + " (" + std::to_string(error) + ")";
}

}  // namespace korvex7::win32
