#include "core/model/saved_fields.h"

#include <string_view>

namespace korvex7 {

namespace {

class Builder {
 public:
  explicit Builder(std::vector<SavedField>& out) : out_(out) {}

  void Int(const char* name, std::int32_t& v) {
    out_.push_back({name, FieldKind::kInt, &v, nullptr, 0});
  }
  template <std::size_t N>
  void Ints(const char* name, std::array<std::int32_t, N>& a) {
    for (std::size_t i = 0; i < N; ++i) {
      out_.push_back(
          {std::string(name) + "[" + std::to_string(i) + "]", FieldKind::kInt, &a[i], nullptr, 0});
    }
  }

 private:
  std::vector<SavedField>& out_;
};

}  // namespace

std::vector<SavedField> SavedFields(SettingsModel& m) {
  std::vector<SavedField> f;
  f.reserve(kSavedFieldCount);
  Builder b(f);
  b.Int("alarm.mode", m.alarm.mode);
  b.Int("alarm.inputPolarity", m.alarm.inputPolarity);
  f.push_back({"alarm.holdTimeText", FieldKind::kHoldTime, nullptr, m.alarm.holdTimeText.data(),
               m.alarm.holdTimeText.size()});
  b.Int("alarm.returnOn", m.alarm.returnOn);
  b.Int("alarm.display", m.alarm.display);
  b.Ints("videoLoss.detect", m.videoLoss.detect);
  b.Int("videoLoss.display", m.videoLoss.display);
  b.Int("videoLoss.signalOutput", m.videoLoss.signalOutput);
  b.Int("videoLoss.background", m.videoLoss.background);
  b.Int("dateTime.display", m.dateTime.display);
  b.Int("dateTime.displayRange", m.dateTime.displayRange);
  for (int ch = 0; ch < kChannels; ++ch) {
    auto& t = m.title.text[static_cast<std::size_t>(ch)];
    f.push_back(
        {"title.text[" + std::to_string(ch) + "]", FieldKind::kTitle, nullptr, t.data(), t.size()});
  }
  b.Int("titleDisplay.single", m.titleDisplay.single);
  b.Int("titleDisplay.split", m.titleDisplay.split);
  b.Int("fontSize.single", m.fontSize.single);
  b.Int("fontSize.split", m.fontSize.split);
  b.Ints("autoSwitch.dwellTime", m.autoSwitch.dwellTime);
  b.Int("autoSwitch.mode", m.autoSwitch.mode);
  b.Ints("videoAdjust.brightness", m.videoAdjust.brightness);
  b.Ints("videoAdjust.contrast", m.videoAdjust.contrast);
  b.Ints("videoAdjust.hue", m.videoAdjust.hue);
  b.Ints("videoAdjust.sharpness", m.videoAdjust.sharpness);
  b.Ints("videoAdjust.saturation", m.videoAdjust.saturation);
  b.Ints("videoAdjust.saturationV", m.videoAdjust.saturationV);
  b.Ints("agc.on", m.agc.on);
  b.Ints("videoFormat.format", m.videoFormat.format);
  b.Int("titlePosition.vertical", m.titlePosition.vertical);
  b.Int("titlePosition.horizontal", m.titlePosition.horizontal);
  b.Ints("splitLayout.quadA", m.splitLayout.quadA);
  b.Ints("splitLayout.quadB", m.splitLayout.quadB);
  b.Ints("splitLayout.quadC", m.splitLayout.quadC);
  b.Ints("splitLayout.quadD", m.splitLayout.quadD);
  b.Ints("splitLayout.nineA", m.splitLayout.nineA);
  b.Ints("splitLayout.nineB", m.splitLayout.nineB);
  b.Ints("splitLayout.thirteenA", m.splitLayout.thirteenA);
  b.Ints("splitLayout.thirteenB", m.splitLayout.thirteenB);
  b.Ints("splitLayout.sixteen", m.splitLayout.sixteen);
  b.Int("other.connectorInput", m.other.connectorInput);
  b.Int("other.borderLine", m.other.borderLine);
  b.Int("other.powerOnScreen", m.other.powerOnScreen);
  b.Int("other.ntscAspect", m.other.ntscAspect);
  return f;
}

const SavedField* FindSavedField(const std::vector<SavedField>& fields, std::string_view name) {
  for (const auto& f : fields) {
    if (f.name == name) return &f;
  }
  return nullptr;
}

}  // namespace korvex7
