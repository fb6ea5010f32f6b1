// What show, get and diff print: one "name=value" line per field (the same
// form set takes, so a line can be fed back), or JSON for scripts, where a
// number stays a number and every other value is its readable text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/model/saved_fields.h"

namespace korvex7::ctl {

// "name=value\n" for each selected field, each line after `linePrefix`.
std::string FieldsText(const std::vector<SavedField>& fields,
                       const std::vector<std::size_t>& indexes, std::string_view linePrefix = {});

// {"name": value, ...} in file order.
nlohmann::ordered_json FieldsJson(const std::vector<SavedField>& fields,
                                  const std::vector<std::size_t>& indexes);

struct FieldDifference {
  std::string field;
  std::string before;  // readable value in the first model
  std::string after;   // readable value in the second
  nlohmann::ordered_json beforeJson;
  nlohmann::ordered_json afterJson;
};

// The saved fields whose values differ as the unit would get them, in file
// order: a hold time "30" equals "030", and a title equals itself with
// trailing full-width blanks (the unit pads titles, and reports them without
// the padding). With
// `unitFieldsOnly`, fields the unit does not report (kept in files only) are
// left out: reading a unit cannot fill them.
std::vector<FieldDifference> DiffModels(const SettingsModel& a, const SettingsModel& b,
                                        bool unitFieldsOnly);

// "name: before -> after\n" per difference.
std::string DiffText(const std::vector<FieldDifference>& differences);

// [{"field": name, "a": before, "b": after}, ...]
nlohmann::ordered_json DiffJson(const std::vector<FieldDifference>& differences);

}  // namespace korvex7::ctl
