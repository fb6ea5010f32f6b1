// The engine of the simulated unit's command table: a layout is a keyword
// and the exact fields that follow it (width, letters, digits, ranges, JIS
// codes, names); the engine parses a command against a layout into values
// and formats values back into a command or an answer line. The table itself
// (command_layouts.cpp) says which layouts the unit takes and what each does.
//
// A layout reads and writes "values": one integer per field repetition, in
// wire order. A letter field gives the position of the letter in its list,
// a number field the number as written, a JIS field the 16-bit code, a name
// field the position of the name in its list.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tools/sim/unit_state.h"

namespace korvex7::sim {

using Values = std::vector<int>;

enum class FieldType {
  kLetter,   // one character out of a list
  kNumber,   // fixed-width decimal digits
  kJisCode,  // four upper-case hexadecimal digits, a JIS X 0208 code
  kName,     // one of a list of texts
};

struct Field {
  FieldType type = FieldType::kNumber;
  int count = 1;             // repetitions of the field, one value each
  int width = 1;             // characters of one repetition (kLetter 1, kJisCode 4, kName varies)
  std::string_view letters;  // kLetter
  int min = 0;               // kNumber
  int max = 0;               // kNumber
  std::span<const std::string_view> names{};  // kName
};

struct Layout {
  std::string_view keyword;
  std::vector<Field> fields;
  // A rule over all values together (a channel used twice, the hue gap);
  // null when the fields say everything.
  bool (*rule)(const Values&) = nullptr;
  // What an accepted command does to the unit.
  void (*apply)(UnitState&, const Values&) = nullptr;
  // The values of the answer to a query; `argument` is the channel number
  // of a title query, unused otherwise. Null for commands without a query.
  Values (*read)(const UnitState&, int argument) = nullptr;

  // Total values of one command: the sum of the field counts.
  std::size_t ValueCount() const;
};

// The values of `command` (keyword, fields and CR LF, no address) when it
// matches `layout` exactly, nothing otherwise.
std::optional<Values> ParseLayout(const Layout& layout, std::string_view command);

// The command or answer line (CR LF included) carrying `values`, or nothing
// when a value does not fit its field or the layout's rule. `badValue`, when
// given, receives the index of the first value that does not fit (-1 when
// the rule failed or the count is wrong).
std::optional<std::string> FormatLayout(const Layout& layout, const Values& values,
                                        int* badValue = nullptr);

// Field makers for the tables.
Field Letters(std::string_view letters, int count = 1);
Field Digits(int width, int min, int max, int count = 1);
Field JisCodes(int count);
Field Names(std::span<const std::string_view> names);

}  // namespace korvex7::sim
