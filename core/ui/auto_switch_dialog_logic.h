// What the auto switching dialog decides without Win32: which sequence
// entries its entry list holds in each mode, which entry a list position
// stands for, the texts of the list and of the painted table, and where the
// table puts each entry.
//
// Entries are numbered as the dwell-time table: 0..15 the channels, 16..24 the
// layouts 4A, 4B, 4C, 4D, 9A, 9B, 13A, 13B, 16. SINGLE lists entries 0..15,
// DIVISION 16..24, MIX all 25. A mode outside 0..2 (a settings file may hold
// one) lists what SINGLE lists: the mode command sends "S" for it too.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/model/settings_model.h"
#include "core/model/value_domains.h"

namespace korvex7 {

enum AutoSwitchMode : std::int32_t {
  kAutoSwitchSingle = 0,
  kAutoSwitchDivision = 1,
  kAutoSwitchMix = 2,
};
inline constexpr int kAutoSwitchModes = static_cast<int>(kAutoSwitchModeChoices.size());
inline constexpr int kDwellTimeItems = kDwellTimeRange.Count();  // "00" .. "99"
inline constexpr int kSameDwellTimeOnOpening = 3;  // "同時間（秒）" shows "03" at each opening

// The mode list's items, position = autoSwitch.mode.
std::string_view AutoSwitchModeItem(int mode);

// Number of entries the list holds in `mode`, and the entry of its first
// position (16 in DIVISION, 0 otherwise).
int AutoSwitchEntryCount(std::int32_t mode);
int AutoSwitchFirstEntry(std::int32_t mode);

// The entry that list position `position` stands for in `mode`, or -1 when
// the position is not in the list.
int AutoSwitchEntryAt(std::int32_t mode, std::int32_t position);

// The position selected at opening: the stored one when the list of `mode`
// holds it, otherwise 0.
std::int32_t AutoSwitchOpeningPosition(std::int32_t mode, std::int32_t selectedSwitchEntry);

// Item of the entry list for entry 0..24: "ch.01".."ch.16", "４分割A" ..
// "１６分割" (full-width digits). Empty outside.
std::string_view AutoSwitchEntryItem(int entry);

// Label of entry 0..24 in the painted table, seven bytes in code page 932 with
// its trailing blanks: "ch.01  ", "4分割A ", ..., "13分割B", "16分割 ".
std::string_view AutoSwitchTableLabel(int entry);

// A dwell time in the table: two digits (more when the stored value is
// larger, a minus sign when it is negative) and "   秒".
std::string DwellTimeText(std::int32_t seconds);

// Items of the two time lists: "00" .. "99".
std::string DwellTimeItem(int seconds);

// "同時間（秒）": every dwell time of the mode's entries := seconds.
void SetSameDwellTime(SettingsModel& m, std::int32_t seconds);

// The painted table, in pixels at 96 DPI of the client area: a frame and, for
// the i-th listed entry, its label and dwell time on one line, eight lines to
// a column.
struct TableRect {
  int left, top, right, bottom;
};
inline constexpr TableRect kAutoSwitchTableFrame{20, 20, 660, 220};

struct AutoSwitchTableLine {
  int labelX = 0;
  int timeX = 0;
  int y = 0;
};
AutoSwitchTableLine AutoSwitchTableLineOf(int listPosition);

}  // namespace korvex7
