// Settings files for the tool: read in full or refused, written so that an
// existing file is replaced only by a complete new one. The bytes are those
// of the program's Save (core WriteSettingsFile: CR LF line ends, code page
// 932) on every platform.
#pragma once

#include <cstdint>
#include <string>

#include "core/model/settings_model.h"

namespace korvex7::ctl {

struct LoadResult {
  bool opened = false;
  bool complete = false;  // all 282 values read and stored
  std::string message;    // plain words when not complete
};

// Reads a settings file (a UTF-8 path) into the model.
LoadResult LoadSettings(const std::string& path, SettingsModel& model);

// Writes the model's settings file; returns an empty text on success, else
// what went wrong. The file is first written beside the target and then
// renamed over it, so a failed write never leaves half a file behind.
std::string SaveSettings(const std::string& path, const SettingsModel& model);

// The file name for one unit when several are read: "{addr}" in the name is
// replaced by the address, otherwise "-NN" goes before the extension
// ("site.dat" -> "site-05.dat"). With one unit the name is kept.
std::string UnitFileName(const std::string& name, std::int32_t address, bool severalUnits);

}  // namespace korvex7::ctl
