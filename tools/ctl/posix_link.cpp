// The POSIX backend of LinkPort: the platform's SerialPort (a serial device
// or a pseudo-terminal at 9600 baud, 8E1, raw), and the port list from sysfs.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <utility>

#include "platform/posix/serial_port.h"
#include "tools/ctl/link_port.h"

namespace korvex7::ctl {

namespace {

class PosixLinkPort final : public LinkPort {
 public:
  explicit PosixLinkPort(posix::SerialPort port) : port_(std::move(port)) {}

  void Write(std::string_view frame) override {
    try {
      port_.WriteAll(frame);
    } catch (const posix::SerialError& e) {
      writeError_ = e.what();
    }
  }

  std::size_t Read(char* buffer, std::size_t capacity, std::chrono::milliseconds timeout) override {
    try {
      return port_.Read(buffer, capacity, timeout);
    } catch (const posix::SerialError& e) {
      throw LinkError(e.what());
    }
  }

  void DiscardInput() override {
    try {
      port_.DiscardInput();
    } catch (const posix::SerialError& e) {
      throw LinkError(e.what());
    }
  }

  std::string TakeWriteError() override { return std::exchange(writeError_, std::string()); }

 private:
  posix::SerialPort port_;
  std::string writeError_;
};

}  // namespace

std::unique_ptr<LinkPort> OpenLinkPort(const std::string& name) {
  try {
    return std::make_unique<PosixLinkPort>(posix::SerialPort::Open(name));
  } catch (const posix::SerialError& e) {
    throw LinkError(e.what());
  }
}

std::vector<std::string> ListSerialPorts() {
  // Every tty with a device behind it; the 8250 driver also lists ports
  // without hardware, which report the type 0 (unknown).
  std::vector<std::string> ports;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator("/sys/class/tty", ec)) {
    const std::string name = entry.path().filename().string();
    if (!std::filesystem::exists(entry.path() / "device", ec)) continue;
    std::ifstream typeFile(entry.path() / "type");
    int type = -1;
    if (typeFile >> type && type == 0) continue;
    ports.push_back("/dev/" + name);
  }
  std::sort(ports.begin(), ports.end());
  return ports;
}

}  // namespace korvex7::ctl
