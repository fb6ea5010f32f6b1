#include "core/commands/other_commands.h"

#include <string_view>

#include "core/commands/command_text.h"

namespace korvex7 {

Encoded EncodeConnectorInput(const SettingsModel& m) {
  return EncodeChoice("CI", kConnectorInputChoices, m.other.connectorInput);
}
bool SendConnectorInput(Session& s) { return SendEncoded(s, EncodeConnectorInput(s.model)); }

Encoded EncodeBorderLine(const SettingsModel& m) {
  return EncodeChoice("BL", kBorderLineChoices, m.other.borderLine);
}
bool SendBorderLine(Session& s) { return SendEncoded(s, EncodeBorderLine(s.model)); }

Encoded EncodePowerOnScreen(const SettingsModel& m) {
  return EncodeChoice("POS", kPictureChoices, m.other.powerOnScreen);
}
bool SendPowerOnScreen(Session& s) { return SendEncoded(s, EncodePowerOnScreen(s.model)); }

Encoded EncodeNtscAspect(const SettingsModel& m) {
  return EncodeChoice("NAR", kNtscAspectChoices, m.other.ntscAspect);
}
bool SendNtscAspect(Session& s) { return SendEncoded(s, EncodeNtscAspect(s.model)); }

}  // namespace korvex7
