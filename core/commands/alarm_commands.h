// Alarm commands: "AM" (mode), "ADT" (hold time), "AP" (input polarity),
// "ADO" (alarm display) and "ARO" (return). Encode* builds the command or
// refuses it; Send* returns true when it went out, false when the refusal was
// recorded in replyWait.unitStatus.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/link/send_command.h"

namespace korvex7 {

// "AM" + "I" (internal, 0) / "E" (external, 1) + CR LF.
Encoded EncodeAlarmMode(const SettingsModel& m);
bool SendAlarmMode(Session& s);

// The integer form of a hold-time text: the value of its leading decimal
// digits, 0 when it does not begin with a digit.
std::int32_t HoldTimeValue(std::string_view text);

// "ADT" + three digits + CR LF. The text as typed is laid right-aligned over
// "000", so "30" and "030" both give "030". Refused unless the text is one to
// three digits with a value 1..999.
Encoded EncodeAlarmHoldTime(const SettingsModel& m);
// Also refreshes alarm.holdTime from alarm.holdTimeText, valid or not.
bool SendAlarmHoldTime(Session& s);

// "AP" + "M" (make, 0) / "B" (break, 1) + CR LF.
Encoded EncodeAlarmInputPolarity(const SettingsModel& m);
bool SendAlarmInputPolarity(Session& s);

// "ADO" + "N"/"F" + CR LF.
Encoded EncodeAlarmDisplay(const SettingsModel& m);
bool SendAlarmDisplay(Session& s);

// "ARO" + "N"/"F" + CR LF.
Encoded EncodeAlarmReturn(const SettingsModel& m);
bool SendAlarmReturn(Session& s);

}  // namespace korvex7
