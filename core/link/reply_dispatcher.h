// ReplyDispatcher: decodes one data reply of the unit into the settings model.
//
// A data reply begins with a keyword followed by the setting's value(s) and
// CR LF. The keywords are tried in one fixed order and the first that begins
// the line decides; the longer video-loss keywords ("VLDO", "VLSOO", "VLBC")
// come before "VL", and "CASTM" before "CASM". Replies that carry one coded
// character are decoded here, all others by the keyword decoders.
//
// A reply that decodes cleanly counts as the acknowledgement of the command
// awaiting it. A malformed reply, or a line that begins with no keyword at
// all, sets replyWait.unitStatus to 8 ("Command Error") and changes nothing
// else.
#pragma once

#include <string_view>

#include "core/link/session.h"

namespace korvex7 {

// Decodes `line` (address removed, CR LF included) into the model and settles
// the acknowledgement, or reports it as malformed. Called by ReplyAssembler for
// every line that is neither a status word nor an awaited "GO".
void ReplyDispatcher(Session& session, std::string_view line);

// The decoding half of ReplyDispatcher: true when the line begins with a known
// keyword and its layout is valid, in which case its fields were written;
// false, with the model untouched, otherwise.
bool DecodeReply(SettingsModel& model, std::string_view line);

// The keyword the dispatcher takes `line` by: the first of its keywords, in
// its order, that begins the line ("VLDO" for "VLDON\r\n", "VL" for
// "VLNNN..."); empty when none does. Says nothing about the layout.
std::string_view MatchedReplyKeyword(std::string_view line);

// An accepted data reply acknowledges the command awaiting it: outcome 1 for a
// single command, 2 for the last step of a run, unchanged for an earlier step.
// Nothing happens while a status is pending or no command is awaited.
void AcknowledgeDataReply(ReplyWait& w);

}  // namespace korvex7
