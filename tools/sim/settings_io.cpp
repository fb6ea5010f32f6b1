#include "tools/sim/settings_io.h"

#include "core/model/settings_store.h"

namespace korvex7::sim {

std::vector<std::string> LoadUnitSettings(const std::string& path, UnitState& state) {
  const SettingsFileLoad load = LoadSettingsFromFile(path, state.settings);
  if (!load.complete) return {load.message};
  std::vector<std::string> problems;
  for (const std::string& p : SettingsProblems(state)) problems.push_back(path + ": " + p);
  if (!problems.empty()) return problems;
  // The unit holds the hold time as a number as well.
  int holdTime = 0;
  for (char c : TextView(state.settings.alarm.holdTimeText)) holdTime = holdTime * 10 + (c - '0');
  state.settings.alarm.holdTime = holdTime;
  return problems;
}

}  // namespace korvex7::sim
