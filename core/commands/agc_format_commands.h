// AGC and video format commands: "AGC" with one ON/OFF letter per channel,
// "VF" for one channel (7 characters) or for all sixteen (20 characters).
// Each Encode* builds the whole command text or refuses it; each Send* sends it
// and returns true, or records the refusal in replyWait.unitStatus and returns
// false. A refused command never reaches the port, not even in part.
#pragma once

#include <cstdint>

#include "core/link/send_command.h"
#include "core/model/value_domains.h"

namespace korvex7 {

// Video formats by value 0..6 ("AHD 1080" ... "NTSC    "); the wire digit is
// value + 1 (kVideoFormatChoices).
inline constexpr int kVideoFormatCount = static_cast<int>(kVideoFormatChoices.size());

// "AGC" + 16 x "N"/"F" + CR LF from agc.on[16]; the first value other than
// 0 or 1 refuses the whole command.
Encoded EncodeAgc(const SettingsModel& m);
bool SendAgc(Session& s);

// "VF" + channel 01..16 + wire digit + CR LF. A format outside 0..6 (or a
// channel index outside 0..15) is refused. Sent through SendCommandCopy.
Encoded EncodeVideoFormatChannel(const SettingsModel& m, std::int32_t channelIndex,
                                 std::int32_t format);
bool SendVideoFormatChannel(Session& s, std::int32_t channelIndex, std::int32_t format);

// "VF" + 16 wire digits + CR LF from videoFormat.format[16]; the first value
// outside 0..6 refuses the whole command.
Encoded EncodeVideoFormatAll(const SettingsModel& m);
bool SendVideoFormatAll(Session& s);

}  // namespace korvex7
