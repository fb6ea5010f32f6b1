// The simulated unit's own table of command layouts: for every command the
// unit takes, its keyword, the exact fields that follow it (width, letters,
// digits, ranges) and what it does to the unit; for every query, the layout
// of its answer. The unit parses with this table alone, so it checks the
// program's encoders and decoders instead of repeating them.
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

#include "core/model/settings_model.h"

namespace korvex7::sim {

// The unit's calendar clock, set component by component.
struct UnitClock {
  int year = 0;  // 0..99 = 2000..2099
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  friend bool operator==(const UnitClock&, const UnitClock&) = default;
};

// Everything the simulated unit holds. The settings use the program's own
// record (screenSwitch.picture included); the clock is the unit's alone.
struct UnitState {
  SettingsModel settings;
  UnitClock clock;
  int clockAdjustments = 0;  // 30-second adjustments taken
};

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

// Every command layout the unit takes.
std::span<const Layout* const> CommandLayouts();

struct Query {
  std::string_view text;    // as sent, CR LF included
  const Layout* answer;     // the layout of the answer line
  int argument;             // passed to answer->read
  std::string_view fields;  // the settings the answer carries, for messages
};

// The 55 queries in the order of a read-all run.
std::span<const Query> Queries();

// The unit's answer to a command text without address: "GO" CR LF for an
// accepted command (applied to `state`), the data line for a query, "E3"
// CR LF for anything else (nothing changes).
std::string AnswerCommand(UnitState& state, std::string_view command);

// The 10 JIS X 0208 codes the unit holds for a title: the title padded with
// full-width blanks to 20 bytes; -1 for a pair that is no JIS character.
std::vector<int> TitleToJisCodes(const TitleText& title);

// One message per setting the unit could not hold (and so could not
// report): a value outside the range of its command, a title character
// outside JIS X 0208, a split-screen layout that shows a channel twice.
std::vector<std::string> SettingsProblems(const UnitState& state);

}  // namespace korvex7::sim
