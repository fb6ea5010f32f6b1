// Whether a line answers the command it follows.
//
// The unit answers every command with one line: a Set (every command that is
// not a query) with "GO" or a status word, a query with the data line of its
// own setting, or a status word. The reply side (ReplyAssembler) settles any
// line it is given, as the program's receive side always has; a caller that
// must not take a stray line for an answer (a line that echoes, a device
// server that repeats an answer or holds one from an earlier connection,
// noise) judges the line with CheckAnswer as well. Anything but the answers
// above is unexpected: a fault of the line, never an acknowledgement.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/link/line_assembler.h"
#include "core/model/settings_model.h"

namespace korvex7 {

enum class AnswerKind {
  kAccepted,    // "GO" to a Set, or the query's own well-formed data line
  kStatusWord,  // "MENU" .. "E3": the unit refused; unitStatus holds the code
  kUnexpected,  // anything else
};

struct AnswerCheck {
  AnswerKind kind = AnswerKind::kUnexpected;
  std::int32_t unitStatus = 0;  // kStatusWord: 1..8
};

// Judges one complete line (as LineAssembler hands it on) as the answer to a
// command. `lead` is empty for a Set; for a query it is what the data line
// begins with (ReplyLeadOfQuery). In RS-485 mode the selected unit's address
// is removed first, as ReplyAssembler removes it. A query's line is accepted
// only when it begins with `lead`, the reply dispatcher takes it by the
// keyword `lead` begins with (so "VLDON" is no answer to the query of "VL"),
// and its layout is valid.
AnswerCheck CheckAnswer(const SettingsModel::Link& link, std::string_view lead,
                        const ReceivedLine& line);

}  // namespace korvex7
