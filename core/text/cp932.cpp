#include "core/text/cp932.h"

#include "core/text/jis.h"

namespace korvex7 {

std::size_t Cp932CharacterLength(std::uint8_t first) { return IsShiftJisLeadByte(first) ? 2 : 1; }

std::size_t Cp932CutLength(std::string_view text, std::size_t limit) {
  std::size_t kept = 0;
  while (kept < text.size()) {
    const std::size_t n = Cp932CharacterLength(static_cast<std::uint8_t>(text[kept]));
    if (kept + n > limit || kept + n > text.size()) break;
    kept += n;
  }
  return kept;
}

}  // namespace korvex7
