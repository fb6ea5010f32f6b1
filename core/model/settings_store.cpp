#include "core/model/settings_store.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "core/link/send_command.h"
#include "core/model/device_names.h"
#include "core/model/saved_fields.h"
#include "core/model/settings_file.h"

namespace korvex7 {

namespace {

SettingsFileLoad Judge(const SettingsFileReadReport& report, const std::string& fileName) {
  SettingsFileLoad load;
  load.opened = true;
  std::string problems;
  if (report.endedEarly) {
    problems = "the file ends after " + std::to_string(report.fieldsRead + report.fieldsSkipped) +
               " of " + std::to_string(kSavedFieldCount) + " values";
  }
  if (report.fieldsSkipped != 0) {
    if (!problems.empty()) problems += "; ";
    problems += std::to_string(report.fieldsSkipped) +
                " values do not fit their fields (not a settings file?)";
  }
  load.complete = problems.empty();
  if (!load.complete) load.message = fileName + ": " + problems;
  return load;
}

}  // namespace

SettingsFileLoad LoadSettingsFromBytes(std::string_view bytes, const std::string& fileName,
                                       SettingsModel& model) {
  std::istringstream in(std::string(bytes), std::ios::binary);
  return Judge(ReadSettingsFile(in, model), fileName);
}

bool MayBeSettingsFile(std::string_view path) { return !IsDeviceName(path); }

std::string SettingsFileWriteRefusal(std::string_view path) {
  return std::string(path) + ": cannot be written: " + DeviceNameWords(path);
}

SettingsFileLoad LoadSettingsFromFile(const std::string& path, SettingsModel& model) {
  if (!MayBeSettingsFile(path)) {
    // On Windows the stream would read the device (a serial port, the
    // console) instead of a file.
    SettingsFileLoad load;
    load.message = path + ": " + DeviceNameWords(path);
    return load;
  }
  errno = 0;
  std::ifstream in(PathFromUtf8(path), std::ios::binary);
  if (!in) {
    const int error = errno;
    SettingsFileLoad load;
    load.message = path + ": cannot open: " +
                   (error != 0 ? std::string(std::strerror(error)) : std::string("refused"));
    return load;
  }
  return Judge(ReadSettingsFile(in, model), path);
}

std::string SettingsFileBytes(const SettingsModel& model) {
  std::ostringstream out(std::ios::binary);
  WriteSettingsFile(out, model);
  return out.str();
}

std::string UnitFileName(const std::string& name, std::int32_t address, bool severalUnits) {
  const std::string addressText = AddressPrefix(address);
  constexpr std::string_view kPlaceholder = "{addr}";
  const std::size_t placeholder = name.find(kPlaceholder);
  if (placeholder != std::string::npos) {
    std::string out = name;
    out.replace(placeholder, kPlaceholder.size(), addressText);
    return out;
  }
  if (!severalUnits) return name;
  const std::size_t slash = name.find_last_of("/\\");
  const std::size_t dot = name.find_last_of('.');
  const std::size_t partStart = slash == std::string::npos ? 0 : slash + 1;
  const bool hasExtension = dot != std::string::npos && dot > partStart;
  if (!hasExtension) return name + "-" + addressText;
  return name.substr(0, dot) + "-" + addressText + name.substr(dot);
}

std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace korvex7
