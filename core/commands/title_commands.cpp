#include "core/commands/title_commands.h"

#include <string_view>

#include "core/commands/command_text.h"
#include "core/text/jis.h"

namespace korvex7 {

namespace {

constexpr char kFullWidthBlank[2] = {'\x81', '\x40'};
constexpr std::string_view kHexDigits = "0123456789ABCDEF";

// Any value but LARGE (1) sends SMALL.
Encoded EncodeFontSize(std::string_view keyword, std::int32_t value) {
  std::string cmd(keyword);
  cmd += kFontSizeChoices[value == 1 ? 1 : 0].code;
  cmd += kCrLf;
  return Encoded::Command(std::move(cmd));
}

Encoded EncodeOffset(std::string_view keyword, std::int32_t value) {
  if (!kTitleOffsetRange.HoldsStored(value)) return Encoded::Refused();
  std::string cmd(keyword);
  AppendDecimal(cmd, value, 2);
  cmd += kCrLf;
  return Encoded::Command(std::move(cmd));
}

}  // namespace

int PrepareTitle(const SettingsModel& m, std::int32_t channelIndex,
                 TitleWorkBuffer& titleWorkBuffer) {
  titleWorkBuffer.fill('\0');
  if (!InUnsignedRange(channelIndex, kChannels - 1)) return 0;
  const TitleText& title = m.title.text[static_cast<std::size_t>(channelIndex)];
  const std::size_t n = TextLength(title);
  for (std::size_t i = 0; i < n && i < kTitleBytes; ++i) titleWorkBuffer[i] = title[i];
  if (n > kTitleBytes || n % 2 != 0) return 0;
  for (std::size_t i = n; i < kTitleBytes; i += 2) {
    titleWorkBuffer[i] = kFullWidthBlank[0];
    titleWorkBuffer[i + 1] = kFullWidthBlank[1];
  }
  return 1;
}

Encoded EncodePreparedTitle(std::int32_t channelIndex, const TitleWorkBuffer& titleWorkBuffer) {
  if (!InUnsignedRange(channelIndex, kChannels - 1)) return Encoded::Refused();
  std::string cmd = "CJ";
  AppendDecimal(cmd, channelIndex + 1, 2);
  for (std::size_t i = 0; i < kTitleBytes; i += 2) {
    const auto first = static_cast<std::uint8_t>(titleWorkBuffer[i]);
    const auto second = static_cast<std::uint8_t>(titleWorkBuffer[i + 1]);
    const std::uint16_t jis = TitleCodeToJis(static_cast<std::uint16_t>(first * 256 + second));
    if (jis == 0) return Encoded::Refused();
    for (int shift = 12; shift >= 0; shift -= 4) cmd += kHexDigits[(jis >> shift) & 0xF];
  }
  cmd += kCrLf;
  return Encoded::Command(std::move(cmd));
}

int SendTitle(Session& s, std::int32_t channelIndex, const TitleWorkBuffer& titleWorkBuffer) {
  const Encoded e = EncodePreparedTitle(channelIndex, titleWorkBuffer);
  if (!e.ok()) return 1;
  SendCommand(s, e.text);
  return 0;
}

Encoded EncodeTitle(const SettingsModel& m, std::int32_t channelIndex) {
  TitleWorkBuffer work;
  if (PrepareTitle(m, channelIndex, work) == 0) return Encoded::Refused();
  return EncodePreparedTitle(channelIndex, work);
}

Encoded EncodeTitleDisplaySingle(const SettingsModel& m) {
  return EncodeChoice("CTDSO", kOffOnChoices, m.titleDisplay.single);
}
bool SendTitleDisplaySingle(Session& s) {
  return SendEncoded(s, EncodeTitleDisplaySingle(s.model));
}

Encoded EncodeTitleDisplaySplit(const SettingsModel& m) {
  return EncodeChoice("CTDDO", kOffOnChoices, m.titleDisplay.split);
}
bool SendTitleDisplaySplit(Session& s) { return SendEncoded(s, EncodeTitleDisplaySplit(s.model)); }

Encoded EncodeFontSizeSingle(const SettingsModel& m) {
  return EncodeFontSize("CTFSS", m.fontSize.single);
}
bool SendFontSizeSingle(Session& s) { return SendEncoded(s, EncodeFontSizeSingle(s.model)); }

Encoded EncodeFontSizeSplit(const SettingsModel& m) {
  return EncodeFontSize("CTFSD", m.fontSize.split);
}
bool SendFontSizeSplit(Session& s) { return SendEncoded(s, EncodeFontSizeSplit(s.model)); }

Encoded EncodeTitleOffsetVertical(const SettingsModel& m) {
  return EncodeOffset("OOV", m.titlePosition.vertical);
}
bool SendTitleOffsetVertical(Session& s) {
  return SendEncoded(s, EncodeTitleOffsetVertical(s.model));
}

Encoded EncodeTitleOffsetHorizontal(const SettingsModel& m) {
  return EncodeOffset("OOH", m.titlePosition.horizontal);
}
bool SendTitleOffsetHorizontal(Session& s) {
  return SendEncoded(s, EncodeTitleOffsetHorizontal(s.model));
}

}  // namespace korvex7
