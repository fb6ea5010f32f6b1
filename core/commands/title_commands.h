// Title commands. A title travels as "CJ" + channel + ten JIS X 0208 codes in
// hexadecimal; it is sent as the pair PrepareTitle, then SendTitle, which
// share the padded title through a TitleWorkBuffer the caller owns. The other
// encoders set where titles are shown ("CTDSO", "CTDDO"), their font size
// ("CTFSS", "CTFSD") and their fine position ("OOV", "OOH"); their Send*
// return true when the command went out, false when the refusal was recorded
// in replyWait.unitStatus.
#pragma once

#include <array>
#include <cstdint>

#include "core/link/send_command.h"

namespace korvex7 {

// The padded title of the channel being encoded: 20 bytes (ten double-byte
// characters) and a NUL.
using TitleWorkBuffer = std::array<char, kTitleBytes + 1>;

// Copies title.text[channelIndex] into titleWorkBuffer and pads it with
// full-width blanks (0x81 0x40) to 20 bytes. Returns 1 when the title is
// acceptable, 0 when its length is odd or above 20 bytes (or the channel index
// is outside 0..15); the unpadded copy is then left in the buffer.
int PrepareTitle(const SettingsModel& m, std::int32_t channelIndex,
                 TitleWorkBuffer& titleWorkBuffer);

// "CJ" + channel 01..16 + 10 x 4 uppercase hexadecimal digits + CR LF from a
// prepared buffer; refused when one of its characters has no JIS X 0208 code
// the unit accepts (a half-width character, the user-defined area, an IBM
// extension without a NEC-selected cell).
Encoded EncodePreparedTitle(std::int32_t channelIndex, const TitleWorkBuffer& titleWorkBuffer);

// Sends the prepared title. Returns 0 when it was sent, 1 when a character
// cannot be encoded: nothing is sent and the unit status is left alone (the
// caller shows the title-character message and decides about the status).
int SendTitle(Session& s, std::int32_t channelIndex, const TitleWorkBuffer& titleWorkBuffer);

// PrepareTitle and EncodePreparedTitle in one: the CJ command of the channel's
// title, or a refusal (status 8) when the title cannot be sent.
Encoded EncodeTitle(const SettingsModel& m, std::int32_t channelIndex);

// "CTDSO" / "CTDDO" + "N"/"F" + CR LF; refused outside 0..1.
Encoded EncodeTitleDisplaySingle(const SettingsModel& m);
bool SendTitleDisplaySingle(Session& s);
Encoded EncodeTitleDisplaySplit(const SettingsModel& m);
bool SendTitleDisplaySplit(Session& s);

// "CTFSS" / "CTFSD" + "L" (LARGE, 1) or "S" (any other value) + CR LF.
Encoded EncodeFontSizeSingle(const SettingsModel& m);
bool SendFontSizeSingle(Session& s);
Encoded EncodeFontSizeSplit(const SettingsModel& m);
bool SendFontSizeSplit(Session& s);

// "OOV" / "OOH" + offset 00..15 + CR LF; refused outside 0..15.
Encoded EncodeTitleOffsetVertical(const SettingsModel& m);
bool SendTitleOffsetVertical(Session& s);
Encoded EncodeTitleOffsetHorizontal(const SettingsModel& m);
bool SendTitleOffsetHorizontal(Session& s);

}  // namespace korvex7
