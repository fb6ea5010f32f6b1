#include "core/commands/other_commands.h"

#include <string_view>

#include "core/commands/command_text.h"

namespace korvex7 {

namespace {

constexpr std::string_view kConnectorInputLetters = "AR";  // alarm, remote
constexpr std::string_view kBorderLineLetters = "OWGB";    // OFF, white, grey, black
constexpr std::string_view kNtscAspectLetters = "4F";      // 4:3, FULL

// The complete command for every power-on screen, by picture number.
constexpr std::string_view kPowerOnScreenCommands[kPictureCount] = {
    "POSS01\r\n", "POSS02\r\n", "POSS03\r\n", "POSS04\r\n", "POSS05\r\n",  "POSS06\r\n",
    "POSS07\r\n", "POSS08\r\n", "POSS09\r\n", "POSS10\r\n", "POSS11\r\n",  "POSS12\r\n",
    "POSS13\r\n", "POSS14\r\n", "POSS15\r\n", "POSS16\r\n", "POSD4A\r\n",  "POSD4B\r\n",
    "POSD4C\r\n", "POSD4D\r\n", "POSD9A\r\n", "POSD9B\r\n", "POSD13A\r\n", "POSD13B\r\n",
    "POSD16\r\n", "POSCAS\r\n",
};

}  // namespace

Encoded EncodeConnectorInput(const SettingsModel& m) {
  return EncodeChoice("CI", kConnectorInputLetters, m.other.connectorInput);
}
bool SendConnectorInput(Session& s) { return SendEncoded(s, EncodeConnectorInput(s.model)); }

Encoded EncodeBorderLine(const SettingsModel& m) {
  return EncodeChoice("BL", kBorderLineLetters, m.other.borderLine);
}
bool SendBorderLine(Session& s) { return SendEncoded(s, EncodeBorderLine(s.model)); }

Encoded EncodePowerOnScreen(const SettingsModel& m) {
  const std::int32_t picture = m.other.powerOnScreen;
  if (!InUnsignedRange(picture, kPictureCount - 1)) return Encoded::Refused();
  return Encoded::Command(std::string(kPowerOnScreenCommands[picture]));
}
bool SendPowerOnScreen(Session& s) { return SendEncoded(s, EncodePowerOnScreen(s.model)); }

Encoded EncodeNtscAspect(const SettingsModel& m) {
  return EncodeChoice("NAR", kNtscAspectLetters, m.other.ntscAspect);
}
bool SendNtscAspect(Session& s) { return SendEncoded(s, EncodeNtscAspect(s.model)); }

}  // namespace korvex7
