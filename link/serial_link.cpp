// LinkPort over the platform's serial port (platform/serial_port.h: the POSIX
// port on Linux, the Win32 port on Windows), and the platform's port list,
// each port as the operator sees it: "COM7 (USB Serial Port)" where the
// system names the device. A port may be given as the list shows it.
#include <utility>

#include "link/link_port.h"
#include "platform/serial_port.h"

namespace korvex7::links {

namespace {

class SerialLinkPort final : public LinkPort {
 public:
  explicit SerialLinkPort(platform::SerialPort port) : port_(std::move(port)) {}

  void Write(std::string_view frame) override {
    try {
      port_.WriteAll(frame);
    } catch (const platform::SerialError& e) {
      writeError_ = e.what();
    }
  }

  std::size_t Read(char* buffer, std::size_t capacity, std::chrono::milliseconds timeout) override {
    try {
      return port_.Read(buffer, capacity, timeout);
    } catch (const platform::SerialError& e) {
      throw LinkError(e.what());
    }
  }

  void DiscardInput() override {
    try {
      port_.DiscardInput();
    } catch (const platform::SerialError& e) {
      throw LinkError(e.what());
    }
  }

  std::string TakeWriteError() override { return std::exchange(writeError_, std::string()); }

 private:
  platform::SerialPort port_;
  std::string writeError_;
};

}  // namespace

std::unique_ptr<LinkPort> OpenLinkPort(const std::string& name) {
  try {
    return std::make_unique<SerialLinkPort>(
        platform::SerialPort::Open(platform::PortNameOfLabel(name)));
  } catch (const platform::SerialError& e) {
    throw LinkError(e.what());
  }
}

std::vector<std::string> ListSerialPorts() {
  std::vector<std::string> labels;
  for (const platform::SerialPortInfo& port : platform::ListSerialPorts()) {
    labels.push_back(platform::PortLabel(port));
  }
  return labels;
}

}  // namespace korvex7::links
