// Other settings: connector input "CI", border line "BL", power-on screen
// "POS" and NTSC aspect ratio "NAR". Encode* builds the command or refuses a
// value outside its list; Send* returns true when it went out, false when the
// refusal was recorded in replyWait.unitStatus.
#pragma once

#include "core/link/send_command.h"

namespace korvex7 {

// "CI" + "A" (alarm, 0) / "R" (remote, 1) + CR LF.
Encoded EncodeConnectorInput(const SettingsModel& m);
bool SendConnectorInput(Session& s);

// "BL" + "O" (OFF), "W" (white), "G" (grey), "B" (black) for 0..3 + CR LF.
Encoded EncodeBorderLine(const SettingsModel& m);
bool SendBorderLine(Session& s);

// One of 26 fixed commands by other.powerOnScreen: "POSS01".."POSS16",
// "POSD4A".."POSD16", "POSCAS"; each with CR LF.
Encoded EncodePowerOnScreen(const SettingsModel& m);
bool SendPowerOnScreen(Session& s);

// "NAR" + "4" (4:3, 0) / "F" (FULL, 1) + CR LF.
Encoded EncodeNtscAspect(const SettingsModel& m);
bool SendNtscAspect(Session& s);

}  // namespace korvex7
