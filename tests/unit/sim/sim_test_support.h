// Shared pieces of the simulator tests: a unit state whose every setting
// differs from the start-up defaults, and a comparison that names the fields
// that differ.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "core/model/saved_fields.h"
#include "tests/support/temp_dir.h"
#include "tools/sim/command_layouts.h"

namespace korvex7::sim::simtest {

// Full-width "ＡＢ" followed by eight full-width blanks in JIS X 0208.
inline constexpr const char* kVariedTitleHex = "2341234221212121212121212121212121212121";

// Code page 932 text of a title made of full-width letters: ＡＢ..., `n` letters.
inline TitleText FullWidthLetters(int n, int first = 0) {
  std::string t;
  for (int i = 0; i < n; ++i) {
    t += '\x82';
    t += static_cast<char>(0x60 + (first + i) % 26);  // Ａ is 0x82 0x60
  }
  TitleText out{};
  SetText(out, t);
  return out;
}

// Every saved setting holds a valid value other than its default, so that
// a command that writes its default value still shows.
inline UnitState VariedState() {
  UnitState u;
  SettingsModel& m = u.settings;
  m.alarm.mode = 1;
  m.alarm.inputPolarity = 1;
  SetText(m.alarm.holdTimeText, "123");
  m.alarm.holdTime = 123;
  m.alarm.returnOn = 0;
  m.alarm.display = 0;
  for (int i = 0; i < kChannels; ++i) {
    const auto k = static_cast<std::size_t>(i);
    m.videoLoss.detect[k] = 0;
    m.videoAdjust.brightness[k] = 10 + i;
    m.videoAdjust.contrast[k] = 100 + i;
    m.videoAdjust.hue[k] = 200 + i;
    m.videoAdjust.sharpness[k] = 31 - i;
    m.videoAdjust.saturation[k] = 20 + i;
    m.agc.on[k] = 0;
    m.videoFormat.format[k] = i % 2 == 0 ? 6 : 0;
    m.title.text[k] = FullWidthLetters(10, i);
  }
  m.videoLoss.display = 0;
  m.videoLoss.signalOutput = 1;
  m.videoLoss.background = 1;
  m.dateTime.display = 0;
  m.dateTime.displayRange = 5;
  m.titleDisplay.single = 0;
  m.titleDisplay.split = 0;
  m.fontSize.single = 0;
  m.fontSize.split = 0;
  m.titlePosition.vertical = 15;
  m.titlePosition.horizontal = 0;
  for (std::size_t i = 0; i < m.autoSwitch.dwellTime.size(); ++i) {
    m.autoSwitch.dwellTime[i] = static_cast<std::int32_t>(40 + i);
  }
  m.autoSwitch.mode = 1;
  // Each split layout reversed.
  auto reverse = [](auto& a) {
    for (std::size_t i = 0; i < a.size() / 2; ++i) std::swap(a[i], a[a.size() - 1 - i]);
  };
  reverse(m.splitLayout.quadA);
  reverse(m.splitLayout.quadB);
  reverse(m.splitLayout.quadC);
  reverse(m.splitLayout.quadD);
  reverse(m.splitLayout.nineA);
  reverse(m.splitLayout.nineB);
  reverse(m.splitLayout.thirteenA);
  reverse(m.splitLayout.thirteenB);
  reverse(m.splitLayout.sixteen);
  m.other.connectorInput = 1;
  m.other.borderLine = 1;
  m.other.powerOnScreen = 7;
  m.other.ntscAspect = 1;
  m.screenSwitch.picture = 7;
  u.clock = UnitClock{11, 11, 11, 11, 11, 11};
  return u;
}

inline std::string FieldText(const SavedField& f) {
  if (f.kind == FieldKind::kInt) return std::to_string(*f.integer);
  return std::string(f.text, strnlen(f.text, f.textSize));
}

// The names of the saved fields whose values differ, with both values.
inline std::vector<std::string> DifferingSettings(SettingsModel a, SettingsModel b) {
  std::vector<std::string> out;
  const auto fa = SavedFields(a);
  const auto fb = SavedFields(b);
  for (std::size_t i = 0; i < fa.size(); ++i) {
    const std::string va = FieldText(fa[i]);
    const std::string vb = FieldText(fb[i]);
    if (va != vb) out.push_back(fa[i].name + ": " + va + " / " + vb);
  }
  return out;
}

// Everything the unit holds that differs: the saved settings, the hold time
// number, the picture shown, the clock and its adjustment count.
inline std::vector<std::string> DifferingState(const UnitState& a, const UnitState& b) {
  std::vector<std::string> out = DifferingSettings(a.settings, b.settings);
  if (a.settings.alarm.holdTime != b.settings.alarm.holdTime) out.push_back("alarm.holdTime");
  if (a.settings.screenSwitch.picture != b.settings.screenSwitch.picture) {
    out.push_back("screenSwitch.picture: " + std::to_string(a.settings.screenSwitch.picture) +
                  " / " + std::to_string(b.settings.screenSwitch.picture));
  }
  if (!(a.clock == b.clock)) out.push_back("clock");
  if (a.clockAdjustments != b.clockAdjustments) out.push_back("clockAdjustments");
  return out;
}

inline std::string Join(const std::vector<std::string>& items) {
  std::string s;
  for (const auto& i : items) s += i + "\n";
  return s;
}

inline std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

using testing_support::TempDir;

}  // namespace korvex7::sim::simtest
