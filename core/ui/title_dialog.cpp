#include "core/ui/title_dialog.h"

#include "core/text/jis.h"

namespace korvex7 {

namespace {

// One single-byte character (not NUL, not a lead byte) or one lead byte
// followed by a trail byte.
bool IsOneCp932Character(std::string_view c) {
  if (c.size() == 1) {
    const auto b = static_cast<std::uint8_t>(c[0]);
    return b != 0 && !IsShiftJisLeadByte(b);
  }
  return c.size() == 2 && IsShiftJisLeadByte(static_cast<std::uint8_t>(c[0])) &&
         IsShiftJisTrailByte(static_cast<std::uint8_t>(c[1]));
}

}  // namespace

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

TitleText932 ComposeTitle(std::span<const std::string> perCharacter, std::size_t limit) {
  TitleText932 out;
  for (const std::string& character : perCharacter) {
    // A character the code page holds is one or two bytes; anything else is
    // taken as a character the title cannot carry.
    const bool encodable = IsOneCp932Character(character);
    const std::size_t size = encodable ? character.size() : 1;
    if (out.bytes.size() + size > limit) {
      out.cut = true;
      break;
    }
    if (encodable) {
      out.bytes += character;
    } else {
      out.bytes += kUnencodableTitleByte;
      out.unencodable = true;
    }
    ++out.charactersKept;
  }
  return out;
}

std::string ChannelItem(int channelIndex) {
  if (channelIndex < 0 || channelIndex >= kChannels) return {};
  const int channel = channelIndex + 1;
  std::string text = "ch.00";
  text[3] = static_cast<char>('0' + channel / 10);
  text[4] = static_cast<char>('0' + channel % 10);
  return text;
}

TitlePreviewLine TitlePreviewLineOf(int channelIndex) {
  const int column = channelIndex / 8;
  const int row = channelIndex % 8;
  return TitlePreviewLine{35 + 280 * column, 100 + 280 * column, 40 + 20 * row};
}

}  // namespace korvex7
