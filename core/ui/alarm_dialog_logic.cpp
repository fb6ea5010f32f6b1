#include "core/ui/alarm_dialog_logic.h"

#include "core/commands/alarm_commands.h"

namespace korvex7 {

namespace {

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// The longest prefix of at most `limit` bytes that does not end inside a
// double-byte character.
std::string_view WholeCharacters(std::string_view text, std::size_t limit) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t width =
        IsLeadByte(static_cast<unsigned char>(text[end])) && end + 1 < text.size() ? 2 : 1;
    if (end + width > limit) break;
    end += width;
  }
  return text.substr(0, end);
}

}  // namespace

bool HoldTimeSetEnabled(std::string_view text) {
  if (text.empty() || text.size() > static_cast<std::size_t>(kHoldTimeEditLimit)) return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  const std::int32_t value = HoldTimeValue(text);
  return value >= 1 && value <= 999;
}

bool StoreHoldTimeText(SettingsModel& model, std::string_view typed) {
  const std::string_view kept = WholeCharacters(typed, model.alarm.holdTimeText.size() - 1);
  SetText(model.alarm.holdTimeText, kept);
  const std::string_view stored = TextView(model.alarm.holdTimeText);
  model.alarm.holdTime = HoldTimeValue(stored);
  return HoldTimeSetEnabled(stored);
}

}  // namespace korvex7
