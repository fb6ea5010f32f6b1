#include "core/commands/date_time_commands.h"

#include <gtest/gtest.h>

#include <climits>

#include "tests/unit/commands/command_test_support.h"

namespace korvex7 {
namespace {

using testing_support::CommandCase;
using testing_support::ExpectCommands;
using testing_support::RecordingSession;

struct ClockCase {
  const char* what;
  Encoded (*encode)(const SettingsModel&, std::int32_t);
  bool (*send)(Session&, std::int32_t);
  std::int32_t index;
  const char* expected;  // nullptr: refused with status 8
};

void ExpectClock(const ClockCase& c) {
  SCOPED_TRACE(testing::Message() << c.what << " index " << c.index);
  const Encoded e = c.encode(SettingsModel{}, c.index);
  RecordingSession r;
  const bool sent = c.send(r.session, c.index);
  testing_support::ExpectSentOrRefused(e, sent, r, c.expected);
}

TEST(DateTimeCommands, FiveMarch2016At090700) {
  const ClockCase cases[] = {
      {"year", EncodeDateYear, SendDateYear, 16, "DSY16\r\n"},
      {"month", EncodeDateMonth, SendDateMonth, 2, "DSM03\r\n"},
      {"day", EncodeDateDay, SendDateDay, 4, "DSD05\r\n"},
      {"hour", EncodeTimeHour, SendTimeHour, 9, "TSH09\r\n"},
      {"minute", EncodeTimeMinute, SendTimeMinute, 7, "TSM07\r\n"},
      {"second", EncodeTimeSecond, SendTimeSecond, 0, "TSS00\r\n"},
  };
  for (const auto& c : cases) ExpectClock(c);
}

TEST(DateTimeCommands, RangeEnds) {
  const ClockCase cases[] = {
      {"year", EncodeDateYear, SendDateYear, 0, "DSY00\r\n"},
      {"year", EncodeDateYear, SendDateYear, 99, "DSY99\r\n"},
      {"month", EncodeDateMonth, SendDateMonth, 0, "DSM01\r\n"},
      {"month", EncodeDateMonth, SendDateMonth, 11, "DSM12\r\n"},
      {"day", EncodeDateDay, SendDateDay, 0, "DSD01\r\n"},
      {"day", EncodeDateDay, SendDateDay, 30, "DSD31\r\n"},
      {"hour", EncodeTimeHour, SendTimeHour, 0, "TSH00\r\n"},
      {"hour", EncodeTimeHour, SendTimeHour, 23, "TSH23\r\n"},
      {"minute", EncodeTimeMinute, SendTimeMinute, 59, "TSM59\r\n"},
      {"second", EncodeTimeSecond, SendTimeSecond, 59, "TSS59\r\n"},
  };
  for (const auto& c : cases) ExpectClock(c);
}

TEST(DateTimeCommands, OutOfRangeIndexesAreRefused) {
  const ClockCase cases[] = {
      {"year", EncodeDateYear, SendDateYear, -1, nullptr},
      {"year", EncodeDateYear, SendDateYear, 100, nullptr},
      {"year", EncodeDateYear, SendDateYear, INT32_MIN, nullptr},
      {"month", EncodeDateMonth, SendDateMonth, 12, nullptr},
      {"month", EncodeDateMonth, SendDateMonth, -1, nullptr},
      {"day", EncodeDateDay, SendDateDay, 31, nullptr},
      {"day", EncodeDateDay, SendDateDay, -1, nullptr},
      {"hour", EncodeTimeHour, SendTimeHour, 24, nullptr},
      {"hour", EncodeTimeHour, SendTimeHour, -1, nullptr},
      {"minute", EncodeTimeMinute, SendTimeMinute, 60, nullptr},
      {"minute", EncodeTimeMinute, SendTimeMinute, -1, nullptr},
      {"second", EncodeTimeSecond, SendTimeSecond, 60, nullptr},
      {"second", EncodeTimeSecond, SendTimeSecond, INT32_MAX, nullptr},
  };
  for (const auto& c : cases) ExpectClock(c);
}

TEST(DateTimeCommands, DisplaySettingsAndAdjustment) {
  const CommandCase cases[] = {
      {"30-second adjustment", nullptr, EncodeTimeAdjust30s, SendTimeAdjust30s, "TSA\r\n"},
      {"range default", nullptr, EncodeDateTimeDisplayRange, SendDateTimeDisplayRange, "TSDR1\r\n"},
      {"range 3", [](SettingsModel& m) { m.dateTime.displayRange = 3; }, EncodeDateTimeDisplayRange,
       SendDateTimeDisplayRange, "TSDR4\r\n"},
      {"range 7", [](SettingsModel& m) { m.dateTime.displayRange = 7; }, EncodeDateTimeDisplayRange,
       SendDateTimeDisplayRange, "TSDR8\r\n"},
      {"range 8", [](SettingsModel& m) { m.dateTime.displayRange = 8; }, EncodeDateTimeDisplayRange,
       SendDateTimeDisplayRange, ""},
      {"range -1", [](SettingsModel& m) { m.dateTime.displayRange = -1; },
       EncodeDateTimeDisplayRange, SendDateTimeDisplayRange, ""},
      {"display default", nullptr, EncodeDateTimeDisplay, SendDateTimeDisplay, "TSDON\r\n"},
      {"display off", [](SettingsModel& m) { m.dateTime.display = 0; }, EncodeDateTimeDisplay,
       SendDateTimeDisplay, "TSDOF\r\n"},
      // The display switch has no range check: anything but 0 is ON.
      {"display 5", [](SettingsModel& m) { m.dateTime.display = 5; }, EncodeDateTimeDisplay,
       SendDateTimeDisplay, "TSDON\r\n"},
      {"display -1", [](SettingsModel& m) { m.dateTime.display = -1; }, EncodeDateTimeDisplay,
       SendDateTimeDisplay, "TSDON\r\n"},
  };
  ExpectCommands(cases);
}

}  // namespace
}  // namespace korvex7
