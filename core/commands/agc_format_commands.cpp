#include "core/commands/agc_format_commands.h"

#include <string_view>

#include "core/commands/command_text.h"

namespace korvex7 {

Encoded EncodeAgc(const SettingsModel& m) {
  std::string cmd = "AGC";
  for (const std::int32_t on : m.agc.on) {
    if (!InUnsignedRange(on, 1)) return Encoded::Refused();
    cmd += OnOffCode(on);
  }
  cmd += kCrLf;
  return Encoded::Command(std::move(cmd));
}

bool SendAgc(Session& s) { return SendEncoded(s, EncodeAgc(s.model)); }

Encoded EncodeVideoFormatChannel(const SettingsModel&, std::int32_t channelIndex,
                                 std::int32_t format) {
  if (!InUnsignedRange(format, kVideoFormatCount - 1)) return Encoded::Refused();
  // A channel the unit does not have would put a wrong channel field on the wire.
  if (!InUnsignedRange(channelIndex, kChannels - 1)) return Encoded::Refused();
  std::string cmd = "VF";
  AppendDecimal(cmd, channelIndex + 1, 2);
  cmd += ChoiceCode(kVideoFormatChoices, format);
  cmd += kCrLf;
  return Encoded::Command(std::move(cmd));
}

bool SendVideoFormatChannel(Session& s, std::int32_t channelIndex, std::int32_t format) {
  const Encoded e = EncodeVideoFormatChannel(s.model, channelIndex, format);
  if (!e.ok()) {
    s.replyWait.unitStatus = e.refusal;
    return false;
  }
  SendCommandCopy(s, e.text);
  return true;
}

Encoded EncodeVideoFormatAll(const SettingsModel& m) {
  std::string cmd = "VF";
  for (const std::int32_t format : m.videoFormat.format) {
    if (!InUnsignedRange(format, kVideoFormatCount - 1)) return Encoded::Refused();
    cmd += ChoiceCode(kVideoFormatChoices, format);
  }
  cmd += kCrLf;
  return Encoded::Command(std::move(cmd));
}

bool SendVideoFormatAll(Session& s) { return SendEncoded(s, EncodeVideoFormatAll(s.model)); }

}  // namespace korvex7
