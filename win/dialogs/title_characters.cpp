#include "win/dialogs/title_characters.h"

#include <windows.h>

#include <optional>

#include "win/support/text.h"

namespace korvex7::win {

// UTF-16 units of the character at `i`: a surrogate pair stays together.
std::size_t CharacterUnits(std::wstring_view text, std::size_t i) {
  return IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() && IS_LOW_SURROGATE(text[i + 1]) ? 2 : 1;
}

// A form is kept only when the character converts without a default
// character and converts back to itself.
std::vector<TitleCharacter> TitleCharacters(std::wstring_view text) {
  std::vector<TitleCharacter> out;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = CharacterUnits(text, i);
    const std::wstring_view character = text.substr(i, n);
    i += n;

    TitleCharacter c;
    for (wchar_t unit : character) c.typed += static_cast<char16_t>(unit);
    const std::optional<std::string> bytes =
        win32::WideToCodePageExact(kCodePageShiftJis, character);
    if (bytes && win32::CodePageToWideExact(kCodePageShiftJis, *bytes) == character) {
      c.cp932 = *bytes;
    }
    out.push_back(std::move(c));
  }
  return out;
}

std::wstring TypedText(const std::vector<TitleCharacter>& text) {
  std::wstring out;
  for (const TitleCharacter& c : text) {
    for (char16_t unit : c.typed) out += static_cast<wchar_t>(unit);
  }
  return out;
}

}  // namespace korvex7::win
