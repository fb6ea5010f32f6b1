// Field names and assignments as typed on the command line.
//
// A field is named as in the saved-field table ("alarm.mode",
// "videoAdjust.brightness[3]"). get, show and diff also take a whole array
// ("videoAdjust.brightness"), a group ("alarm") or "all"; set takes a field
// or a whole array ("agc.on=off" switches AGC off on every channel).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/saved_fields.h"
#include "tools/ctl/field_values.h"

namespace korvex7::ctl {

struct FieldSelection {
  std::vector<std::size_t> indexes;  // into the saved-field table, in file order
  std::string error;                 // set when the name matches nothing
  bool ok() const { return error.empty(); }
};

// The fields a name stands for: the field itself, every entry of an array,
// every field of a group, or every field for "all".
FieldSelection SelectFields(const std::vector<SavedField>& fields, std::string_view pattern);

enum class ArgumentError {
  kNone,
  kMalformed,  // no "=", an unknown field, a value that is not of the field's kind
  kRefused,    // a value out of range, a title the unit cannot show
};

struct Assignment {
  std::string argument;   // as typed
  std::string fieldName;  // the field or array as named
  const FieldFamily* family = nullptr;
  std::vector<std::size_t> indexes;  // the fields it sets
  ParsedValue value;
  ArgumentError error = ArgumentError::kNone;
  std::string message;  // plain words when error is set
};

// Parses one "FIELD=VALUE" argument against the field table.
Assignment ParseAssignment(const std::vector<SavedField>& fields, std::string_view argument);

// Stores parsed assignments (all without error) into the fields.
void ApplyAssignments(const std::vector<SavedField>& fields,
                      const std::vector<Assignment>& assignments);

}  // namespace korvex7::ctl
