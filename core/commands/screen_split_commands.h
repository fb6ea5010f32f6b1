// Screen switching ("CS", "CD", "CCAS": the picture the unit shows now) and
// the split-screen layouts "SPD4A".."SPD16" (which channel each screen
// position shows). Encode* builds the command or refuses it; Send* returns
// true when it went out, false when the refusal was recorded in
// replyWait.unitStatus (12 for a channel shown twice, 8 otherwise).
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/link/send_command.h"

namespace korvex7 {

// One of 26 fixed commands by screenSwitch.picture: "CS01".."CS16",
// "CD4A".."CD16", "CCAS"; each with CR LF. Refused outside 0..25.
Encoded EncodeScreenSwitch(const SettingsModel& m);
bool SendScreenSwitch(Session& s);

// A layout's channel list: one stored channel 0..15 per screen position in
// position order, -1 for no channel. On the wire each is two digits, the
// channel number "01".."16" or "00". A list that shows one channel twice (two
// -1 included) is refused with status 12; a value outside -1..15 with 8.
Encoded EncodeSplitChannels(std::string_view keyword, std::span<const std::int32_t> channels);

// "SPD4" + "A".."D" (variant 1..3 give "B".."D", any other "A") + 4 channels.
Encoded EncodeSplitQuad(const SettingsModel& m, const std::array<std::int32_t, 4>& channels,
                        std::int32_t variant);
bool SendSplitQuad(Session& s, const std::array<std::int32_t, 4>& channels, std::int32_t variant);

// "SPD9" + "B" for variant 1, "A" otherwise + 9 channels.
Encoded EncodeSplitNine(const SettingsModel& m, const std::array<std::int32_t, 9>& channels,
                        std::int32_t variant);
bool SendSplitNine(Session& s, const std::array<std::int32_t, 9>& channels, std::int32_t variant);

// "SPD13" + "B" for variant 1, "A" otherwise + 13 channels.
Encoded EncodeSplitThirteen(const SettingsModel& m, const std::array<std::int32_t, 13>& channels,
                            std::int32_t variant);
bool SendSplitThirteen(Session& s, const std::array<std::int32_t, 13>& channels,
                       std::int32_t variant);

// "SPD16" + splitLayout.sixteen[16].
Encoded EncodeSplitSixteen(const SettingsModel& m);
bool SendSplitSixteen(Session& s);

// The command of layout 0..8 (kLayoutQuadA ... kLayoutSixteen) with its list
// from splitLayout; any other layout is refused.
Encoded EncodeSplitLayout(const SettingsModel& m, std::int32_t layout);
// The layout chosen in the dialog (selectedLayout). Does nothing, and returns
// false, while a command is still awaiting its acknowledgement.
bool SendSplitLayout(Session& s);

}  // namespace korvex7
