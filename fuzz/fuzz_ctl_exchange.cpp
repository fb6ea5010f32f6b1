// korvex7ctl's commands against a line that delivers arbitrary bytes: the
// exchange, the reports in text and in JSON, never a crash, never an
// exception out of the tool, never a byte from the line in the output
// unescaped, and JSON that parses.
//
// The first byte chooses the command and the output, the second how many
// bytes each read delivers; the rest is what the line sends.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "fuzz/fuzz_support.h"
#include "tools/ctl/ctl_app.h"

namespace {

using namespace korvex7;
using std::chrono::milliseconds;

class FuzzClock final : public ctl::ExchangeClock {
 public:
  std::chrono::steady_clock::time_point Now() override { return now; }
  void SleepFor(milliseconds d) override { now += d; }
  std::chrono::steady_clock::time_point now{};
};

// Hands out the line's bytes in reads of a fixed size, then nothing.
class FuzzPort final : public ctl::LinkPort {
 public:
  FuzzPort(FuzzClock& clock, std::string_view bytes, std::size_t piece)
      : clock_(clock), bytes_(bytes), piece_(piece) {}
  void Write(std::string_view) override {}
  std::size_t Read(char* buffer, std::size_t capacity, milliseconds timeout) override {
    if (bytes_.empty()) {
      clock_.now += timeout;
      return 0;
    }
    clock_.now += milliseconds(1);
    const std::size_t n = std::min({capacity, piece_, bytes_.size()});
    bytes_.copy(buffer, n);
    bytes_.remove_prefix(n);
    return n;
  }
  void DiscardInput() override {}
  std::string TakeWriteError() override { return {}; }

 private:
  FuzzClock& clock_;
  std::string_view bytes_;
  std::size_t piece_;
};

bool IsUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return false;
    for (std::size_t k = 1; k < n; ++k) {
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    }
    i += n;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::uint8_t choice = data[0];
  const std::size_t piece = 1 + data[1] % 64;
  const std::string_view line(reinterpret_cast<const char*>(data + 2), size - 2);

  ctl::CtlOptions o;
  o.port = "/dev/fuzz";
  o.json = (choice & 0x80) != 0;
  o.rs485 = (choice & 0x40) != 0;
  o.addresses = "05";
  switch (choice % 6) {
    case 0:
      o.command = "send";
      o.arguments = {"RAM"};
      break;
    case 1:
      o.command = "send";
      o.arguments = {"AMI"};
      break;
    case 2:
      o.command = "get";
      o.arguments = {"alarm", "title.text[2]"};
      break;
    case 3:
      o.command = "set";
      o.arguments = {"alarm.mode=external", "other.borderLine=white"};
      break;
    case 4:
      o.command = "scan";
      o.addresses = "04-06";
      break;
    default:
      o.command = "switch";
      o.arguments = {"ch.05"};
      break;
  }
  std::ostringstream out;
  std::ostringstream err;
  FuzzClock clock;
  ctl::CtlEnvironment env(out, err);
  env.clock = &clock;
  env.openPort = [&](const std::string&) -> std::unique_ptr<ctl::LinkPort> {
    return std::make_unique<FuzzPort>(clock, line, piece);
  };
  const int code = ctl::RunCtl(o, env);
  FUZZ_CHECK(code >= ctl::kExitOk && code <= ctl::kExitUnreliableLine);
  // Everything from the line reaches the output escaped.
  FUZZ_CHECK(IsUtf8(out.str()));
  FUZZ_CHECK(IsUtf8(err.str()));
  if (o.json) FUZZ_CHECK(nlohmann::json::accept(out.str()));
  return 0;
}
