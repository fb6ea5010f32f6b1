#include "win/dialogs/title_characters.h"

#include <windows.h>

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
    char bytes[8] = {};
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(kCodePageShiftJis, WC_NO_BEST_FIT_CHARS,
                                           character.data(), static_cast<int>(n), bytes,
                                           static_cast<int>(sizeof(bytes)), nullptr, &usedDefault);
    if (length > 0 && usedDefault == FALSE) {
      wchar_t back[4] = {};
      const int backLength =
          MultiByteToWideChar(kCodePageShiftJis, MB_ERR_INVALID_CHARS, bytes, length, back, 4);
      if (backLength == static_cast<int>(n) && std::wstring_view(back, n) == character) {
        c.cp932.assign(bytes, static_cast<std::size_t>(length));
      }
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
