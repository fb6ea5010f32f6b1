// Video adjustment commands: brightness "VAB", contrast "VAC", hue "VAH",
// sharpness "VASH" and saturation "VASA", each for the selected channel or
// for all sixteen. Brightness and hue are stored as list positions and go on
// the wire as two's complement numbers (7 and 8 bits). Encode* builds the
// command or refuses it; Send* returns true when it went out, false when the
// refusal was recorded in replyWait.unitStatus.
#pragma once

#include <cstdint>

#include "core/link/send_command.h"
#include "core/model/value_domains.h"

namespace korvex7 {

// Stored ranges of the five adjustments, 0..max (kBrightnessRange ...).
inline constexpr std::int32_t kMaxBrightness = kBrightnessRange.MaxStored();  // 127
inline constexpr std::int32_t kMaxContrast = kContrastRange.MaxStored();      // 127
inline constexpr std::int32_t kMaxHue = kHueRange.MaxStored();                // 251
inline constexpr std::int32_t kMaxSharpness = kSharpnessRange.MaxStored();    // 31
inline constexpr std::int32_t kMaxSaturation = kSaturationRange.MaxStored();  // 127

// Wire values of the stored forms: brightness 64..127 -> 000..063 and
// 0..63 -> 064..127; hue 124..251 -> 000..127 and 0..123 -> 132..255.
std::int32_t BrightnessWireValue(std::int32_t stored);
std::int32_t HueWireValue(std::int32_t stored);

// Single channel: keyword + selectedChannel + 1 ("00" when none is selected)
// + the value. The value is the stored form the dialog passes for the
// selected channel. A value outside its stored range, or a selectedChannel
// outside -1..15, is refused: it would not fit its digits.
Encoded EncodeBrightness(const SettingsModel& m, std::int32_t stored);
bool SendBrightness(Session& s, std::int32_t stored);
Encoded EncodeContrast(const SettingsModel& m, std::int32_t stored);
bool SendContrast(Session& s, std::int32_t stored);
Encoded EncodeHue(const SettingsModel& m, std::int32_t stored);
bool SendHue(Session& s, std::int32_t stored);
Encoded EncodeSharpness(const SettingsModel& m, std::int32_t stored);
bool SendSharpness(Session& s, std::int32_t stored);
Encoded EncodeSaturation(const SettingsModel& m, std::int32_t stored);
bool SendSaturation(Session& s, std::int32_t stored);

// All channels: keyword + the sixteen values in channel order, no channel
// field. The first value outside its stored range refuses the command.
Encoded EncodeBrightnessAll(const SettingsModel& m);
bool SendBrightnessAll(Session& s);
Encoded EncodeContrastAll(const SettingsModel& m);
bool SendContrastAll(Session& s);
Encoded EncodeHueAll(const SettingsModel& m);
bool SendHueAll(Session& s);
Encoded EncodeSharpnessAll(const SettingsModel& m);
bool SendSharpnessAll(Session& s);
Encoded EncodeSaturationAll(const SettingsModel& m);
bool SendSaturationAll(Session& s);

}  // namespace korvex7
