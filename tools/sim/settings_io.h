// The simulated unit's start-up settings: a settings file read in full
// (core/model/settings_store.h) and then checked against what the unit can
// hold. (Its dumps are written through the platform's atomic replacement,
// one file per unit named by UnitFileName.)
#pragma once

#include <string>
#include <vector>

#include "tools/sim/command_layouts.h"

namespace korvex7::sim {

// Reads a settings file into the unit's settings. Returns one message per
// problem (the file cannot be opened, is incomplete, or holds a value the
// unit could not hold), each naming the file; empty when all went well.
// On problems the settings may be partly loaded: do not use them.
std::vector<std::string> LoadUnitSettings(const std::string& path, UnitState& state);

}  // namespace korvex7::sim
