#include "tools/ctl/settings_io.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "core/model/saved_fields.h"
#include "core/model/settings_file.h"
#include "tools/ctl/address_list.h"

namespace korvex7::ctl {

namespace {

std::filesystem::path PathFromUtf8(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace

LoadResult LoadSettings(const std::string& path, SettingsModel& model) {
  LoadResult result;
  std::ifstream in(PathFromUtf8(path), std::ios::binary);
  if (!in) {
    result.message = path + ": cannot open the file";
    return result;
  }
  result.opened = true;
  const SettingsFileReadReport report = ReadSettingsFile(in, model);
  if (report.endedEarly) {
    result.message = path + ": the file ends after " +
                     std::to_string(report.fieldsRead + report.fieldsSkipped) + " of " +
                     std::to_string(kSavedFieldCount) + " values";
  } else if (report.fieldsSkipped != 0) {
    result.message = path + ": " + std::to_string(report.fieldsSkipped) +
                     " values do not fit their fields (not a settings file?)";
  } else {
    result.complete = true;
  }
  return result;
}

std::string SaveSettings(const std::string& path, const SettingsModel& model) {
  std::ostringstream bytes;
  WriteSettingsFile(bytes, model);
  const std::filesystem::path target = PathFromUtf8(path);
  std::filesystem::path temporary = target;
  temporary += ".partial";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return path + ": cannot create the file";
    const std::string data = bytes.str();
    out.write(data.data(), static_cast<std::streamsize>(data.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      return path + ": the file could not be written completely";
    }
  }
  std::error_code ec;
  std::filesystem::rename(temporary, target, ec);
  if (ec) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return path + ": " + ec.message();
  }
  return {};
}

std::string UnitFileName(const std::string& name, std::int32_t address, bool severalUnits) {
  const std::string addressText = AddressName(address);
  const std::size_t placeholder = name.find("{addr}");
  if (placeholder != std::string::npos) {
    std::string out = name;
    out.replace(placeholder, 6, addressText);
    return out;
  }
  if (!severalUnits) return name;
  const std::size_t slash = name.find_last_of("/\\");
  const std::size_t dot = name.find_last_of('.');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  // A dot that begins the file name (".dat") starts no extension.
  const bool hasExtension = dot != std::string::npos && dot > nameStart;
  if (!hasExtension) return name + "-" + addressText;
  return name.substr(0, dot) + "-" + addressText + name.substr(dot);
}

}  // namespace korvex7::ctl
