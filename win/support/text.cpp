#include "win/support/text.h"

#include <windows.h>

#include <climits>

namespace korvex7::win {

namespace {

std::wstring ToWide(unsigned codePage, std::string_view text) {
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

}  // namespace

std::wstring Utf8ToWide(std::string_view text) { return ToWide(CP_UTF8, text); }

std::wstring Cp932ToWide(std::string_view text) { return ToWide(kCodePageShiftJis, text); }

std::string WideToUtf8(std::wstring_view text) {
  if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX)) return {};
  const int inLength = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), inLength, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<std::size_t>(n), '\0');
  const int written =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), inLength, out.data(), n, nullptr, nullptr);
  if (written <= 0) return {};
  out.resize(static_cast<std::size_t>(written));
  return out;
}

std::wstring SystemErrorText(unsigned long error) {
  wchar_t* buffer = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text;
  if (n != 0 && buffer != nullptr) {
    text.assign(buffer, n);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
      text.pop_back();
    }
  }
  if (buffer != nullptr) LocalFree(buffer);
  if (text.empty()) text = L"error " + std::to_wstring(error);
  return text;
}

}  // namespace korvex7::win
