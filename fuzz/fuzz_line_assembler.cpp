// Arbitrary bytes from the port, cut into arbitrary chunks.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/link/line_assembler.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace korvex7;
  if (size == 0) return 0;
  const std::string_view all(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::size_t chunk = std::size_t{data[0]} + 1;  // 1..256 bytes a read
  LineAssembler assembler;
  std::size_t lfs = 0;
  std::size_t lines = 0;
  for (std::size_t pos = 0; pos < all.size(); pos += chunk) {
    const auto piece = all.substr(pos, chunk);
    for (char c : piece) lfs += c == '\n' ? 1 : 0;
    for (const auto& line : assembler.Feed(piece)) {
      ++lines;
      if (line.overlong) {
        FUZZ_CHECK(line.text.empty());
      } else {
        FUZZ_CHECK(!line.text.empty() && line.text.back() == '\n');
        FUZZ_CHECK(line.text.size() <= kMaxReplyLineLength);
        FUZZ_CHECK(line.text.find('\n') == line.text.size() - 1);
      }
    }
    FUZZ_CHECK(assembler.PendingLength() <= kMaxReplyLineLength);
  }
  // Every LF ends exactly one line, however the bytes were cut.
  FUZZ_CHECK(lines == lfs);
  return 0;
}
