// The alarm dialog's lists and its hold-time edit box: what the box stores
// and when its "設定" button may be pressed.
#pragma once

#include <array>
#include <string_view>

#include "core/model/settings_model.h"
#include "core/ui/value_list_items.h"

namespace korvex7 {

inline constexpr auto kAlarmModeItems = ItemsOf(kAlarmModeChoices);
inline constexpr auto kAlarmPolarityItems = ItemsOf(kAlarmPolarityChoices);
inline constexpr int kHoldTimeEditLimit = 3;  // characters

// The hold-time "設定" button is enabled only for one to three digits with a
// value 1..999 ("0" and "000" are not hold times; "5a" is not a number).
bool HoldTimeSetEnabled(std::string_view text);

// The edit box changed: stores its text (code page 932) as
// alarm.holdTimeText, at most three bytes and never half of a double-byte
// character, and alarm.holdTime as the value of its leading digits. Returns
// whether the "設定" button is enabled for the stored text.
bool StoreHoldTimeText(SettingsModel& model, std::string_view typed);

}  // namespace korvex7
