// Video loss commands: "VL" (detection per channel), "VLDO" (shown on
// screen), "VLSOO" (signal output) and "VLBC" (background colour). Encode*
// builds the command or refuses it; Send* returns true when it went out, false
// when the refusal was recorded in replyWait.unitStatus.
#pragma once

#include "core/link/send_command.h"

namespace korvex7 {

// "VL" + 16 x "N"/"F" + CR LF; the first value other than 0 or 1 refuses it.
Encoded EncodeVideoLossChannels(const SettingsModel& m);
bool SendVideoLossChannels(Session& s);

// "VLDO" + "N"/"F" + CR LF.
Encoded EncodeVideoLossDisplay(const SettingsModel& m);
bool SendVideoLossDisplay(Session& s);

// "VLSOO" + "N"/"F" + CR LF.
Encoded EncodeVideoLossSignalOutput(const SettingsModel& m);
bool SendVideoLossSignalOutput(Session& s);

// "VLBC" + "B" (BLUE) / "N" (NORMAL) + CR LF.
Encoded EncodeVideoLossBackground(const SettingsModel& m);
bool SendVideoLossBackground(Session& s);

}  // namespace korvex7
