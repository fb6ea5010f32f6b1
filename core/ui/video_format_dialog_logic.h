// The video format dialog: the seven format names of its lists (value order,
// blanks as shown) and "同設定", which gives every channel one format.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/model/settings_model.h"

namespace korvex7 {

inline constexpr std::array<std::string_view, 7> kVideoFormatItems = {
    "AHD 1080", "AHD  720", "TVI 1080", "TVI  720", "CVI 1080", "CVI  720", "NTSC    ",
};

// "同設定": stores the chosen format into all sixteen channels.
void ApplySameVideoFormat(SettingsModel& model, std::int32_t format);

}  // namespace korvex7
