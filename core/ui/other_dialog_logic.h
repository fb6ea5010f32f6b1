// The other-settings dialog's lists, in value order: connector input, border
// line, power-on screen (the 26 pictures) and NTSC aspect ratio.
#pragma once

#include <array>
#include <string_view>

#include "core/ui/value_list_items.h"

namespace korvex7 {

inline constexpr auto kConnectorInputItems = ItemsOf(kConnectorInputChoices);
inline constexpr auto kBorderLineItems = ItemsOf(kBorderLineChoices);
inline constexpr auto kNtscAspectItems = ItemsOf(kNtscAspectChoices);
inline constexpr auto& kPowerOnScreenItems = kPictureItems;

}  // namespace korvex7
