// Items of the value lists the settings dialogs share, in their fixed order:
// the position of an item is the value stored in the model (UTF-8 texts).
#pragma once

#include <array>
#include <string_view>

namespace korvex7 {

inline constexpr std::array<std::string_view, 2> kOffOnItems = {"OFF", "ON"};

// Pictures 0..25: the single channels, the nine split layouts and the
// automatic switching sequence (power-on screen and screen switching).
inline constexpr std::array<std::string_view, 26> kPictureItems = {
    "ch.01",  "ch.02",  "ch.03",  "ch.04",  "ch.05",   "ch.06",   "ch.07",  "ch.08",      "ch.09",
    "ch.10",  "ch.11",  "ch.12",  "ch.13",  "ch.14",   "ch.15",   "ch.16",  "4分割A",     "4分割B",
    "4分割C", "4分割D", "9分割A", "9分割B", "13分割A", "13分割B", "16分割", "自動切換え",
};

}  // namespace korvex7
