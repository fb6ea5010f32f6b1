#include "core/commands/video_loss_commands.h"

#include <string_view>

#include "core/commands/command_text.h"

namespace korvex7 {

Encoded EncodeVideoLossChannels(const SettingsModel& m) {
  std::string cmd = "VL";
  for (const std::int32_t detect : m.videoLoss.detect) {
    if (!InUnsignedRange(detect, 1)) return Encoded::Refused();
    cmd += OnOffCode(detect);
  }
  cmd += kCrLf;
  return Encoded::Command(std::move(cmd));
}

bool SendVideoLossChannels(Session& s) { return SendEncoded(s, EncodeVideoLossChannels(s.model)); }

Encoded EncodeVideoLossDisplay(const SettingsModel& m) {
  return EncodeChoice("VLDO", kOffOnChoices, m.videoLoss.display);
}

bool SendVideoLossDisplay(Session& s) { return SendEncoded(s, EncodeVideoLossDisplay(s.model)); }

Encoded EncodeVideoLossSignalOutput(const SettingsModel& m) {
  return EncodeChoice("VLSOO", kOffOnChoices, m.videoLoss.signalOutput);
}

bool SendVideoLossSignalOutput(Session& s) {
  return SendEncoded(s, EncodeVideoLossSignalOutput(s.model));
}

Encoded EncodeVideoLossBackground(const SettingsModel& m) {
  return EncodeChoice("VLBC", kVideoLossBackgroundChoices, m.videoLoss.background);
}

bool SendVideoLossBackground(Session& s) {
  return SendEncoded(s, EncodeVideoLossBackground(s.model));
}

}  // namespace korvex7
