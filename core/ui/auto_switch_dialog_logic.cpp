#include "core/ui/auto_switch_dialog_logic.h"

#include <array>

#include "core/commands/auto_switch_commands.h"

namespace korvex7 {

namespace {

constexpr int kChannelEntries = 16;
constexpr int kLayoutEntries = 9;

constexpr std::array<std::string_view, kAutoSwitchModes> kModeItems =
    ItemsOf(kAutoSwitchModeChoices);

constexpr std::array<std::string_view, kAutoSwitchEntries> kEntryItems = {
    "ch.01",   "ch.02",     "ch.03",     "ch.04",   "ch.05",   "ch.06",   "ch.07",
    "ch.08",   "ch.09",     "ch.10",     "ch.11",   "ch.12",   "ch.13",   "ch.14",
    "ch.15",   "ch.16",     "４分割A",   "４分割B", "４分割C", "４分割D", "９分割A",
    "９分割B", "１３分割A", "１３分割B", "１６分割"};

// Seven bytes each in code page 932 ("分割" is two double-byte characters).
constexpr std::array<std::string_view, kAutoSwitchEntries> kTableLabels = {
    "ch.01  ", "ch.02  ", "ch.03  ", "ch.04  ", "ch.05  ", "ch.06  ", "ch.07  ",
    "ch.08  ", "ch.09  ", "ch.10  ", "ch.11  ", "ch.12  ", "ch.13  ", "ch.14  ",
    "ch.15  ", "ch.16  ", "4分割A ", "4分割B ", "4分割C ", "4分割D ", "9分割A ",
    "9分割B ", "13分割A", "13分割B", "16分割 "};

bool IsDivision(std::int32_t mode) { return mode == kAutoSwitchDivision; }

}  // namespace

std::string_view AutoSwitchModeItem(int mode) {
  return mode >= 0 && mode < kAutoSwitchModes ? kModeItems[static_cast<std::size_t>(mode)]
                                              : std::string_view{};
}

int AutoSwitchEntryCount(std::int32_t mode) {
  if (IsDivision(mode)) return kLayoutEntries;
  if (mode == kAutoSwitchMix) return kAutoSwitchEntries;
  return kChannelEntries;
}

int AutoSwitchFirstEntry(std::int32_t mode) { return IsDivision(mode) ? kChannelEntries : 0; }

int AutoSwitchEntryAt(std::int32_t mode, std::int32_t position) {
  if (position < 0 || position >= AutoSwitchEntryCount(mode)) return -1;
  return AutoSwitchFirstEntry(mode) + position;
}

std::int32_t AutoSwitchOpeningPosition(std::int32_t mode, std::int32_t selectedSwitchEntry) {
  return AutoSwitchEntryAt(mode, selectedSwitchEntry) < 0 ? 0 : selectedSwitchEntry;
}

std::string_view AutoSwitchEntryItem(int entry) {
  return entry >= 0 && entry < kAutoSwitchEntries ? kEntryItems[static_cast<std::size_t>(entry)]
                                                  : std::string_view{};
}

std::string_view AutoSwitchTableLabel(int entry) {
  return entry >= 0 && entry < kAutoSwitchEntries ? kTableLabels[static_cast<std::size_t>(entry)]
                                                  : std::string_view{};
}

std::string DwellTimeText(std::int32_t seconds) {
  const bool negative = seconds < 0;
  // Through a wider type, so that the most negative value has a magnitude.
  std::int64_t magnitude = negative ? -static_cast<std::int64_t>(seconds) : seconds;
  std::string digits;
  do {
    digits.insert(digits.begin(), static_cast<char>('0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  if (digits.size() < 2) digits.insert(digits.begin(), '0');
  if (negative) digits.insert(digits.begin(), '-');
  return digits + "   秒";
}

std::string DwellTimeItem(int seconds) {
  if (seconds < 0 || seconds >= kDwellTimeItems) return {};
  return std::string{static_cast<char>('0' + seconds / 10), static_cast<char>('0' + seconds % 10)};
}

void SetSameDwellTime(SettingsModel& m, std::int32_t seconds) {
  const int first = AutoSwitchFirstEntry(m.autoSwitch.mode);
  const int count = AutoSwitchEntryCount(m.autoSwitch.mode);
  for (int e = first; e < first + count; ++e) {
    m.autoSwitch.dwellTime[static_cast<std::size_t>(e)] = seconds;
  }
}

AutoSwitchTableLine AutoSwitchTableLineOf(int listPosition) {
  const int column = listPosition / 8;
  const int row = listPosition % 8;
  return AutoSwitchTableLine{30 + 160 * column, 100 + 160 * column, 35 + 20 * row};
}

}  // namespace korvex7
