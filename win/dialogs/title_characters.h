// The title box's text at the edge between UTF-16 and code page 932: each
// character with the bytes the title stores for it. A character the code page
// cannot hold keeps an empty form (never a best-fit look-alike), so the title
// is refused when sent instead of going out with another character.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/ui/title_dialog_logic.h"

namespace korvex7::win {

// UTF-16 units of the character at `i`: a surrogate pair stays together.
std::size_t CharacterUnits(std::wstring_view text, std::size_t i);

// Each character of `text` with its code-page-932 form, empty when the code
// page has no exact code for it.
std::vector<TitleCharacter> TitleCharacters(std::wstring_view text);

// The text of a list of characters.
std::wstring TypedText(const std::vector<TitleCharacter>& text);

}  // namespace korvex7::win
