// The settings-file store shared by the program, the command-line tool and
// the simulator: whether a path may be a settings file at all, reading a
// file with a report of whether it was complete, the bytes a file is
// written with, and the name of each unit's file. The bytes reach the disk
// through the platform's atomic replacement (platform/atomic_file.h), so
// every writer has the same durability; each writer first asks
// MayBeSettingsFile, since the platform writes any name it is given.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/model/settings_model.h"

namespace korvex7 {

struct SettingsFileLoad {
  bool opened = false;
  bool complete = false;  // all 282 values read and stored, nothing skipped
  // When not complete: the file's name and what was wrong with it. The
  // tool and the simulator refuse such a file; the program's Open takes
  // what could be read.
  std::string message;
};

// Reads settings-file bytes into the model (see ReadSettingsFile: at most
// kSettingsFileReadLimit bytes are taken, a value that does not fit keeps
// the field's old value). `fileName` names the file in the message.
SettingsFileLoad LoadSettingsFromBytes(std::string_view bytes, const std::string& fileName,
                                       SettingsModel& model);

// False when `path` (UTF-8) may not be a settings file: its name is one
// that Windows gives a device (device_names.h: "COM1.dat", "nul"), refused
// on every system so that a file made on Linux always opens on Windows.
// The loads below refuse such a path themselves; the program's Save and
// Open, korvex7ctl's read and set --file and the simulator's --dump ask
// before they reach the platform.
bool MayBeSettingsFile(std::string_view path);

// Why a settings file is not written at `path`, for a writer whose path
// MayBeSettingsFile refused: "<path>: cannot be written: <why>".
std::string SettingsFileWriteRefusal(std::string_view path);

// Opens the file at `path` (UTF-8) and reads it into the model; only the
// start that the reader takes is read from the disk. A path whose name is a
// device's on Windows (device_names.h) is refused without being opened.
SettingsFileLoad LoadSettingsFromFile(const std::string& path, SettingsModel& model);

// The bytes of the model's settings file (those of the program's Save).
std::string SettingsFileBytes(const SettingsModel& model);

// The file of one unit when several are read or dumped: "{addr}" in the
// name is replaced by the address (always, even for one unit); otherwise
// "-NN" goes before the extension of the last path part ("site.dat" ->
// "site-05.dat", "dir.v2/site" -> "dir.v2/site-05"; "/" and "\" both
// separate parts, and a leading dot starts no extension). With one unit and
// no "{addr}" the name is kept.
std::string UnitFileName(const std::string& name, std::int32_t address, bool severalUnits);

// A path from its UTF-8 text, on every platform.
std::filesystem::path PathFromUtf8(std::string_view utf8);

}  // namespace korvex7
