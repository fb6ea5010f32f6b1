#include "core/link/answer_check.h"

#include <memory>

#include "core/link/reply_assembler.h"
#include "core/link/reply_dispatcher.h"

namespace korvex7 {

AnswerCheck CheckAnswer(const SettingsModel::Link& link, std::string_view lead,
                        const ReceivedLine& line) {
  AnswerCheck check;
  if (line.overlong) return check;
  const std::string_view work = WithoutOwnAddress(link, line.text);
  if (const int status = StatusWordCode(work); status != kStatusNone) {
    check.kind = AnswerKind::kStatusWord;
    check.unitStatus = status;
    return check;
  }
  if (lead.empty()) {
    if (work == "GO\r\n") check.kind = AnswerKind::kAccepted;
    return check;
  }
  const std::string_view keyword = MatchedReplyKeyword(work);
  if (!work.starts_with(lead) || keyword.empty() || !lead.starts_with(keyword)) return check;
  // The layout is checked on a model of its own: judging a line changes
  // nothing.
  const auto scratch = std::make_unique<SettingsModel>();
  if (DecodeReply(*scratch, work)) check.kind = AnswerKind::kAccepted;
  return check;
}

}  // namespace korvex7
