// A small demonstration of the portable core: the frames the program would
// put on the wire and the settings file it would save, from the defaults.
#include <iostream>
#include <sstream>
#include <string>

#include "core/link/send_command.h"
#include "core/model/settings_file.h"

namespace {

class PrintingPort : public korvex7::PortWriter {
 public:
  void Write(std::string_view frame) override {
    std::string shown;
    for (char c : frame) {
      if (c == '\r') {
        shown += "\\r";
      } else if (c == '\n') {
        shown += "\\n";
      } else {
        shown += c;
      }
    }
    std::cout << "  frame: " << shown << " (" << frame.size() << " bytes)\n";
  }
};

}  // namespace

int main() {
  PrintingPort port;
  korvex7::Session session;
  session.port = &port;

  std::cout << "RS-232C:\n";
  korvex7::SendCommand(session, "AGCNNNNNNNNNNNNNNNN\r\n");
  session.model.link.mode = korvex7::kLinkRs485;
  session.model.link.slaveAddress = 5;
  std::cout << "RS-485, unit 05:\n";
  korvex7::SendCommand(session, "AGCNNNNNNNNNNNNNNNN\r\n");

  std::ostringstream file;
  korvex7::WriteSettingsFile(file, session.model);
  std::cout << "settings file of the start-up defaults: " << file.str().size() << " bytes\n";
  return 0;
}
