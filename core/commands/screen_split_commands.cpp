#include "core/commands/screen_split_commands.h"

#include <string_view>

#include "core/commands/command_text.h"

namespace korvex7 {

namespace {

constexpr std::string_view kQuadKeywords[] = {"SPD4A", "SPD4B", "SPD4C", "SPD4D"};
constexpr std::string_view kNineKeywords[] = {"SPD9A", "SPD9B"};
constexpr std::string_view kThirteenKeywords[] = {"SPD13A", "SPD13B"};

constexpr std::int32_t kNoChannel = -1;

// The 4-way encoder gives "B".."D" for variants 1..3; the 9- and 13-way ones
// "B" for variant 1 only. Anything else keeps "A".
template <std::size_t N>
std::string_view KeywordFor(const std::string_view (&keywords)[N], std::int32_t variant) {
  return InUnsignedRange(variant, static_cast<std::uint32_t>(N - 1)) ? keywords[variant]
                                                                     : keywords[0];
}

}  // namespace

Encoded EncodeScreenSwitch(const SettingsModel& m) {
  return EncodeChoice("C", kPictureChoices, m.screenSwitch.picture);
}
bool SendScreenSwitch(Session& s) { return SendEncoded(s, EncodeScreenSwitch(s.model)); }

Encoded EncodeSplitChannels(std::string_view keyword, std::span<const std::int32_t> channels) {
  for (std::size_t i = 0; i < channels.size(); ++i) {
    for (std::size_t j = i + 1; j < channels.size(); ++j) {
      if (channels[i] == channels[j]) return Encoded::Refused(kStatusDuplicateChannel);
    }
  }
  std::string cmd(keyword);
  for (const std::int32_t channel : channels) {
    // Anything but a channel or "none" would not fit its two digits.
    if (channel < kNoChannel || channel >= kChannels) return Encoded::Refused();
    AppendDecimal(cmd, channel + 1, 2);
  }
  cmd += kCrLf;
  return Encoded::Command(std::move(cmd));
}

Encoded EncodeSplitQuad(const SettingsModel&, const std::array<std::int32_t, 4>& channels,
                        std::int32_t variant) {
  return EncodeSplitChannels(KeywordFor(kQuadKeywords, variant), channels);
}
bool SendSplitQuad(Session& s, const std::array<std::int32_t, 4>& channels, std::int32_t variant) {
  return SendEncoded(s, EncodeSplitQuad(s.model, channels, variant));
}

Encoded EncodeSplitNine(const SettingsModel&, const std::array<std::int32_t, 9>& channels,
                        std::int32_t variant) {
  return EncodeSplitChannels(KeywordFor(kNineKeywords, variant), channels);
}
bool SendSplitNine(Session& s, const std::array<std::int32_t, 9>& channels, std::int32_t variant) {
  return SendEncoded(s, EncodeSplitNine(s.model, channels, variant));
}

Encoded EncodeSplitThirteen(const SettingsModel&, const std::array<std::int32_t, 13>& channels,
                            std::int32_t variant) {
  return EncodeSplitChannels(KeywordFor(kThirteenKeywords, variant), channels);
}
bool SendSplitThirteen(Session& s, const std::array<std::int32_t, 13>& channels,
                       std::int32_t variant) {
  return SendEncoded(s, EncodeSplitThirteen(s.model, channels, variant));
}

Encoded EncodeSplitSixteen(const SettingsModel& m) {
  return EncodeSplitChannels("SPD16", m.splitLayout.sixteen);
}
bool SendSplitSixteen(Session& s) { return SendEncoded(s, EncodeSplitSixteen(s.model)); }

Encoded EncodeSplitLayout(const SettingsModel& m, std::int32_t layout) {
  const SettingsModel::SplitLayout& l = m.splitLayout;
  switch (layout) {
    case kLayoutQuadA:
      return EncodeSplitQuad(m, l.quadA, 0);
    case kLayoutQuadB:
      return EncodeSplitQuad(m, l.quadB, 1);
    case kLayoutQuadC:
      return EncodeSplitQuad(m, l.quadC, 2);
    case kLayoutQuadD:
      return EncodeSplitQuad(m, l.quadD, 3);
    case kLayoutNineA:
      return EncodeSplitNine(m, l.nineA, 0);
    case kLayoutNineB:
      return EncodeSplitNine(m, l.nineB, 1);
    case kLayoutThirteenA:
      return EncodeSplitThirteen(m, l.thirteenA, 0);
    case kLayoutThirteenB:
      return EncodeSplitThirteen(m, l.thirteenB, 1);
    case kLayoutSixteen:
      return EncodeSplitSixteen(m);
    default:
      return Encoded::Refused();
  }
}

bool SendSplitLayout(Session& s) {
  if (s.replyWait.ackPending == 1) return false;
  return SendEncoded(s, EncodeSplitLayout(s.model, s.model.selectedLayout));
}

}  // namespace korvex7
