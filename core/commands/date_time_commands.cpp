#include "core/commands/date_time_commands.h"

#include <string_view>

#include "core/commands/command_text.h"

namespace korvex7 {

namespace {

// A clock component: its keyword, the largest list index and what is added to
// the index on the wire (1 for month and day, which count from one).
struct ClockField {
  std::string_view keyword;
  std::uint32_t maxIndex;
  std::int32_t wireOffset;
};

constexpr ClockField kYear{"DSY", 99, 0};
constexpr ClockField kMonth{"DSM", 11, 1};
constexpr ClockField kDay{"DSD", 30, 1};
constexpr ClockField kHour{"TSH", 23, 0};
constexpr ClockField kMinute{"TSM", 59, 0};
constexpr ClockField kSecond{"TSS", 59, 0};

Encoded EncodeClock(const ClockField& field, std::int32_t index) {
  if (!InUnsignedRange(index, field.maxIndex)) return Encoded::Refused();
  std::string cmd(field.keyword);
  AppendDecimal(cmd, index + field.wireOffset, 2);
  cmd += kCrLf;
  return Encoded::Command(std::move(cmd));
}

}  // namespace

Encoded EncodeDateYear(const SettingsModel&, std::int32_t yearIndex) {
  return EncodeClock(kYear, yearIndex);
}
bool SendDateYear(Session& s, std::int32_t yearIndex) {
  return SendEncoded(s, EncodeDateYear(s.model, yearIndex));
}

Encoded EncodeDateMonth(const SettingsModel&, std::int32_t monthIndex) {
  return EncodeClock(kMonth, monthIndex);
}
bool SendDateMonth(Session& s, std::int32_t monthIndex) {
  return SendEncoded(s, EncodeDateMonth(s.model, monthIndex));
}

Encoded EncodeDateDay(const SettingsModel&, std::int32_t dayIndex) {
  return EncodeClock(kDay, dayIndex);
}
bool SendDateDay(Session& s, std::int32_t dayIndex) {
  return SendEncoded(s, EncodeDateDay(s.model, dayIndex));
}

Encoded EncodeTimeHour(const SettingsModel&, std::int32_t hourIndex) {
  return EncodeClock(kHour, hourIndex);
}
bool SendTimeHour(Session& s, std::int32_t hourIndex) {
  return SendEncoded(s, EncodeTimeHour(s.model, hourIndex));
}

Encoded EncodeTimeMinute(const SettingsModel&, std::int32_t minuteIndex) {
  return EncodeClock(kMinute, minuteIndex);
}
bool SendTimeMinute(Session& s, std::int32_t minuteIndex) {
  return SendEncoded(s, EncodeTimeMinute(s.model, minuteIndex));
}

Encoded EncodeTimeSecond(const SettingsModel&, std::int32_t secondIndex) {
  return EncodeClock(kSecond, secondIndex);
}
bool SendTimeSecond(Session& s, std::int32_t secondIndex) {
  return SendEncoded(s, EncodeTimeSecond(s.model, secondIndex));
}

Encoded EncodeTimeAdjust30s(const SettingsModel&) { return Encoded::Command("TSA\r\n"); }
bool SendTimeAdjust30s(Session& s) { return SendEncoded(s, EncodeTimeAdjust30s(s.model)); }

Encoded EncodeDateTimeDisplayRange(const SettingsModel& m) {
  return EncodeChoice("TSDR", kDisplayRangeChoices, m.dateTime.displayRange);
}
bool SendDateTimeDisplayRange(Session& s) {
  return SendEncoded(s, EncodeDateTimeDisplayRange(s.model));
}

Encoded EncodeDateTimeDisplay(const SettingsModel& m) {
  std::string cmd = "TSDO";
  cmd += OnOffCode(m.dateTime.display);
  cmd += kCrLf;
  return Encoded::Command(std::move(cmd));
}
bool SendDateTimeDisplay(Session& s) { return SendEncoded(s, EncodeDateTimeDisplay(s.model)); }

}  // namespace korvex7
