// Titles are code-page-932 (Shift_JIS) bytes in the model and in settings
// files; the command line and the terminal speak UTF-8. These two functions
// convert between them with the operating system's own code page 932 tables
// (iconv "CP932" on POSIX, MultiByteToWideChar/WideCharToMultiByte on
// Windows), so a title reads the same on both.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvex7::ctl {

// The code-page-932 bytes of a UTF-8 text, or nothing when the text is not
// valid UTF-8 or holds a character code page 932 does not have.
std::optional<std::string> Utf8ToCp932(std::string_view utf8);

// The UTF-8 form of code-page-932 bytes. A byte sequence that is not a
// character of code page 932 becomes U+FFFD, so the result is always valid
// UTF-8.
std::string Cp932ToUtf8(std::string_view cp932);

}  // namespace korvex7::ctl
