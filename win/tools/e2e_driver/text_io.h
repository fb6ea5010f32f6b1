// Text of the end-to-end driver: UTF-8 on its pipes and command line, the
// escapes of expected texts, numbers of the steps, and the failure a step
// ends with.
#pragma once

#include <windows.h>

#include <string>

namespace korvex7::e2e {

// Writes text as UTF-8 (platform/win32/text.h converts) to STD_OUTPUT_HANDLE or STD_ERROR_HANDLE.
void Write(DWORD which, const std::wstring& text);

// Expected texts from the command line: "\n" is a line break, "\\" a
// backslash.
std::wstring Unescape(const std::wstring& s);

// The other way, for texts printed or named in a failure: a line break as
// "\n", a carriage return as "\r".
std::wstring Escape(const std::wstring& s);

// Why a step failed; thrown by Fail and caught where a request ends.
struct Failure {
  std::wstring why;
};

[[noreturn]] void Fail(const std::wstring& why);

// A whole decimal (or 0x hexadecimal) number; fails otherwise.
int ToInt(const std::wstring& s);

// True when s could start a number: a digit or a minus sign.
bool LooksLikeNumber(const std::wstring& s);

}  // namespace korvex7::e2e
