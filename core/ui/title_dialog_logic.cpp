#include "core/ui/title_dialog_logic.h"

#include <algorithm>

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

std::size_t StoredBytes(const TitleCharacter& c) {
  return IsOneCp932Character(c.cp932) ? c.cp932.size() : 1;
}

TitleEditFit FitTitleEdit(std::span<const TitleCharacter> before,
                          std::span<const TitleCharacter> after, std::size_t limit) {
  TitleEditFit fit;
  std::size_t total = 0;
  for (const TitleCharacter& c : after) total += StoredBytes(c);
  if (total <= limit) {
    fit.text.assign(after.begin(), after.end());
    fit.caret = after.size();
    return fit;
  }
  fit.cut = true;

  // The part that changed: after[prefix, after.size() - suffix).
  const std::size_t shorter = std::min(before.size(), after.size());
  std::size_t prefix = 0;
  while (prefix < shorter && before[prefix] == after[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < shorter - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
    ++suffix;
  }
  const std::size_t insertedEnd = after.size() - suffix;

  std::size_t kept = 0;
  for (std::size_t i = 0; i < prefix; ++i) kept += StoredBytes(after[i]);
  for (std::size_t i = insertedEnd; i < after.size(); ++i) kept += StoredBytes(after[i]);
  if (kept > limit) {
    // The text around the change does not fit on its own: keep what fits
    // from the start.
    for (std::size_t i = 0, bytes = 0; i < after.size(); ++i) {
      bytes += StoredBytes(after[i]);
      if (bytes > limit) break;
      fit.text.push_back(after[i]);
    }
    fit.caret = fit.text.size();
    return fit;
  }

  fit.text.assign(after.begin(), after.begin() + static_cast<std::ptrdiff_t>(prefix));
  for (std::size_t i = prefix; i < insertedEnd; ++i) {
    const std::size_t n = StoredBytes(after[i]);
    if (kept + n > limit) break;
    kept += n;
    fit.text.push_back(after[i]);
  }
  fit.caret = fit.text.size();
  fit.text.insert(fit.text.end(), after.begin() + static_cast<std::ptrdiff_t>(insertedEnd),
                  after.end());
  return fit;
}

TitleText932 ComposeTitle(std::span<const TitleCharacter> text, std::size_t limit) {
  std::vector<std::string> forms;
  forms.reserve(text.size());
  for (const TitleCharacter& c : text) forms.push_back(c.cp932);
  return ComposeTitle(forms, limit);
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
