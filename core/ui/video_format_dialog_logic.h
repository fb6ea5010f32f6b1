// The video format dialog: the seven format names of its lists (value order,
// blanks as shown) and "同設定", which gives every channel one format.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/model/settings_model.h"
#include "core/model/value_domains.h"

namespace korvex7 {

inline constexpr auto kVideoFormatItems = ItemsOf(kVideoFormatChoices);

// "同設定": stores the chosen format into all sixteen channels.
void ApplySameVideoFormat(SettingsModel& model, std::int32_t format);

}  // namespace korvex7
