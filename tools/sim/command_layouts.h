// The simulated unit's own table of command layouts: for every command the
// unit takes, its keyword, the exact fields that follow it (width, letters,
// digits, ranges) and what it does to the unit; for every query, the layout
// of its answer. The unit parses with this table alone, so it checks the
// program's encoders and decoders instead of repeating them. What a layout,
// a field and a value are, and how a command is parsed and formatted, is the
// engine's (layout_engine.h); this file is the table.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tools/sim/layout_engine.h"
#include "tools/sim/unit_state.h"

namespace korvex7::sim {

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
