// The video loss dialog's lists: "画面表示" and "信号出力" (OFF, ON) and
// "背景色" (NORMAL, BLUE).
#pragma once

#include <array>
#include <string_view>

#include "core/ui/value_list_items.h"

namespace korvex7 {

inline constexpr auto kVideoLossBackgroundItems = ItemsOf(kVideoLossBackgroundChoices);

}  // namespace korvex7
