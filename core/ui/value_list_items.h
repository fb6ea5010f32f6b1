// Items of the value lists the settings dialogs share, in their fixed order:
// the position of an item is the value stored in the model (UTF-8 texts).
// The items are those of the choice lists (core/model/value_domains.h).
#pragma once

#include <array>
#include <string_view>

#include "core/model/value_domains.h"

namespace korvex7 {

inline constexpr auto kOffOnItems = ItemsOf(kOffOnChoices);

// Pictures 0..25: the single channels, the nine split layouts and the
// automatic switching sequence (power-on screen and screen switching).
inline constexpr auto kPictureItems = ItemsOf(kPictureChoices);

// "SMALL", "LARGE": the font size dialog's lists.
inline constexpr auto kFontSizeItems = ItemsOf(kFontSizeChoices);

}  // namespace korvex7
