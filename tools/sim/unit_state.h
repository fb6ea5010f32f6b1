// What the simulated unit holds: its settings, in the program's own record
// (screenSwitch.picture included), and its calendar clock.
#pragma once

#include "core/model/settings_model.h"

namespace korvex7::sim {

// The unit's calendar clock, set component by component.
struct UnitClock {
  int year = 0;  // 0..99 = 2000..2099
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  friend bool operator==(const UnitClock&, const UnitClock&) = default;
};

// Everything the simulated unit holds; the clock is the unit's alone.
struct UnitState {
  SettingsModel settings;
  UnitClock clock;
  int clockAdjustments = 0;  // 30-second adjustments taken
};

}  // namespace korvex7::sim
