#include "tools/ctl/field_values.h"

#include <array>
#include <charconv>
#include <limits>

#include "core/commands/agc_format_commands.h"
#include "core/commands/auto_switch_commands.h"
#include "core/commands/title_commands.h"
#include "core/commands/video_adjust_commands.h"
#include "core/link/status_timer.h"
#include "tools/ctl/text_codec.h"

namespace korvex7::ctl {

namespace {

// ---------------------------------------------------------------------------
// Choice tables. The first name is the one shown; the aliases are the list
// items of the program's dialogs, so an operator may type either.

constexpr Choice kOnOff[] = {{0, "off", "OFF"}, {1, "on", "ON"}};
constexpr Choice kAlarmMode[] = {{0, "internal", "内部"}, {1, "external", "外部"}};
constexpr Choice kPolarity[] = {{0, "make", "メイク"}, {1, "break", "ブレイク"}};
constexpr Choice kBackground[] = {{0, "normal", ""}, {1, "blue", ""}};
constexpr Choice kDisplayRange[] = {
    {0, "ymdhms", "年月日時分秒"},        {1, "ymdhm", "年月日時分　|年月日時分"},
    {2, "ymd", "年月日　　　|年月日"},    {3, "mdhms", "　月日時分秒|月日時分秒"},
    {4, "mdhm", "　月日時分　|月日時分"}, {5, "md", "　月日　　　|月日"},
    {6, "hms", "　　　時分秒|時分秒"},    {7, "hm", "　　　時分　|時分"},
};
constexpr Choice kFontSize[] = {{0, "small", ""}, {1, "large", ""}};
constexpr Choice kAutoSwitchMode[] = {{0, "single", ""}, {1, "division", ""}, {2, "mix", ""}};
constexpr Choice kVideoFormat[] = {
    {0, "ahd1080", "AHD 1080"}, {1, "ahd720", "AHD  720"},  {2, "tvi1080", "TVI 1080"},
    {3, "tvi720", "TVI  720"},  {4, "cvi1080", "CVI 1080"}, {5, "cvi720", "CVI  720"},
    {6, "ntsc", "NTSC    "},
};
constexpr Choice kConnectorInput[] = {{0, "alarm", "アラーム"}, {1, "remote", "リモート"}};
constexpr Choice kBorderLine[] = {
    {0, "off", "OFF"}, {1, "white", "白"}, {2, "grey", "gray|灰色"}, {3, "black", "黒"}};
constexpr Choice kNtscAspect[] = {{0, "4:3", "4:3 "}, {1, "full", "FULL"}};
constexpr Choice kPictures[] = {
    {0, "ch.01", "ch01|ch1"},
    {1, "ch.02", "ch02|ch2"},
    {2, "ch.03", "ch03|ch3"},
    {3, "ch.04", "ch04|ch4"},
    {4, "ch.05", "ch05|ch5"},
    {5, "ch.06", "ch06|ch6"},
    {6, "ch.07", "ch07|ch7"},
    {7, "ch.08", "ch08|ch8"},
    {8, "ch.09", "ch09|ch9"},
    {9, "ch.10", "ch10"},
    {10, "ch.11", "ch11"},
    {11, "ch.12", "ch12"},
    {12, "ch.13", "ch13"},
    {13, "ch.14", "ch14"},
    {14, "ch.15", "ch15"},
    {15, "ch.16", "ch16"},
    {16, "split4A", "4A|4分割A"},
    {17, "split4B", "4B|4分割B"},
    {18, "split4C", "4C|4分割C"},
    {19, "split4D", "4D|4分割D"},
    {20, "split9A", "9A|9分割A"},
    {21, "split9B", "9B|9分割B"},
    {22, "split13A", "13A|13分割A"},
    {23, "split13B", "13B|13分割B"},
    {24, "split16", "16-way|16分割"},
    {25, "auto", "自動切換え"},
};

// ---------------------------------------------------------------------------
// Single-entry commands: the unit has them for the video adjustments (one
// channel), the video format (one channel) and the dwell times (one entry).

template <Encoded (*Encode)(const SettingsModel&, std::int32_t),
          ChannelInts SettingsModel::VideoAdjust::*Table>
Encoded EncodeAdjustEntry(const SettingsModel& m, int index) {
  SettingsModel copy = m;
  copy.selectedChannel = index;  // the single-channel commands carry the selected channel
  return Encode(copy, (m.videoAdjust.*Table)[static_cast<std::size_t>(index)]);
}

Encoded EncodeFormatEntry(const SettingsModel& m, int index) {
  return EncodeVideoFormatChannel(m, index, m.videoFormat.format[static_cast<std::size_t>(index)]);
}

Encoded EncodeDwellEntry(const SettingsModel& m, int index) {
  return EncodeAutoSwitchEntry(m, index, m.autoSwitch.dwellTime[static_cast<std::size_t>(index)]);
}

// ---------------------------------------------------------------------------
// The family table, in the order of the settings file. `step` is the index
// of the send-all step and of the read-all query, which run in the same order.

FieldFamily Family(std::string_view name, ValueForm form) {
  FieldFamily f;
  f.name = name;
  f.form = form;
  return f;
}

FieldFamily Choices(std::string_view name, std::span<const Choice> choices, int step,
                    std::string_view help) {
  FieldFamily f = Family(name, ValueForm::kChoice);
  f.choices = choices;
  f.step = step;
  f.help = help;
  return f;
}

FieldFamily Number(std::string_view name, std::int32_t min, std::int32_t max, std::int32_t offset,
                   int step, std::string_view help) {
  FieldFamily f = Family(name, ValueForm::kNumber);
  f.min = min;
  f.max = max;
  f.offset = offset;
  f.step = step;
  f.help = help;
  return f;
}

FieldFamily WithEntries(FieldFamily f, EntryEncoder encoder, bool stepCarriesAll = true) {
  f.entryEncoder = encoder;
  f.stepCarriesAllEntries = stepCarriesAll;
  return f;
}

FieldFamily Channels(std::string_view name, int step, std::string_view help) {
  FieldFamily f = Family(name, ValueForm::kChannel);
  f.step = step;
  f.help = help;
  return f;
}

std::vector<FieldFamily> BuildFamilies() {
  std::vector<FieldFamily> t;
  t.push_back(Choices("alarm.mode", kAlarmMode, 0, "alarm mode"));
  t.push_back(Choices("alarm.inputPolarity", kPolarity, 2, "alarm input polarity"));
  {
    FieldFamily f = Family("alarm.holdTimeText", ValueForm::kHoldTime);
    f.step = 1;
    f.help = "alarm hold time in seconds";
    t.push_back(f);
  }
  t.push_back(Choices("alarm.returnOn", kOnOff, 4, "alarm return"));
  t.push_back(Choices("alarm.display", kOnOff, 3, "alarm shown on screen"));
  t.push_back(Choices("videoLoss.detect", kOnOff, 5, "video-loss detection per channel"));
  t.push_back(Choices("videoLoss.display", kOnOff, 6, "video loss shown on screen"));
  t.push_back(Choices("videoLoss.signalOutput", kOnOff, 7, "video loss on the signal output"));
  t.push_back(Choices("videoLoss.background", kBackground, 8, "background of a lost channel"));
  t.push_back(Choices("dateTime.display", kOnOff, 10, "date and time shown on screen"));
  t.push_back(Choices("dateTime.displayRange", kDisplayRange, 9,
                      "date and time components shown (y m d h m s)"));
  {
    FieldFamily f = Family("title.text", ValueForm::kTitle);
    f.step = 11;
    f.stepPerEntry = true;
    f.help = "channel title, up to 10 full-width characters";
    t.push_back(f);
  }
  t.push_back(Choices("titleDisplay.single", kOnOff, 27, "titles on the single screen"));
  t.push_back(Choices("titleDisplay.split", kOnOff, 28, "titles on split screens"));
  t.push_back(Choices("fontSize.single", kFontSize, 29, "title font on the single screen"));
  t.push_back(Choices("fontSize.split", kFontSize, 30, "title font on split screens"));
  t.push_back(WithEntries(Number("autoSwitch.dwellTime", 0, 99, 0, 31,
                                 "dwell time in seconds: channels 1-16, then 4A..16"),
                          EncodeDwellEntry, false));
  t.push_back(Choices("autoSwitch.mode", kAutoSwitchMode, 32, "auto switching sequence"));
  t.push_back(
      WithEntries(Number("videoAdjust.brightness", -64, 63, 64, 33, "brightness"),
                  EncodeAdjustEntry<EncodeBrightness, &SettingsModel::VideoAdjust::brightness>));
  t.push_back(
      WithEntries(Number("videoAdjust.contrast", 0, 127, 0, 34, "contrast"),
                  EncodeAdjustEntry<EncodeContrast, &SettingsModel::VideoAdjust::contrast>));
  t.push_back(WithEntries(Number("videoAdjust.hue", -124, 127, 124, 37, "hue"),
                          EncodeAdjustEntry<EncodeHue, &SettingsModel::VideoAdjust::hue>));
  t.push_back(
      WithEntries(Number("videoAdjust.sharpness", 0, 31, 0, 35, "sharpness"),
                  EncodeAdjustEntry<EncodeSharpness, &SettingsModel::VideoAdjust::sharpness>));
  t.push_back(
      WithEntries(Number("videoAdjust.saturation", 0, 127, 0, 36, "saturation"),
                  EncodeAdjustEntry<EncodeSaturation, &SettingsModel::VideoAdjust::saturation>));
  {
    FieldFamily f = Number("videoAdjust.saturationV", std::numeric_limits<std::int32_t>::min(),
                           std::numeric_limits<std::int32_t>::max(), 0, -1,
                           "second saturation value, kept in settings files only");
    f.unbounded = true;
    t.push_back(f);
  }
  t.push_back(Choices("agc.on", kOnOff, 38, "automatic gain control per channel"));
  t.push_back(
      WithEntries(Choices("videoFormat.format", kVideoFormat, 39, "input video format per channel"),
                  EncodeFormatEntry));
  t.push_back(Number("titlePosition.vertical", 0, 15, 0, 40, "vertical title offset"));
  t.push_back(Number("titlePosition.horizontal", 0, 15, 0, 41, "horizontal title offset"));
  t.push_back(Channels("splitLayout.quadA", 42, "4-way split A, channel per screen position"));
  t.push_back(Channels("splitLayout.quadB", 43, "4-way split B"));
  t.push_back(Channels("splitLayout.quadC", 44, "4-way split C"));
  t.push_back(Channels("splitLayout.quadD", 45, "4-way split D"));
  t.push_back(Channels("splitLayout.nineA", 46, "9-way split A"));
  t.push_back(Channels("splitLayout.nineB", 47, "9-way split B"));
  t.push_back(Channels("splitLayout.thirteenA", 48, "13-way split A"));
  t.push_back(Channels("splitLayout.thirteenB", 49, "13-way split B"));
  t.push_back(Channels("splitLayout.sixteen", 50, "16-way split"));
  t.push_back(Choices("other.connectorInput", kConnectorInput, 51, "connector input use"));
  t.push_back(Choices("other.borderLine", kBorderLine, 52, "border line colour"));
  t.push_back(Choices("other.powerOnScreen", kPictures, 53, "screen shown after power-on"));
  t.push_back(Choices("other.ntscAspect", kNtscAspect, 54, "NTSC aspect ratio"));
  return t;
}

const std::vector<FieldFamily>& Families() {
  static const std::vector<FieldFamily> families = BuildFamilies();
  return families;
}

std::string_view BaseName(std::string_view fieldName) {
  const std::size_t bracket = fieldName.find('[');
  return bracket == std::string_view::npos ? fieldName : fieldName.substr(0, bracket);
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Letter case and ASCII blanks do not count: "AHD 1080" is "ahd1080".
std::string Folded(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c != ' ') out += Lower(c);
  }
  return out;
}

std::optional<std::int64_t> ParseInteger(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty() || text.front() == '+') return std::nullopt;
  std::int64_t value = 0;
  const char* last = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), last, value);
  if (ec == std::errc::result_out_of_range) return std::numeric_limits<std::int64_t>::max();
  if (ec != std::errc() || ptr != last) return std::nullopt;
  return value;
}

bool IsHoldTime(std::string_view text) {
  if (text.empty() || text.size() > 3) return false;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return value >= 1 && value <= 999;
}

bool TitleIsSendable(std::string_view cp932) {
  if (cp932.size() > static_cast<std::size_t>(kTitleBytes)) return false;
  SettingsModel m;
  SetText(m.title.text[0], cp932);
  return EncodeTitle(m, 0).ok();
}

std::string Invalid(std::int64_t stored) { return "invalid(" + std::to_string(stored) + ")"; }

}  // namespace

std::span<const FieldFamily> FieldFamilies() { return Families(); }

const FieldFamily* FindFamily(std::string_view fieldName) {
  const std::string_view base = BaseName(fieldName);
  for (const FieldFamily& f : Families()) {
    if (f.name == base) return &f;
  }
  return nullptr;
}

int FieldIndex(std::string_view fieldName) {
  const std::size_t open = fieldName.find('[');
  if (open == std::string_view::npos || fieldName.back() != ']') return -1;
  const std::string_view digits = fieldName.substr(open + 1, fieldName.size() - open - 2);
  if (digits.empty() || digits.size() > 2) return -1;
  int value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

int FieldStep(std::string_view fieldName) {
  const FieldFamily* f = FindFamily(fieldName);
  if (f == nullptr || f->step < 0) return -1;
  if (!f->stepPerEntry) return f->step;
  const int index = FieldIndex(fieldName);
  return index < 0 ? -1 : f->step + index;
}

std::span<const Choice> PictureChoices() { return kPictures; }

std::optional<std::int32_t> ParseChoice(std::span<const Choice> choices, std::string_view text) {
  const std::string wanted = Folded(text);
  if (wanted.empty()) return std::nullopt;
  for (const Choice& c : choices) {
    if (Folded(c.name) == wanted) return c.stored;
    std::string_view rest = c.aliases;
    while (!rest.empty()) {
      const std::size_t bar = rest.find('|');
      const std::string_view alias = rest.substr(0, bar);
      if (!alias.empty() && Folded(alias) == wanted) return c.stored;
      if (bar == std::string_view::npos) break;
      rest.remove_prefix(bar + 1);
    }
  }
  return std::nullopt;
}

ShownValue ShowField(const SavedField& field) {
  ShownValue v;
  const FieldFamily* family = FindFamily(field.name);
  if (field.kind == FieldKind::kInt) v.stored = *field.integer;
  if (family == nullptr) {
    v.text = field.kind == FieldKind::kInt ? std::to_string(v.stored) : std::string(field.text);
    return v;
  }
  switch (family->form) {
    case ValueForm::kChoice:
      for (const Choice& c : family->choices) {
        if (c.stored == v.stored) {
          v.text = c.name;
          return v;
        }
      }
      v.valid = false;
      v.text = Invalid(v.stored);
      return v;
    case ValueForm::kNumber: {
      const std::int64_t shown = static_cast<std::int64_t>(v.stored) - family->offset;
      if (!family->unbounded && (shown < family->min || shown > family->max)) {
        v.valid = false;
        v.text = Invalid(v.stored);
        return v;
      }
      v.numeric = true;
      v.number = shown;
      v.text = std::to_string(shown);
      return v;
    }
    case ValueForm::kChannel:
      if (v.stored == -1) {
        v.text = "none";
        return v;
      }
      if (v.stored < 0 || v.stored >= kChannels) {
        v.valid = false;
        v.text = Invalid(v.stored);
        return v;
      }
      v.numeric = true;
      v.number = v.stored + 1;
      v.text = std::to_string(v.number);
      return v;
    case ValueForm::kHoldTime:
      v.text = std::string(field.text, std::char_traits<char>::length(field.text));
      v.valid = IsHoldTime(v.text);
      return v;
    case ValueForm::kTitle: {
      const std::string_view bytes(field.text, std::char_traits<char>::length(field.text));
      v.text = Cp932ToUtf8(bytes);
      v.valid = TitleIsSendable(bytes);
      return v;
    }
  }
  return v;
}

ParsedValue ParseValue(const FieldFamily& family, std::string_view text) {
  ParsedValue p;
  switch (family.form) {
    case ValueForm::kChoice: {
      const auto stored = ParseChoice(family.choices, text);
      if (!stored) {
        p.error = ValueError::kMalformed;
      } else {
        p.integer = *stored;
      }
      return p;
    }
    case ValueForm::kNumber: {
      const auto number = ParseInteger(text);
      if (!number) {
        p.error = ValueError::kMalformed;
      } else if (*number < family.min || *number > family.max) {
        p.error = ValueError::kOutOfRange;
      } else {
        p.integer = static_cast<std::int32_t>(*number + family.offset);
      }
      return p;
    }
    case ValueForm::kChannel: {
      if (Folded(text) == "none") {
        p.integer = -1;
        return p;
      }
      const auto number = ParseInteger(text);
      if (!number) {
        p.error = ValueError::kMalformed;
      } else if (*number < 1 || *number > kChannels) {
        p.error = ValueError::kOutOfRange;
      } else {
        p.integer = static_cast<std::int32_t>(*number - 1);
      }
      return p;
    }
    case ValueForm::kHoldTime: {
      if (text.empty() || text.size() > 3 ||
          text.find_first_not_of("0123456789") != std::string_view::npos) {
        p.error = ValueError::kMalformed;
      } else if (!IsHoldTime(text)) {
        p.error = ValueError::kOutOfRange;
      } else {
        p.text = std::string(text);
      }
      return p;
    }
    case ValueForm::kTitle: {
      const auto bytes = Utf8ToCp932(text);
      if (!bytes) {
        p.error = ValueError::kTitleCharacters;
      } else if (bytes->size() > static_cast<std::size_t>(kTitleBytes)) {
        p.error = ValueError::kTitleTooLong;
      } else if (!TitleIsSendable(*bytes)) {
        p.error = ValueError::kTitleCharacters;
      } else {
        p.text = *bytes;
      }
      return p;
    }
  }
  p.error = ValueError::kMalformed;
  return p;
}

void StoreValue(const SavedField& field, const ParsedValue& value) {
  switch (field.kind) {
    case FieldKind::kInt:
      *field.integer = value.integer;
      return;
    case FieldKind::kHoldTime:
    case FieldKind::kTitle:
      std::fill(field.text, field.text + field.textSize, '\0');
      value.text.copy(field.text, std::min(value.text.size(), field.textSize - 1));
      return;
  }
}

std::string AcceptedValues(const FieldFamily& family) {
  switch (family.form) {
    case ValueForm::kChoice: {
      std::string out;
      for (const Choice& c : family.choices) {
        if (!out.empty()) out += " | ";
        out += c.name;
      }
      return out;
    }
    case ValueForm::kNumber:
      if (family.unbounded) return "any whole number";
      return std::to_string(family.min) + ".." + std::to_string(family.max);
    case ValueForm::kChannel:
      return "channel 1..16 (none: no channel)";
    case ValueForm::kHoldTime:
      return "1 to 3 digits, 1..999";
    case ValueForm::kTitle:
      return "up to 10 full-width characters of JIS X 0208";
  }
  return {};
}

std::string DescribeValueError(const FieldFamily& family, std::string_view fieldName,
                               std::string_view text, ValueError error) {
  std::string out(fieldName);
  out += ": ";
  switch (error) {
    case ValueError::kNone:
      out += "accepted";
      break;
    case ValueError::kMalformed:
      out += "\"" + std::string(text) + "\" is not a value of this field; it takes " +
             AcceptedValues(family);
      break;
    case ValueError::kOutOfRange:
      out += std::string(text) + " is out of range; it takes " + AcceptedValues(family);
      break;
    case ValueError::kTitleCharacters:
      out += "characters other than JIS level 1 and level 2 (";
      out += InvalidTitleCharactersMessage().text;
      out += "); a title takes full-width characters only";
      break;
    case ValueError::kTitleTooLong:
      out += "a title holds at most 10 full-width characters";
      break;
  }
  return out;
}

}  // namespace korvex7::ctl
