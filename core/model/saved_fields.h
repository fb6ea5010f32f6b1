// The saved settings: the 282 values of the settings file, in file order,
// each with the model's own name ("alarm.mode", "title.text[0]",
// "videoAdjust.brightness[3]").
//
// One table (saved_fields.cpp) lists the settings as the model groups them,
// a scalar or an array per row, with what their values are (a choice of a
// list, a number of a range, a channel, the hold time or a title). What
// follows from that table: the order and the words of the settings file, what
// New resets (ResetSettings) and what counts as a change (SavedFieldsEqual),
// and the command-line tool's fields, the values they take and their help.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/settings_model.h"
#include "core/model/value_domains.h"

namespace korvex7 {

enum class FieldKind {
  kInt,       // 32-bit signed integer, written "%d"
  kHoldTime,  // alarm.holdTimeText, three digits as text
  kTitle,     // a 20-byte code-page-932 title, written as a title token
};

// What the values of a setting are.
enum class ValueForm {
  kChoice,    // one of a list of choices, stored as its position
  kNumber,    // a number of a range, stored with the range's offset
  kChannel,   // a channel 1..16, stored 0..15 (-1: no channel)
  kHoldTime,  // the alarm hold time: one to three digits, 1..999, kept as typed
  kTitle,     // a title: code page 932 in the model
};

// Where the values of one setting lie in a model: its integers, or its fixed
// text buffers one after another.
struct SettingValues {
  std::span<std::int32_t> ints;  // integer settings
  char* text = nullptr;          // text settings: the first buffer
  std::size_t textSize = 0;      // bytes a buffer holds, its NUL included
  std::size_t textStride = 0;    // bytes from one buffer to the next
  std::size_t texts = 0;         // number of buffers
  bool array = false;            // its values are named "name[i]"

  std::size_t Count() const { return text != nullptr ? texts : ints.size(); }
  char* Text(std::size_t i) const { return text + i * textStride; }
};

// One row of the table: a scalar or an array of the model.
struct SavedSetting {
  std::string_view name;                            // "alarm.mode", "videoAdjust.brightness"
  SettingValues (*in)(SettingsModel& m) = nullptr;  // its values in a model
  std::size_t count = 0;                            // how many values it holds
  ValueForm form = ValueForm::kNumber;
  std::span<const Choice> choices;  // kChoice
  NumberRange range{};              // kNumber
  bool unbounded = false;           // kNumber: any 32-bit value (kept in files only)
  std::string_view help;            // one line for the tool's field list

  FieldKind kind() const {
    if (form == ValueForm::kHoldTime) return FieldKind::kHoldTime;
    if (form == ValueForm::kTitle) return FieldKind::kTitle;
    return FieldKind::kInt;
  }
};

// Every saved setting, in the order of the settings file.
std::span<const SavedSetting> SavedSettings();

// The setting of a field name: "videoAdjust.brightness[3]" and
// "videoAdjust.brightness" both give the brightness row; nullptr for none.
const SavedSetting* FindSavedSetting(std::string_view fieldName);

// One saved value.
struct SavedField {
  std::string name;
  FieldKind kind;
  std::int32_t* integer = nullptr;  // kInt
  char* text = nullptr;             // kHoldTime, kTitle: the fixed buffer
  std::size_t textSize = 0;         // buffer size including the NUL
};

// The number of saved values (282), counted from the table.
extern const std::size_t kSavedFieldCount;

// The saved values of `model` in file order; the pointers refer into `model`.
std::vector<SavedField> SavedFields(SettingsModel& model);

// Looks a field up by its name; returns nullptr when there is none.
const SavedField* FindSavedField(const std::vector<SavedField>& fields, std::string_view name);

}  // namespace korvex7
