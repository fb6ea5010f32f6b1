// The serial devices of this computer, from sysfs.
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/posix/serial_port.h"

namespace korvex7::posix {

std::vector<SerialPortInfo> ListSerialPorts() {
  // Every tty with a device behind it; the 8250 driver also lists ports
  // without hardware, which report the type 0 (unknown).
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator("/sys/class/tty", ec)) {
    const std::string name = entry.path().filename().string();
    if (!std::filesystem::exists(entry.path() / "device", ec)) continue;
    std::ifstream typeFile(entry.path() / "type");
    int type = -1;
    if (typeFile >> type && type == 0) continue;
    names.push_back("/dev/" + name);
  }
  std::sort(names.begin(), names.end());
  std::vector<SerialPortInfo> ports;
  for (std::string& name : names) ports.push_back({std::move(name), {}});
  return ports;
}

}  // namespace korvex7::posix
