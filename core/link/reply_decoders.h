// Keyword decoders for the unit's data replies that carry more than one coded
// character: per-channel tables, numbers, a channel's title, the split-screen
// layouts and the power-on screen.
//
// Each decoder takes the whole reply line, address removed, from its first
// keyword character to its CR LF; positions in the layouts count from 0 at the
// keyword. The keyword itself has been matched by the dispatcher and is not
// looked at again. A decoder checks the complete line first and writes the
// model only when every field is valid: it returns true after writing, and
// false, with the model untouched, for a malformed reply (which the dispatcher
// reports as status 8).
//
// Number fields must consist of the digits "0".."9". A garbled character in a
// reply is never turned into a value: the reply is reported as malformed
// instead, so the model holds only values its encoders can send back.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/model/settings_model.h"

namespace korvex7 {

// "ADT" + 3 digits: alarm.holdTime (0..999) and alarm.holdTimeText, the
// number's text without leading zeros ("030" gives "30").
bool DecodeAlarmHoldTime(SettingsModel& model, std::string_view line);

// "VL" + 16 x "N"/"F": videoLoss.detect, 1 for "N", 0 for "F".
bool DecodeVideoLossDetect(SettingsModel& model, std::string_view line);

// "CJ" + channel "01".."16" + 40 upper-case hexadecimal digits: the channel's
// entry of title.text, ten JIS X 0208 codes turned into code-page-932 bytes,
// trailing full-width blanks dropped.
bool DecodeTitle(SettingsModel& model, std::string_view line);

// "CASTM" + 25 x 2 digits (0..99): autoSwitch.dwellTime, channels 1..16 then
// the layouts 4A .. 16.
bool DecodeDwellTimes(SettingsModel& model, std::string_view line);

// "VAB" / "VAC" / "VAH" + 16 x 3 digits, "VASA" + 16 x 3 digits, "VASH" +
// 16 x 2 digits: the videoAdjust tables. Brightness and hue travel as two's
// complement numbers and are stored in their offset form.
bool DecodeBrightness(SettingsModel& model, std::string_view line);
bool DecodeContrast(SettingsModel& model, std::string_view line);
bool DecodeSharpness(SettingsModel& model, std::string_view line);
bool DecodeSaturation(SettingsModel& model, std::string_view line);
bool DecodeHue(SettingsModel& model, std::string_view line);

// "AGC" + 16 x "N"/"F": agc.on.
bool DecodeAgc(SettingsModel& model, std::string_view line);

// "VF" + 16 x "1".."7": videoFormat.format, 0..6.
bool DecodeVideoFormat(SettingsModel& model, std::string_view line);

// "OOV" / "OOH" + 2 digits (0..15): titlePosition.vertical / horizontal.
bool DecodeTitleOffsetVertical(SettingsModel& model, std::string_view line);
bool DecodeTitleOffsetHorizontal(SettingsModel& model, std::string_view line);

// "SPD4A" .. "SPD16" + 2-digit channel numbers (1..16), stored as 0..15 in
// the table of `layout` (a SplitLayoutIndex).
bool DecodeSplitLayout(SettingsModel& model, std::string_view line, int layout);

// "POS..." : the whole line is one of the 26 power-on screen lines;
// other.powerOnScreen gets its index. The 13-way split screens are accepted
// both as "POSD13A"/"POSD13B" (the form the command uses) and as
// "POSD12A"/"POSD12B".
bool DecodePowerOnScreen(SettingsModel& model, std::string_view line);

// Wire value of a brightness reply (a 7-bit two's complement number, 0..127)
// to its stored form 0..127 (brightness + 64); -1 outside 0..127.
std::int32_t BrightnessFromWire(int wire);

// Wire value of a hue reply (an 8-bit two's complement number for -124..+127:
// 0..127 and 132..255) to its stored form 0..251 (hue + 124); -1 otherwise.
std::int32_t HueFromWire(int wire);

}  // namespace korvex7
