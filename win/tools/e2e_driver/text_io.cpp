#include "win/tools/e2e_driver/text_io.h"

#include <cstdlib>
#include <cwctype>

#include "platform/win32/text.h"

namespace korvex7::e2e {

void Write(DWORD which, const std::wstring& text) {
  const std::string bytes = win32::WideToUtf8(text);
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
