// Arbitrary "FIELD=VALUE" arguments of korvex7ctl set: parsed or refused with
// a message, never a crash, and an accepted value is stored inside its field.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/saved_fields.h"
#include "fuzz/fuzz_support.h"
#include "tools/ctl/field_args.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvex7;
  const std::string_view argument(reinterpret_cast<const char*>(data), size);
  SettingsModel m;
  const auto fields = SavedFields(m);
  const ctl::Assignment a = ctl::ParseAssignment(fields, argument);
  if (a.error != ctl::ArgumentError::kNone) {
    FUZZ_CHECK(!a.message.empty());
    return 0;
  }
  FUZZ_CHECK(!a.indexes.empty());
  for (std::size_t i : a.indexes) FUZZ_CHECK(i < fields.size());
  ctl::ApplyAssignments(fields, {a});
  fuzz::CheckTextsTerminated(m);
  return 0;
}
