// The table of saved fields: the 282 values of the settings file in file
// order, each with the model's own name ("alarm.mode", "title.text[0]",
// "videoAdjust.brightness[3]"). The file reader and writer, the command-line
// tool's get/set/diff/show and the unit simulator's dump all walk this one
// table, so the order is written down exactly once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/model/settings_model.h"

namespace korvex7 {

enum class FieldKind {
  kInt,       // 32-bit signed integer, written "%d"
  kHoldTime,  // alarm.holdTimeText, three digits as text
  kTitle,     // a 20-byte code-page-932 title, written as a title token
};

struct SavedField {
  std::string name;
  FieldKind kind;
  std::int32_t* integer = nullptr;  // kInt
  char* text = nullptr;             // kHoldTime, kTitle: the fixed buffer
  std::size_t textSize = 0;         // buffer size including the NUL
};

inline constexpr std::size_t kSavedFieldCount = 282;

// The saved fields of `model` in file order; the pointers refer into `model`.
std::vector<SavedField> SavedFields(SettingsModel& model);

// Looks a field up by its name; returns nullptr when there is none.
const SavedField* FindSavedField(const std::vector<SavedField>& fields, std::string_view name);

}  // namespace korvex7
