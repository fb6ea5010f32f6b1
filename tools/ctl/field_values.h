// The readable form of the saved fields: the values an operator types after
// "set FIELD=" and reads in get, show and diff, and the stored integers and
// code-page-932 texts of the settings model behind them.
//
// Fields carry the model's own names from the saved-field table
// ("alarm.mode", "videoAdjust.brightness[3]", "title.text[0]"; array indexes
// count from 0, so index 3 is channel 4). Each family of fields (a scalar, or
// one array) is a row of that table, which gives its form of value (named
// choices, a number with its range and offset, a channel, the hold time or a
// title) and its help; the core's step table gives the send-all step that
// carries it to the unit, which is also the read-all query that reads it
// back. Here is added only the command that sets a single entry where the
// unit has one.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/link/send_command.h"
#include "core/model/saved_fields.h"

namespace korvex7::ctl {

// The forms of value and the choices are the saved-field table's: a choice
// is stored as its position; its name is shown, and its name, its dialog item
// and its aliases are accepted in any letter case. A title is UTF-8 outside,
// code page 932 in the model.
using korvex7::Choice;
using korvex7::ValueForm;

// Builds the command that sets entry `index` of a family to the value the
// model holds there, without touching the other entries.
using EntryEncoder = Encoded (*)(const SettingsModel& model, int index);

struct FieldFamily {
  std::string_view name;  // the field name without its index
  ValueForm form = ValueForm::kNumber;
  std::span<const Choice> choices;  // kChoice
  std::int32_t min = 0;             // kNumber: shown range
  std::int32_t max = 0;
  std::int32_t offset = 0;            // kNumber: stored = shown + offset
  bool unbounded = false;             // kNumber: any 32-bit value (kept in files only)
  int step = -1;                      // send-all step and read-all query index; -1: none
  bool stepPerEntry = false;          // titles: entry i has step + i
  bool stepCarriesAllEntries = true;  // the step's command sets every entry of the array
  EntryEncoder entryEncoder = nullptr;
  std::string_view help;  // one line for the field list
};

// Every family, in the order of the settings file (one per row of the
// saved-field table).
std::span<const FieldFamily> FieldFamilies();

// The family of a field name ("videoAdjust.brightness[3]" and
// "videoAdjust.brightness" both give the brightness family), or nullptr.
const FieldFamily* FindFamily(std::string_view fieldName);

// The index of "name[3]", or -1 for a name without one (or a malformed one).
int FieldIndex(std::string_view fieldName);

// The send-all step (= read-all query) that carries this field, or -1 when
// the unit does not keep it.
int FieldStep(std::string_view fieldName);

// The readable value of one saved field.
struct ShownValue {
  std::string text;  // as shown and as accepted by set; "invalid(5)" when not valid
  bool valid = true;
  bool numeric = false;     // a number (kNumber, kChannel) rather than a name or text
  std::int64_t number = 0;  // numeric: the number shown
  std::int32_t stored = 0;  // the stored integer (integer fields)
};
ShownValue ShowField(const SavedField& field);

enum class ValueError {
  kNone,
  kMalformed,        // not a number, not one of the names, empty
  kOutOfRange,       // a number outside the field's range
  kTitleCharacters,  // not UTF-8, or a character the unit cannot show
  kTitleTooLong,     // more than ten full-width characters
};

// A value ready to be stored: an integer, or the bytes of a text field.
struct ParsedValue {
  ValueError error = ValueError::kNone;
  std::int32_t integer = 0;
  std::string text;  // kHoldTime: the digits; kTitle: code page 932 bytes
};

// Parses the readable form of a value of `family`.
ParsedValue ParseValue(const FieldFamily& family, std::string_view text);

// Stores a parsed value (error kNone) into the field.
void StoreValue(const SavedField& field, const ParsedValue& value);

// Plain words for a value error, naming the field and what it accepts.
std::string DescribeValueError(const FieldFamily& family, std::string_view fieldName,
                               std::string_view text, ValueError error);

// What a family accepts, e.g. "internal | external", "-64..63",
// "1 to 3 digits, 1..999".
std::string AcceptedValues(const FieldFamily& family);

// Picture numbers 0..25 (power-on screen and screen switching): the choices
// "ch.01".."ch.16", "split4A".."split16", "auto".
std::span<const Choice> PictureChoices();

// The stored value (position) of a choice's name, dialog item or alias,
// compared without letter case and ASCII blanks.
std::optional<std::int32_t> ParseChoice(std::span<const Choice> choices, std::string_view text);

}  // namespace korvex7::ctl
