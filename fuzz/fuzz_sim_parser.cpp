// Arbitrary frames to the simulated unit: every answer is one CR LF line, a
// refused frame changes nothing, and whatever the unit accepted it can still
// report through its queries.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>

#include "core/model/settings_file.h"
#include "core/transfer/read_all.h"
#include "fuzz/fuzz_support.h"
#include "tools/sim/sim_unit.h"

namespace {

std::string Saved(const korvex7::SettingsModel& m) {
  std::ostringstream out;
  korvex7::WriteSettingsFile(out, m);
  return out.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvex7;
  if (size < 1) return 0;
  std::optional<int> address;
  if (data[0] & 1) address = (data[0] >> 1) % 32;
  sim::SimUnit unit(address);
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  while (!rest.empty()) {
    const std::size_t lf = rest.find('\n');
    const std::string_view frame =
        rest.substr(0, lf == std::string_view::npos ? rest.size() : lf + 1);
    rest.remove_prefix(frame.size());
    const std::string before = Saved(unit.state().settings);
    const sim::FrameResult r = unit.HandleFrame(frame);
    if (r.answer) {
      FUZZ_CHECK(r.answer->size() >= 2 && r.answer->compare(r.answer->size() - 2, 2, "\r\n") == 0);
      FUZZ_CHECK(r.answer->find('\n') == r.answer->size() - 1);
    }
    if (!r.accepted) FUZZ_CHECK(Saved(unit.state().settings) == before);
  }
  // The unit can report every setting it holds.
  sim::SimUnit reporter;  // RS-232C, same settings
  reporter.state() = unit.state();
  for (int i = 0; i < kReadAllStepCount; ++i) {
    const auto r = reporter.HandleFrame(ReadAllQuery(i));
    FUZZ_CHECK(r.accepted && r.answer.has_value());
  }
  return 0;
}
