#include "win/tools/e2e_driver/text_io.h"

#include <cstdlib>
#include <cwctype>

namespace korvex7::e2e {

std::string ToUtf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<std::size_t>(n), '\0');
  if (WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                          nullptr, nullptr) != n) {
    return {};
  }
  return out;
}

std::wstring FromUtf8(const std::string& text) {
  if (text.empty()) return {};
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  if (MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n) !=
      n) {
    return {};
  }
  return out;
}

void Write(DWORD which, const std::wstring& text) {
  const std::string bytes = ToUtf8(text);
  const HANDLE out = GetStdHandle(which);
  if (out == nullptr || out == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  // A reader that has gone away loses the text; nothing else can be done.
  (void)WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::wstring Unescape(const std::wstring& s) {
  std::wstring out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == L'\\' && i + 1 < s.size()) {
      if (s[i + 1] == L'n') {
        out += L'\n';
        ++i;
        continue;
      }
      if (s[i + 1] == L'\\') {
        out += L'\\';
        ++i;
        continue;
      }
    }
    out += s[i];
  }
  return out;
}

std::wstring Escape(const std::wstring& s) {
  std::wstring out;
  for (wchar_t c : s) {
    if (c == L'\n') {
      out += L"\\n";
    } else if (c == L'\r') {
      out += L"\\r";
    } else {
      out += c;
    }
  }
  return out;
}

void Fail(const std::wstring& why) { throw Failure{why}; }

int ToInt(const std::wstring& s) {
  wchar_t* end = nullptr;
  const long v = std::wcstol(s.c_str(), &end, 0);
  if (end == s.c_str() || *end != L'\0') Fail(L"not a number: " + s);
  return static_cast<int>(v);
}

bool LooksLikeNumber(const std::wstring& s) {
  return !s.empty() && (std::iswdigit(s[0]) != 0 || s[0] == L'-');
}

}  // namespace korvex7::e2e
