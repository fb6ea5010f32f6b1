// Test helpers: a model whose every field holds a value no reply can produce,
// and the list of fields in which two models differ. Comparing through the
// list shows both that a decoder wrote its own fields and that it wrote
// nothing else.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "core/model/saved_fields.h"
#include "core/model/settings_model.h"

namespace korvex7::testing_support {

// Every saved integer gets 5000 + its file position, every title the text
// "Tnn" padded with 'x' to 20 bytes, the hold time "xyz"/777.
inline SettingsModel MarkedModel() {
  SettingsModel m;
  std::vector<SavedField> fields = SavedFields(m);
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (fields[i].kind == FieldKind::kInt) *fields[i].integer = 5000 + static_cast<int>(i);
  }
  for (int ch = 0; ch < kChannels; ++ch) {
    std::string t = "T" + std::to_string(ch + 1);
    t.resize(kTitleBytes, 'x');
    SetText(m.title.text[static_cast<std::size_t>(ch)], t);
  }
  SetText(m.alarm.holdTimeText, "xyz");
  m.alarm.holdTime = 777;
  return m;
}

// Names of the fields in which `a` and `b` differ: the saved fields by their
// file names, then the unsaved ones.
inline std::vector<std::string> ChangedFields(SettingsModel a, SettingsModel b) {
  std::vector<std::string> changed;
  bool savedDiffer = false;
  const std::vector<SavedField> fa = SavedFields(a);
  const std::vector<SavedField> fb = SavedFields(b);
  for (std::size_t i = 0; i < fa.size(); ++i) {
    const bool same = fa[i].kind == FieldKind::kInt
                          ? *fa[i].integer == *fb[i].integer
                          : std::memcmp(fa[i].text, fb[i].text, fa[i].textSize) == 0;
    if (!same) changed.push_back(fa[i].name);
    savedDiffer = savedDiffer || !same;
  }
  auto check = [&](bool same, const char* name) {
    if (!same) changed.emplace_back(name);
  };
  check(a.alarm.holdTime == b.alarm.holdTime, "alarm.holdTime");
  check(a.titleDisplay.perLayout == b.titleDisplay.perLayout, "titleDisplay.perLayout");
  check(a.fontSize.perLayout == b.fontSize.perLayout, "fontSize.perLayout");
  check(a.screenSwitch.picture == b.screenSwitch.picture, "screenSwitch.picture");
  check(a.link.comPort == b.link.comPort && a.link.mode == b.link.mode &&
            a.link.slaveAddress == b.link.slaveAddress,
        "link");
  check(a.selectedChannel == b.selectedChannel && a.selectedLayout == b.selectedLayout &&
            a.selectedSwitchEntry == b.selectedSwitchEntry,
        "selection");
  check(a.document.fileName == b.document.fileName && a.document.modified == b.document.modified,
        "document");
  // The saved-field comparison of the model itself must agree with the list.
  if (SavedFieldsEqual(a, b) == savedDiffer) changed.emplace_back("<SavedFieldsEqual disagrees>");
  return changed;
}

// The names "prefix[0]" .. "prefix[n-1]".
inline std::vector<std::string> Indexed(const std::string& prefix, int n) {
  std::vector<std::string> names;
  for (int i = 0; i < n; ++i) names.push_back(prefix + "[" + std::to_string(i) + "]");
  return names;
}

// Sixteen fixed-width numbers in a row, as the unit sends a per-channel table.
inline std::string Numbers(const std::vector<int>& values, int width) {
  std::string s;
  for (int v : values) {
    std::string digits = std::to_string(v);
    s += std::string(static_cast<std::size_t>(width) - digits.size(), '0') + digits;
  }
  return s;
}

}  // namespace korvex7::testing_support
