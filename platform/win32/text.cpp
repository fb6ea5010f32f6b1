#include "platform/win32/text.h"

#include <windows.h>

#include <climits>

namespace korvex7::win32 {

std::wstring CodePageToWide(unsigned codePage, std::string_view text) {
  if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const int inLength = static_cast<int>(text.size());
  const int n = MultiByteToWideChar(codePage, 0, text.data(), inLength, nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  const int written = MultiByteToWideChar(codePage, 0, text.data(), inLength, out.data(), n);
  if (written <= 0) return {};
  out.resize(static_cast<std::size_t>(written));
  return out;
}

std::wstring Utf8ToWide(std::string_view text) { return CodePageToWide(CP_UTF8, text); }

std::string WideToUtf8(std::wstring_view text) {
  if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const int inLength = static_cast<int>(text.size());
  const int n =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), inLength, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<std::size_t>(n), '\0');
  const int written =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), inLength, out.data(), n, nullptr, nullptr);
  if (written <= 0) return {};
  out.resize(static_cast<std::size_t>(written));
  return out;
}

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
