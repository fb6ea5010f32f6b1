#include "core/commands/auto_switch_commands.h"

#include <iterator>
#include <string_view>

#include "core/commands/command_text.h"

namespace korvex7 {

namespace {

// The layout code of entry 16..24 ("4A" ... "13B", "16"): the code of the
// layout's split picture without its "D".
std::string_view LayoutCode(int entry) {
  return ChoiceCode(kPictureChoices, kPictureFirstSplit + (entry - kChannels)).substr(1);
}

// The entries each mode carries in its all-entries command.
struct ModeTable {
  std::string_view keyword;
  int firstEntry;
  int endEntry;  // one past the last
};
constexpr ModeTable kModeTables[] = {
    {"CASTS", 0, kChannels},
    {"CASTD", kChannels, kAutoSwitchEntries},
    {"CASTM", 0, kAutoSwitchEntries},
};

bool IsDwellTime(std::int32_t seconds) { return kDwellTimeRange.HoldsStored(seconds); }

}  // namespace

Encoded EncodeAutoSwitchMode(const SettingsModel& m) {
  const std::int32_t mode = m.autoSwitch.mode;
  // Any value but DIVISION and MIX sends SINGLE.
  const std::int32_t sent = (mode == 1 || mode == 2) ? mode : 0;
  std::string cmd = "CASM";
  cmd += ChoiceCode(kAutoSwitchModeChoices, sent);
  cmd += kCrLf;
  return Encoded::Command(std::move(cmd));
}
bool SendAutoSwitchMode(Session& s) { return SendEncoded(s, EncodeAutoSwitchMode(s.model)); }

Encoded EncodeAutoSwitchEntry(const SettingsModel& m, std::int32_t entry, std::int32_t dwellTime) {
  if (!IsDwellTime(dwellTime)) return Encoded::Refused();
  if (!InUnsignedRange(entry, kAutoSwitchEntries - 1)) return Encoded::Refused();
  // The stored value is the one written; it must fit its two digits too.
  const std::int32_t stored = m.autoSwitch.dwellTime[static_cast<std::size_t>(entry)];
  if (!IsDwellTime(stored)) return Encoded::Refused();
  std::string cmd;
  if (entry < kChannels) {
    cmd = "CASTS";
    AppendDecimal(cmd, entry + 1, 2);
  } else {
    cmd = "CASTD";
    cmd += LayoutCode(entry);
  }
  AppendDecimal(cmd, stored, 2);
  cmd += kCrLf;
  return Encoded::Command(std::move(cmd));
}
bool SendAutoSwitchEntry(Session& s, std::int32_t entry, std::int32_t dwellTime) {
  return SendEncoded(s, EncodeAutoSwitchEntry(s.model, entry, dwellTime));
}

Encoded EncodeAutoSwitchAll(const SettingsModel& m) {
  const std::int32_t mode = m.autoSwitch.mode;
  if (!InUnsignedRange(mode, static_cast<std::uint32_t>(std::size(kModeTables) - 1))) {
    return Encoded::Refused();
  }
  const ModeTable& table = kModeTables[mode];
  std::string cmd(table.keyword);
  for (int entry = table.firstEntry; entry < table.endEntry; ++entry) {
    const std::int32_t seconds = m.autoSwitch.dwellTime[static_cast<std::size_t>(entry)];
    if (!IsDwellTime(seconds)) return Encoded::Refused();
    AppendDecimal(cmd, seconds, 2);
  }
  cmd += kCrLf;
  return Encoded::Command(std::move(cmd));
}
bool SendAutoSwitchAll(Session& s) { return SendEncoded(s, EncodeAutoSwitchAll(s.model)); }

}  // namespace korvex7
