#include "win/support/text.h"

namespace korvex7::win {

std::wstring Cp932ToWide(std::string_view text) {
  return win32::CodePageToWide(kCodePageShiftJis, text);
}

}  // namespace korvex7::win
