#include "core/commands/alarm_commands.h"

#include "core/commands/command_text.h"

namespace korvex7 {

namespace {
constexpr std::size_t kHoldTimeDigits = 3;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

Encoded EncodeAlarmMode(const SettingsModel& m) {
  return EncodeChoice("AM", kAlarmModeChoices, m.alarm.mode);
}

bool SendAlarmMode(Session& s) { return SendEncoded(s, EncodeAlarmMode(s.model)); }

std::int32_t HoldTimeValue(std::string_view text) {
  std::int32_t value = 0;
  // The field holds at most a few characters; stop well before overflow.
  for (std::size_t i = 0; i < text.size() && i < 9 && IsDigit(text[i]); ++i) {
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

Encoded EncodeAlarmHoldTime(const SettingsModel& m) {
  const std::string_view text = TextView(m.alarm.holdTimeText);
  if (text.empty() || text.size() > kHoldTimeDigits) return Encoded::Refused();
  for (const char c : text) {
    if (!IsDigit(c)) return Encoded::Refused();
  }
  const std::int32_t value = HoldTimeValue(text);
  if (value < 1 || value > 999) return Encoded::Refused();
  std::string cmd = "ADT";
  cmd.append(kHoldTimeDigits - text.size(), '0');
  cmd += text;
  cmd += kCrLf;
  return Encoded::Command(std::move(cmd));
}

bool SendAlarmHoldTime(Session& s) {
  s.model.alarm.holdTime = HoldTimeValue(TextView(s.model.alarm.holdTimeText));
  return SendEncoded(s, EncodeAlarmHoldTime(s.model));
}

Encoded EncodeAlarmInputPolarity(const SettingsModel& m) {
  return EncodeChoice("AP", kAlarmPolarityChoices, m.alarm.inputPolarity);
}

bool SendAlarmInputPolarity(Session& s) {
  return SendEncoded(s, EncodeAlarmInputPolarity(s.model));
}

Encoded EncodeAlarmDisplay(const SettingsModel& m) {
  return EncodeChoice("ADO", kOffOnChoices, m.alarm.display);
}

bool SendAlarmDisplay(Session& s) { return SendEncoded(s, EncodeAlarmDisplay(s.model)); }

Encoded EncodeAlarmReturn(const SettingsModel& m) {
  return EncodeChoice("ARO", kOffOnChoices, m.alarm.returnOn);
}

bool SendAlarmReturn(Session& s) { return SendEncoded(s, EncodeAlarmReturn(s.model)); }

}  // namespace korvex7
