#include "tools/ctl/field_args.h"

namespace korvex7::ctl {

namespace {

std::string_view BaseOf(std::string_view name) { return name.substr(0, name.find('[')); }

bool IsEntryOf(std::string_view fieldName, std::string_view base) {
  return fieldName.size() > base.size() && fieldName.substr(0, base.size()) == base &&
         fieldName[base.size()] == '[';
}

}  // namespace

FieldSelection SelectFields(const std::vector<SavedField>& fields, std::string_view pattern) {
  FieldSelection s;
  if (pattern == "all") {
    for (std::size_t i = 0; i < fields.size(); ++i) s.indexes.push_back(i);
    return s;
  }
  if (pattern.find('[') != std::string_view::npos) {
    // One entry. The index is written without leading zeros in the table.
    const int index = FieldIndex(pattern);
    const std::string canonical =
        index < 0 ? std::string(pattern)
                  : std::string(BaseOf(pattern)) + "[" + std::to_string(index) + "]";
    for (std::size_t i = 0; i < fields.size(); ++i) {
      if (fields[i].name == canonical) {
        s.indexes.push_back(i);
        return s;
      }
    }
    std::size_t entries = 0;
    for (const auto& f : fields) entries += IsEntryOf(f.name, BaseOf(pattern)) ? 1 : 0;
    if (index >= 0 && entries > 0) {
      s.error = std::string(BaseOf(pattern)) + " has the entries [0] to [" +
                std::to_string(entries - 1) + "]";
    } else {
      s.error = "no field is named " + std::string(pattern);
    }
    return s;
  }
  const bool group = pattern.find('.') == std::string_view::npos;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const std::string_view name = fields[i].name;
    const bool match = name == pattern || IsEntryOf(name, pattern) ||
                       (group && !pattern.empty() && name.size() > pattern.size() &&
                        name.substr(0, pattern.size()) == pattern && name[pattern.size()] == '.');
    if (match) s.indexes.push_back(i);
  }
  if (s.indexes.empty()) s.error = "no field is named " + std::string(pattern);
  return s;
}

Assignment ParseAssignment(const std::vector<SavedField>& fields, std::string_view argument) {
  Assignment a;
  a.argument = std::string(argument);
  const std::size_t eq = argument.find('=');
  if (eq == std::string_view::npos || eq == 0) {
    a.error = ArgumentError::kMalformed;
    a.message = "\"" + a.argument + "\" is not of the form FIELD=VALUE";
    return a;
  }
  a.fieldName = std::string(argument.substr(0, eq));
  const std::string_view valueText = argument.substr(eq + 1);
  const bool group = a.fieldName.find('.') == std::string::npos || a.fieldName == "all";
  a.family = FindFamily(a.fieldName);
  FieldSelection selection;
  if (!group && a.family != nullptr) selection = SelectFields(fields, a.fieldName);
  if (group || a.family == nullptr || !selection.ok()) {
    a.error = ArgumentError::kMalformed;
    a.message = group ? a.fieldName + " names a group; set takes one field or one array"
                      : (selection.ok() ? "no field is named " + a.fieldName : selection.error);
    return a;
  }
  a.indexes = std::move(selection.indexes);
  a.value = ParseValue(*a.family, valueText);
  if (a.value.error != ValueError::kNone) {
    a.error = a.value.error == ValueError::kMalformed ? ArgumentError::kMalformed
                                                      : ArgumentError::kRefused;
    a.message = DescribeValueError(*a.family, a.fieldName, valueText, a.value.error);
  }
  return a;
}

void ApplyAssignments(const std::vector<SavedField>& fields,
                      const std::vector<Assignment>& assignments) {
  for (const Assignment& a : assignments) {
    if (a.error != ArgumentError::kNone) continue;
    for (std::size_t i : a.indexes) StoreValue(fields[i], a.value);
  }
}

}  // namespace korvex7::ctl
