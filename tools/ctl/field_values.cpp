#include "tools/ctl/field_values.h"

#include <array>
#include <charconv>
#include <limits>

#include "core/commands/agc_format_commands.h"
#include "core/commands/auto_switch_commands.h"
#include "core/commands/title_commands.h"
#include "core/commands/video_adjust_commands.h"
#include "core/link/status_messages.h"
#include "core/transfer/send_all_steps.h"
#include "tools/ctl/text_codec.h"

namespace korvex7::ctl {

namespace {

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

// The single-entry command of each family that has one.
struct EntryCommand {
  std::string_view family;
  EntryEncoder encode;
};

constexpr EntryCommand kEntryCommands[] = {
    {"autoSwitch.dwellTime", EncodeDwellEntry},
    {"videoAdjust.brightness",
     EncodeAdjustEntry<EncodeBrightness, &SettingsModel::VideoAdjust::brightness>},
    {"videoAdjust.contrast",
     EncodeAdjustEntry<EncodeContrast, &SettingsModel::VideoAdjust::contrast>},
    {"videoAdjust.hue", EncodeAdjustEntry<EncodeHue, &SettingsModel::VideoAdjust::hue>},
    {"videoAdjust.sharpness",
     EncodeAdjustEntry<EncodeSharpness, &SettingsModel::VideoAdjust::sharpness>},
    {"videoAdjust.saturation",
     EncodeAdjustEntry<EncodeSaturation, &SettingsModel::VideoAdjust::saturation>},
    {"videoFormat.format", EncodeFormatEntry},
};

// The family of a row of the saved-field table, with the first step that
// carries it.
FieldFamily FamilyOf(const SavedSetting& setting) {
  FieldFamily f;
  f.name = setting.name;
  f.form = setting.form;
  f.choices = setting.choices;
  f.min = setting.range.min;
  f.max = setting.range.max;
  f.offset = setting.range.offset;
  f.unbounded = setting.unbounded;
  if (f.unbounded) {
    f.min = std::numeric_limits<std::int32_t>::min();
    f.max = std::numeric_limits<std::int32_t>::max();
  }
  f.help = setting.help;
  for (int step = 0; step < kSendAllStepCount; ++step) {
    const StepSetting carried = SendAllStepSetting(step);
    if (carried.setting != setting.name) continue;
    f.step = step;
    f.stepPerEntry = carried.entry >= 0;
    f.stepCarriesAllEntries = carried.everyEntry;
    break;
  }
  for (const EntryCommand& c : kEntryCommands) {
    if (c.family == setting.name) f.entryEncoder = c.encode;
  }
  return f;
}

std::vector<FieldFamily> BuildFamilies() {
  std::vector<FieldFamily> families;
  for (const SavedSetting& setting : SavedSettings()) families.push_back(FamilyOf(setting));
  return families;
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

int FieldStep(std::string_view fieldName) { return StepOfField(fieldName); }

std::span<const Choice> PictureChoices() { return kPictureChoices; }

std::optional<std::int32_t> ParseChoice(std::span<const Choice> choices, std::string_view text) {
  const std::string wanted = Folded(text);
  if (wanted.empty()) return std::nullopt;
  for (std::size_t i = 0; i < choices.size(); ++i) {
    const Choice& c = choices[i];
    const auto stored = static_cast<std::int32_t>(i);
    if (Folded(c.name) == wanted || Folded(c.item) == wanted) return stored;
    std::string_view rest = c.aliases;
    while (!rest.empty()) {
      const std::size_t bar = rest.find('|');
      const std::string_view alias = rest.substr(0, bar);
      if (!alias.empty() && Folded(alias) == wanted) return stored;
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
      if (static_cast<std::uint32_t>(v.stored) < family->choices.size()) {
        v.text = family->choices[static_cast<std::size_t>(v.stored)].name;
        return v;
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
