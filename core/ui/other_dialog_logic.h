// The other-settings dialog's lists, in value order: connector input, border
// line, power-on screen (the 26 pictures) and NTSC aspect ratio.
#pragma once

#include <array>
#include <string_view>

#include "core/ui/value_list_items.h"

namespace korvex7 {

inline constexpr std::array<std::string_view, 2> kConnectorInputItems = {"アラーム", "リモート"};
inline constexpr std::array<std::string_view, 4> kBorderLineItems = {"OFF", "白", "灰色", "黒"};
inline constexpr std::array<std::string_view, 2> kNtscAspectItems = {"4:3 ", "FULL"};
inline constexpr auto& kPowerOnScreenItems = kPictureItems;

}  // namespace korvex7
