// SettingsModel: the one in-memory record of every setting of the unit.
//
// Every field is a 32-bit signed integer, an array of them indexed by channel
// (0 = channel 1 ... 15 = channel 16) or a fixed code-page-932 text. A choice is
// stored as the index of the choice, never as its wire letter. The record also
// carries the document state and the unsaved user-interface state that dialogs
// keep between openings.
//
// The model belongs to one thread (the user-interface thread in the program);
// it carries no lock of its own.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvex7 {

inline constexpr int kChannels = 16;
inline constexpr int kTitleBytes = 20;                // a title holds up to 20 bytes
using TitleText = std::array<char, kTitleBytes + 1>;  // plus the terminating NUL
using HoldTimeText = std::array<char, 4>;             // three digits plus NUL
using ChannelInts = std::array<std::int32_t, kChannels>;

// Picture numbers shared by the power-on screen, the auto-switching entries
// and screen switching.
inline constexpr int kPictureFirstSplit = 16;  // 16..24: 4A,4B,4C,4D,9A,9B,13A,13B,16
inline constexpr int kPictureAutoSequence = 25;
inline constexpr int kPictureCount = 26;

// Split layouts in the fixed order the dialogs, the commands and the file share.
enum SplitLayoutIndex : int {
  kLayoutQuadA = 0,
  kLayoutQuadB,
  kLayoutQuadC,
  kLayoutQuadD,
  kLayoutNineA,
  kLayoutNineB,
  kLayoutThirteenA,
  kLayoutThirteenB,
  kLayoutSixteen,
  kLayoutCount
};

enum LinkMode : int { kLinkRs232c = 0, kLinkRs485 = 1 };
inline constexpr int kBroadcastAddress = 32;  // link.slaveAddress value for "FF"
inline constexpr int kMaxUnitAddress = 31;

struct SettingsModel {
  // Serial port, line mode and selected slave address (not saved in the
  // settings file; the first two persist in the profile file).
  struct Link {
    std::int32_t comPort = 0;  // 0..5 = COM1..COM6
    std::int32_t mode = kLinkRs232c;
    std::int32_t slaveAddress = 0;  // 0..31, 32 = Broadcast
  } link;

  struct Alarm {
    std::int32_t mode = 0;  // 0 internal (内部), 1 external (外部)
    std::int32_t inputPolarity = 0;
    HoldTimeText holdTimeText{'0', '3', '0', '\0'};
    std::int32_t holdTime = 30;  // not saved; rebuilt from the text on send
    std::int32_t returnOn = 1;
    std::int32_t display = 1;
  } alarm;

  struct VideoLoss {
    ChannelInts detect = Filled(1);
    std::int32_t display = 1;
    std::int32_t signalOutput = 0;
    std::int32_t background = 0;  // 0 NORMAL, 1 BLUE
  } videoLoss;

  struct DateTime {
    std::int32_t display = 1;
    std::int32_t displayRange = 0;  // 0..7
  } dateTime;

  struct Title {
    std::array<TitleText, kChannels> text = DefaultTitles();
  } title;

  struct TitleDisplay {
    std::int32_t single = 1;
    std::int32_t split = 1;
    // Per-layout switches kept by the unit's title dialogs; neither saved in
    // the file nor reset by New.
    std::array<std::int32_t, 3> perLayout{1, 1, 1};
  } titleDisplay;

  struct FontSize {
    std::int32_t single = 1;  // 0 SMALL, 1 LARGE
    std::int32_t split = 1;
    // Per-layout split-screen font sizes; neither saved nor reset by New.
    std::array<std::int32_t, 3> perLayout{1, 1, 0};
  } fontSize;

  struct TitlePosition {
    std::int32_t vertical = 8;    // 0..15
    std::int32_t horizontal = 8;  // 0..15
  } titlePosition;

  struct AutoSwitch {
    std::array<std::int32_t, 25> dwellTime = FilledN<25>(3);  // 0..99 s
    std::int32_t mode = 2;                                    // 0..2
  } autoSwitch;

  struct ScreenSwitch {
    std::int32_t picture = 0;  // 0..25, not saved
  } screenSwitch;

  struct SplitLayout {
    std::array<std::int32_t, 4> quadA{0, 1, 2, 3};
    std::array<std::int32_t, 4> quadB{4, 5, 6, 7};
    std::array<std::int32_t, 4> quadC{8, 9, 10, 11};
    std::array<std::int32_t, 4> quadD{12, 13, 14, 15};
    std::array<std::int32_t, 9> nineA{0, 1, 2, 3, 4, 5, 6, 7, 8};
    std::array<std::int32_t, 9> nineB{7, 8, 9, 10, 11, 12, 13, 14, 15};
    std::array<std::int32_t, 13> thirteenA{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    std::array<std::int32_t, 13> thirteenB{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 13, 14, 15};
    std::array<std::int32_t, 16> sixteen{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
  } splitLayout;

  struct VideoAdjust {
    ChannelInts brightness = Filled(64);
    ChannelInts contrast = Filled(64);
    ChannelInts hue = Filled(124);
    ChannelInts sharpness = Filled(0);
    ChannelInts saturation = Filled(80);
    ChannelInts saturationV = Filled(80);
  } videoAdjust;

  struct Agc {
    ChannelInts on = Filled(1);
  } agc;

  struct VideoFormat {
    ChannelInts format = Filled(2);
  } videoFormat;

  struct Other {
    std::int32_t connectorInput = 0;
    std::int32_t borderLine = 3;  // 3 at start-up, 0 after New
    std::int32_t powerOnScreen = 24;
    std::int32_t ntscAspect = 0;
  } other;

  // User-interface state shared between dialog openings; never saved, never
  // reset by New.
  std::int32_t selectedChannel = 0;      // title and video adjustment dialogs; -1 = none
  std::int32_t selectedLayout = 0;       // split-screen layout dialog, 0..8
  std::int32_t selectedSwitchEntry = 0;  // auto-switching dialog entry position

  struct Document {
    std::string fileName;  // full path (UTF-8) of the file last opened or saved; empty = untitled
    std::int32_t modified = 0;
  } document;

  // Helpers for the default initialisers above.
  static constexpr ChannelInts Filled(std::int32_t v) { return FilledN<kChannels>(v); }
  template <std::size_t N>
  static constexpr std::array<std::int32_t, N> FilledN(std::int32_t v) {
    std::array<std::int32_t, N> a{};
    for (auto& e : a) e = v;
    return a;
  }
  static std::array<TitleText, kChannels> DefaultTitles();
};

// The default title of channel index 0..15: three full-width blanks, "ＣＨ",
// the channel number in full-width digits, three full-width blanks (20 bytes,
// code page 932).
TitleText DefaultTitle(int channelIndex);

// Both walk the saved-field table (saved_fields.h, where they are defined).
//
// ResetSettings stores the default of every saved field (with
// other.borderLine = 0): among them the hold time "030" and the default
// titles; alarm.holdTime follows as 30. Leaves the document state, the link
// group and the unsaved user-interface state untouched. Used by New.
void ResetSettings(SettingsModel& model);

// True when every saved field (the 282 values of the settings file) is equal.
bool SavedFieldsEqual(const SettingsModel& a, const SettingsModel& b);

// Length of a NUL-terminated fixed text.
template <std::size_t N>
std::size_t TextLength(const std::array<char, N>& t) {
  std::size_t n = 0;
  while (n < N && t[n] != '\0') ++n;
  return n;
}

// Stores text into a fixed field, truncated to fit and always terminated.
template <std::size_t N>
void SetText(std::array<char, N>& field, std::string_view text) {
  field.fill('\0');
  for (std::size_t i = 0; i < text.size() && i + 1 < N; ++i) field[i] = text[i];
}

template <std::size_t N>
std::string_view TextView(const std::array<char, N>& t) {
  return std::string_view(t.data(), TextLength(t));
}

}  // namespace korvex7
