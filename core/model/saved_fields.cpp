#include "core/model/saved_fields.h"

#include <algorithm>
#include <array>
#include <utility>

namespace korvex7 {

namespace {

// Where a member of the model lies, by its type: a scalar, an array of
// integers, one fixed text or an array of them.
SettingValues ValuesOf(std::int32_t& v) { return SettingValues{std::span(&v, 1)}; }

template <std::size_t N>
SettingValues ValuesOf(std::array<std::int32_t, N>& a) {
  SettingValues v{std::span<std::int32_t>(a)};
  v.array = true;
  return v;
}

template <std::size_t N>
SettingValues ValuesOf(std::array<char, N>& t) {
  return SettingValues{{}, t.data(), N, sizeof t, 1, false};
}

template <std::size_t N, std::size_t M>
SettingValues ValuesOf(std::array<std::array<char, N>, M>& t) {
  return SettingValues{{}, t[0].data(), N, sizeof t[0], M, true};
}

using Locate = SettingValues (*)(SettingsModel&);

// How many values a member of the model holds: one for a scalar or a text,
// N for an array of N.
template <typename T>
constexpr std::size_t kValueCount = 1;
template <std::size_t N>
constexpr std::size_t kValueCount<std::array<std::int32_t, N>> = N;
template <std::size_t N, std::size_t M>
constexpr std::size_t kValueCount<std::array<std::array<char, N>, M>> = M;

// A member of the model: its name, the way to it and how many values it
// holds.
struct Member {
  std::string_view name;
  Locate in;
  std::size_t count;
};

// The name of a setting is the path of its member in SettingsModel, written
// once: SAVED(alarm.mode) is the name "alarm.mode", the way to m.alarm.mode
// and its one value.
#define SAVED(path)                                                                                \
  Member {                                                                                         \
#path, [](SettingsModel &                                                                      \
              m) { return ValuesOf(m.path); }, kValueCount <                                       \
                                                   decltype(std::declval <SettingsModel&>().path)> \
  }

constexpr SavedSetting Choices(Member m, std::span<const Choice> choices, std::string_view help) {
  return SavedSetting{m.name, m.in, m.count, ValueForm::kChoice, choices, {}, false, help};
}

constexpr SavedSetting Number(Member m, NumberRange range, std::string_view help) {
  return SavedSetting{m.name, m.in, m.count, ValueForm::kNumber, {}, range, false, help};
}

constexpr SavedSetting AnyNumber(Member m, std::string_view help) {
  return SavedSetting{m.name, m.in, m.count, ValueForm::kNumber, {}, {}, true, help};
}

constexpr SavedSetting Form(ValueForm form, Member m, std::string_view help) {
  return SavedSetting{m.name, m.in, m.count, form, {}, {}, false, help};
}

// The settings file's order.
constexpr SavedSetting kSettings[] = {
    Choices(SAVED(alarm.mode), kAlarmModeChoices, "alarm mode"),
    Choices(SAVED(alarm.inputPolarity), kAlarmPolarityChoices, "alarm input polarity"),
    Form(ValueForm::kHoldTime, SAVED(alarm.holdTimeText), "alarm hold time in seconds"),
    Choices(SAVED(alarm.returnOn), kOffOnChoices, "alarm return"),
    Choices(SAVED(alarm.display), kOffOnChoices, "alarm shown on screen"),
    Choices(SAVED(videoLoss.detect), kOffOnChoices, "video-loss detection per channel"),
    Choices(SAVED(videoLoss.display), kOffOnChoices, "video loss shown on screen"),
    Choices(SAVED(videoLoss.signalOutput), kOffOnChoices, "video loss on the signal output"),
    Choices(SAVED(videoLoss.background), kVideoLossBackgroundChoices,
            "background of a lost channel"),
    Choices(SAVED(dateTime.display), kOffOnChoices, "date and time shown on screen"),
    Choices(SAVED(dateTime.displayRange), kDisplayRangeChoices,
            "date and time components shown (y m d h m s)"),
    Form(ValueForm::kTitle, SAVED(title.text), "channel title, up to 10 full-width characters"),
    Choices(SAVED(titleDisplay.single), kOffOnChoices, "titles on the single screen"),
    Choices(SAVED(titleDisplay.split), kOffOnChoices, "titles on split screens"),
    Choices(SAVED(fontSize.single), kFontSizeChoices, "title font on the single screen"),
    Choices(SAVED(fontSize.split), kFontSizeChoices, "title font on split screens"),
    Number(SAVED(autoSwitch.dwellTime), kDwellTimeRange,
           "dwell time in seconds: channels 1-16, then 4A..16"),
    Choices(SAVED(autoSwitch.mode), kAutoSwitchModeChoices, "auto switching sequence"),
    Number(SAVED(videoAdjust.brightness), kBrightnessRange, "brightness"),
    Number(SAVED(videoAdjust.contrast), kContrastRange, "contrast"),
    Number(SAVED(videoAdjust.hue), kHueRange, "hue"),
    Number(SAVED(videoAdjust.sharpness), kSharpnessRange, "sharpness"),
    Number(SAVED(videoAdjust.saturation), kSaturationRange, "saturation"),
    AnyNumber(SAVED(videoAdjust.saturationV),
              "second saturation value, kept in settings files only"),
    Choices(SAVED(agc.on), kOffOnChoices, "automatic gain control per channel"),
    Choices(SAVED(videoFormat.format), kVideoFormatChoices, "input video format per channel"),
    Number(SAVED(titlePosition.vertical), kTitleOffsetRange, "vertical title offset"),
    Number(SAVED(titlePosition.horizontal), kTitleOffsetRange, "horizontal title offset"),
    Form(ValueForm::kChannel, SAVED(splitLayout.quadA),
         "4-way split A, channel per screen position"),
    Form(ValueForm::kChannel, SAVED(splitLayout.quadB), "4-way split B"),
    Form(ValueForm::kChannel, SAVED(splitLayout.quadC), "4-way split C"),
    Form(ValueForm::kChannel, SAVED(splitLayout.quadD), "4-way split D"),
    Form(ValueForm::kChannel, SAVED(splitLayout.nineA), "9-way split A"),
    Form(ValueForm::kChannel, SAVED(splitLayout.nineB), "9-way split B"),
    Form(ValueForm::kChannel, SAVED(splitLayout.thirteenA), "13-way split A"),
    Form(ValueForm::kChannel, SAVED(splitLayout.thirteenB), "13-way split B"),
    Form(ValueForm::kChannel, SAVED(splitLayout.sixteen), "16-way split"),
    Choices(SAVED(other.connectorInput), kConnectorInputChoices, "connector input use"),
    Choices(SAVED(other.borderLine), kBorderLineChoices, "border line colour"),
    Choices(SAVED(other.powerOnScreen), kPictureChoices, "screen shown after power-on"),
    Choices(SAVED(other.ntscAspect), kNtscAspectChoices, "NTSC aspect ratio"),
};

#undef SAVED

constexpr std::size_t CountValues() {
  std::size_t n = 0;
  for (const SavedSetting& s : kSettings) n += s.count;
  return n;
}

std::string_view BaseName(std::string_view fieldName) {
  return fieldName.substr(0, fieldName.find('['));
}

}  // namespace

extern constinit const std::size_t kSavedFieldCount = CountValues();

std::span<const SavedSetting> SavedSettings() { return kSettings; }

const SavedSetting* FindSavedSetting(std::string_view fieldName) {
  const std::string_view base = BaseName(fieldName);
  for (const SavedSetting& s : kSettings) {
    if (s.name == base) return &s;
  }
  return nullptr;
}

std::vector<SavedField> SavedFields(SettingsModel& m) {
  std::vector<SavedField> fields;
  fields.reserve(kSavedFieldCount);
  for (const SavedSetting& s : kSettings) {
    const SettingValues v = s.in(m);
    for (std::size_t i = 0; i < v.Count(); ++i) {
      SavedField f{std::string(s.name), s.kind()};
      if (v.array) f.name += "[" + std::to_string(i) + "]";
      if (v.text != nullptr) {
        f.text = v.Text(i);
        f.textSize = v.textSize;
      } else {
        f.integer = &v.ints[i];
      }
      fields.push_back(std::move(f));
    }
  }
  return fields;
}

// New and the comparison of two models walk the table: what it lists is what
// they reset and compare.
void ResetSettings(SettingsModel& model) {
  SettingsModel defaults;
  for (const SavedSetting& setting : SavedSettings()) {
    const SettingValues from = setting.in(defaults);
    const SettingValues to = setting.in(model);
    std::copy(from.ints.begin(), from.ints.end(), to.ints.begin());
    for (std::size_t i = 0; i < from.texts; ++i) {
      std::copy_n(from.Text(i), from.textSize, to.Text(i));
    }
  }
  model.alarm.holdTime = defaults.alarm.holdTime;  // the value of the hold-time text
  model.other.borderLine = 0;                      // New differs from start-up only here
}

bool SavedFieldsEqual(const SettingsModel& a, const SettingsModel& b) {
  // The table hands out writable places: it looks at copies.
  SettingsModel x = a;
  SettingsModel y = b;
  for (const SavedSetting& setting : SavedSettings()) {
    const SettingValues vx = setting.in(x);
    const SettingValues vy = setting.in(y);
    if (!std::equal(vx.ints.begin(), vx.ints.end(), vy.ints.begin())) return false;
    for (std::size_t i = 0; i < vx.texts; ++i) {
      if (!std::equal(vx.Text(i), vx.Text(i) + vx.textSize, vy.Text(i))) return false;
    }
  }
  return true;
}

const SavedField* FindSavedField(const std::vector<SavedField>& fields, std::string_view name) {
  for (const auto& f : fields) {
    if (f.name == name) return &f;
  }
  return nullptr;
}

}  // namespace korvex7
