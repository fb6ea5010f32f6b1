// Auto switching commands: the mode "CASM", the dwell time of one sequence
// entry ("CASTS" for a channel, "CASTD" + layout code for a layout) and the
// dwell times of every entry of the current mode ("CASTS", "CASTD" or
// "CASTM"). Encode* builds the command or refuses it; Send* returns true when
// it went out, false when the refusal was recorded in replyWait.unitStatus.
#pragma once

#include <cstdint>

#include "core/link/send_command.h"
#include "core/model/value_domains.h"

namespace korvex7 {

inline constexpr int kAutoSwitchEntries = 25;  // 16 channels, then 9 layouts
inline constexpr std::int32_t kMaxDwellTime = kDwellTimeRange.MaxStored();

// "CASM" + "S" / "D" (1) / "M" (2) + CR LF; any value other than 1 and 2
// sends "S".
Encoded EncodeAutoSwitchMode(const SettingsModel& m);
bool SendAutoSwitchMode(Session& s);

// The dwell time of entry 0..24: "CASTS" + channel 01..16, or "CASTD" + layout
// code ("4A" ... "13B", "16"), then the two-digit dwell time of
// autoSwitch.dwellTime[entry] and CR LF. `dwellTime` is the value the caller
// read for the entry; it is range-checked (0..99) as is the stored value that
// goes on the wire. An entry outside 0..24 is refused.
Encoded EncodeAutoSwitchEntry(const SettingsModel& m, std::int32_t entry, std::int32_t dwellTime);
bool SendAutoSwitchEntry(Session& s, std::int32_t entry, std::int32_t dwellTime);

// Every dwell time of the current mode in entry order: SINGLE "CASTS" +
// entries 0..15, DIVISION "CASTD" + entries 16..24, MIX "CASTM" + all 25.
// The first dwell time outside 0..99, or a mode outside 0..2, refuses it.
Encoded EncodeAutoSwitchAll(const SettingsModel& m);
bool SendAutoSwitchAll(Session& s);

}  // namespace korvex7
