// Arbitrary settings files: never a write outside a field, and whatever was
// loaded saves and loads again unchanged.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "core/model/settings_file.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvex7;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  SettingsModel loaded;
  const auto report = ReadSettingsFile(in, loaded);
  FUZZ_CHECK(report.fieldsRead + report.fieldsSkipped <= 282);
  fuzz::CheckTextsTerminated(loaded);

  std::ostringstream first;
  WriteSettingsFile(first, loaded);
  std::istringstream again(first.str());
  SettingsModel reloaded;
  const auto report2 = ReadSettingsFile(again, reloaded);
  FUZZ_CHECK(report2.fieldsRead == 282);
  std::ostringstream second;
  WriteSettingsFile(second, reloaded);
  FUZZ_CHECK(first.str() == second.str());
  return 0;
}
