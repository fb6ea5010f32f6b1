#include "core/ui/alarm_dialog_logic.h"

#include "core/commands/alarm_commands.h"
#include "core/text/cp932.h"

namespace korvex7 {

bool HoldTimeSetEnabled(std::string_view text) {
  if (text.empty() || text.size() > static_cast<std::size_t>(kHoldTimeEditLimit)) return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  const std::int32_t value = HoldTimeValue(text);
  return value >= 1 && value <= 999;
}

bool StoreHoldTimeText(SettingsModel& model, std::string_view typed) {
  const std::string_view kept =
      typed.substr(0, Cp932CutLength(typed, model.alarm.holdTimeText.size() - 1));
  SetText(model.alarm.holdTimeText, kept);
  const std::string_view stored = TextView(model.alarm.holdTimeText);
  model.alarm.holdTime = HoldTimeValue(stored);
  return HoldTimeSetEnabled(stored);
}

}  // namespace korvex7
