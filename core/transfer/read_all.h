// The read-all run: 55 queries, each the letter R, a short form of a reply
// keyword and CR LF, one per step of the send-all run and in its order (the
// step table of send_all_steps.h holds them).
#pragma once

#include <array>
#include <string_view>

#include "core/transfer/bulk_run.h"
#include "core/transfer/send_all_steps.h"

namespace korvex7 {

inline const int& kReadAllStepCount = kSendAllStepCount;  // one query per step
inline constexpr std::int32_t kReadAllTimerId = kBulkReadAll;

// The query of step index 0..54, CR LF included.
std::string_view ReadAllQuery(int index);

// What the data line answering the query of step index 0..54 begins with:
// its reply keyword ("RAD" is answered by "ADO..."), with the title's number
// for a title query ("RCJ05": "CJ05"). Empty outside 0..54.
std::string_view ReadAllReplyLead(int index);

// The same for a command text (CR LF included) that is one of the 55
// queries; empty for any other command, which the unit answers with "GO" or a
// status word.
std::string_view ReplyLeadOfQuery(std::string_view command);

// The read-all run: each step sends its query with SendCommandCopy.
BulkSequence ReadAllSequence();

// Before the read-all dialog fills its address list: Broadcast is not offered
// there, so it becomes unit 31.
void PrepareReadAllAddress(SettingsModel& model);

}  // namespace korvex7
