#include "tools/ctl/report.h"

#include "tools/ctl/field_values.h"

namespace korvex7::ctl {

namespace {

nlohmann::ordered_json JsonValue(const ShownValue& v) {
  if (v.valid && v.numeric) return v.number;
  return v.text;
}

std::string_view Text(const SavedField& f) {
  return std::string_view(f.text, std::char_traits<char>::length(f.text));
}

// A hold time as the unit gets it: "30" and "030" both go out as ADT030.
int HoldTimeValue(std::string_view text) {
  if (text.empty() || text.size() > 3) return -1;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

// A title as the unit gets it: padded with full-width blanks to 20 bytes.
// The unit reports a title without its trailing blanks, so a title read back
// equals the one sent.
std::string PaddedTitle(std::string_view text) {
  std::string padded(text);
  if (padded.size() % 2 != 0) return padded;
  while (padded.size() < static_cast<std::size_t>(kTitleBytes)) padded += "\x81\x40";
  return padded;
}

// Equal when the unit would be sent the same value.
bool SameValue(const SavedField& a, const SavedField& b) {
  switch (a.kind) {
    case FieldKind::kInt:
      return *a.integer == *b.integer;
    case FieldKind::kHoldTime: {
      const int va = HoldTimeValue(Text(a));
      return va >= 0 ? va == HoldTimeValue(Text(b)) : Text(a) == Text(b);
    }
    case FieldKind::kTitle:
      return PaddedTitle(Text(a)) == PaddedTitle(Text(b));
  }
  return false;
}

}  // namespace

std::string FieldsText(const std::vector<SavedField>& fields,
                       const std::vector<std::size_t>& indexes, std::string_view linePrefix) {
  std::string out;
  for (std::size_t i : indexes) {
    out += linePrefix;
    out += fields[i].name;
    out += '=';
    out += ShowField(fields[i]).text;
    out += '\n';
  }
  return out;
}

nlohmann::ordered_json FieldsJson(const std::vector<SavedField>& fields,
                                  const std::vector<std::size_t>& indexes) {
  nlohmann::ordered_json out = nlohmann::ordered_json::object();
  for (std::size_t i : indexes) out[fields[i].name] = JsonValue(ShowField(fields[i]));
  return out;
}

std::vector<FieldDifference> DiffModels(const SettingsModel& a, const SettingsModel& b,
                                        bool unitFieldsOnly) {
  SettingsModel copyA = a;
  SettingsModel copyB = b;
  const std::vector<SavedField> fieldsA = SavedFields(copyA);
  const std::vector<SavedField> fieldsB = SavedFields(copyB);
  std::vector<FieldDifference> out;
  for (std::size_t i = 0; i < fieldsA.size() && i < fieldsB.size(); ++i) {
    if (unitFieldsOnly && FieldStep(fieldsA[i].name) < 0) continue;
    if (SameValue(fieldsA[i], fieldsB[i])) continue;
    const ShownValue before = ShowField(fieldsA[i]);
    const ShownValue after = ShowField(fieldsB[i]);
    out.push_back({fieldsA[i].name, before.text, after.text, JsonValue(before), JsonValue(after)});
  }
  return out;
}

std::string DiffText(const std::vector<FieldDifference>& differences) {
  std::string out;
  for (const FieldDifference& d : differences) {
    out += d.field + ": " + d.before + " -> " + d.after + "\n";
  }
  return out;
}

nlohmann::ordered_json DiffJson(const std::vector<FieldDifference>& differences) {
  nlohmann::ordered_json out = nlohmann::ordered_json::array();
  for (const FieldDifference& d : differences) {
    out.push_back({{"field", d.field}, {"a", d.beforeJson}, {"b", d.afterJson}});
  }
  return out;
}

}  // namespace korvex7::ctl
