// "CJ": one channel's title as the unit reports it. The reply carries ten
// JIS X 0208 codes in hexadecimal; the model keeps the title as code-page-932
// bytes, so each code is turned into its Shift_JIS pair.
#include <array>
#include <cstdint>
#include <string>

#include "core/link/reply_decoders.h"
#include "core/link/reply_decoders_parse.h"
#include "core/text/jis.h"

namespace korvex7 {

namespace {

constexpr std::size_t kTitleCodes = 10;
constexpr std::size_t kHexStart = 4;
constexpr std::size_t kTitleCrLf = kHexStart + 4 * kTitleCodes;  // 44

constexpr std::uint16_t kJisFullWidthBlank = 0x2121;

// Value of one upper-case hexadecimal digit, -1 for any other character.
int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool DecodeTitle(SettingsModel& model, std::string_view line) {
  using reply_parse::CrLfAt;
  using reply_parse::DigitsAt;

  if (!CrLfAt(line, kTitleCrLf)) return false;
  const int channel = DigitsAt(line, 2, 2);
  if (channel < 1 || channel > kChannels) return false;

  std::array<std::uint16_t, kTitleCodes> codes{};
  for (std::size_t i = 0; i < kTitleCodes; ++i) {
    int code = 0;
    for (std::size_t k = 0; k < 4; ++k) {
      const int digit = HexValue(line[kHexStart + 4 * i + k]);
      if (digit < 0) return false;
      code = code * 16 + digit;
    }
    codes[i] = static_cast<std::uint16_t>(code);
  }

  // Trailing full-width blanks, as received, are padding and not part of the
  // title.
  std::size_t kept = kTitleCodes;
  while (kept > 0 && codes[kept - 1] == kJisFullWidthBlank) --kept;

  std::string text;
  for (std::size_t i = 0; i < kept; ++i) {
    // The highest code the title font holds is the last NEC-selected IBM
    // extension; anything above shows as a blank.
    const std::uint16_t jis = codes[i] > kHighestTitleJisCode ? kJisFullWidthBlank : codes[i];
    const std::uint16_t sjis = JisToShiftJis(jis);
    if (sjis == 0) break;  // not a JIS X 0208 code: the title ends here
    text += static_cast<char>(sjis >> 8);
    text += static_cast<char>(sjis & 0xFF);
  }
  SetText(model.title.text[static_cast<std::size_t>(channel - 1)], text);
  return true;
}

}  // namespace korvex7
