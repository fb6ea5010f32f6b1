// The simulated unit's settings files: loading its start-up settings and
// dumping what it holds so that another program can watch it.
#pragma once

#include <string>
#include <vector>

#include "tools/sim/command_layouts.h"

namespace korvex7::sim {

// Reads a settings file into the unit's settings. Returns one message per
// problem (the file cannot be opened, ends early, holds a word that is no
// value, or a value the unit could not hold); empty when all went well.
// On problems the settings may be partly loaded: do not use them.
std::vector<std::string> LoadUnitSettings(const std::string& path, UnitState& state);

// Writes the settings as a settings file. The bytes go to a new file beside
// `path` that then replaces it in one rename, so a reader sees either the
// old file or the new one, never half of one. Returns an empty string on
// success, otherwise the reason.
std::string DumpUnitSettings(const std::string& path, const SettingsModel& settings);

// The dump file of one unit when several units share the line:
// "bus.dat" with address 5 gives "bus-05.dat". With one unit, `path` itself.
std::string DumpPathForUnit(const std::string& path, int address, bool severalUnits);

}  // namespace korvex7::sim
