// Date and time commands. The six clock components are not part of the
// model: the date and time dialog passes the index chosen in its list. The
// display range "TSDR" and the display switch "TSDO" come from the model.
// Encode* builds the command or refuses it; Send* returns true when it went
// out, false when the refusal was recorded in replyWait.unitStatus.
#pragma once

#include <cstdint>

#include "core/link/send_command.h"

namespace korvex7 {

// "DSY" + year index 0..99 (year - 2000) in two digits + CR LF.
Encoded EncodeDateYear(const SettingsModel& m, std::int32_t yearIndex);
bool SendDateYear(Session& s, std::int32_t yearIndex);

// "DSM" + month index 0..11 plus one ("01".."12") + CR LF.
Encoded EncodeDateMonth(const SettingsModel& m, std::int32_t monthIndex);
bool SendDateMonth(Session& s, std::int32_t monthIndex);

// "DSD" + day index 0..30 plus one ("01".."31") + CR LF, whatever the month.
Encoded EncodeDateDay(const SettingsModel& m, std::int32_t dayIndex);
bool SendDateDay(Session& s, std::int32_t dayIndex);

// "TSH" + hour 0..23 + CR LF.
Encoded EncodeTimeHour(const SettingsModel& m, std::int32_t hourIndex);
bool SendTimeHour(Session& s, std::int32_t hourIndex);

// "TSM" + minute 0..59 + CR LF.
Encoded EncodeTimeMinute(const SettingsModel& m, std::int32_t minuteIndex);
bool SendTimeMinute(Session& s, std::int32_t minuteIndex);

// "TSS" + second 0..59 + CR LF.
Encoded EncodeTimeSecond(const SettingsModel& m, std::int32_t secondIndex);
bool SendTimeSecond(Session& s, std::int32_t secondIndex);

// "TSA\r\n": the unit corrects its clock by 30 seconds.
Encoded EncodeTimeAdjust30s(const SettingsModel& m);
bool SendTimeAdjust30s(Session& s);

// "TSDR" + "1".."8" (dateTime.displayRange 0..7 plus one) + CR LF.
Encoded EncodeDateTimeDisplayRange(const SettingsModel& m);
bool SendDateTimeDisplayRange(Session& s);

// "TSDOF\r\n" when dateTime.display is 0, "TSDON\r\n" for any other value.
Encoded EncodeDateTimeDisplay(const SettingsModel& m);
bool SendDateTimeDisplay(Session& s);

}  // namespace korvex7
