// The answer to Windows' question whether the session may end: every
// combination of unsaved changes, a critical end and a prompt already open.
#include "core/ui/session_end.h"

#include <gtest/gtest.h>

namespace korvex7 {
namespace {

TEST(SessionEnd, HeldOnlyForUnsavedChangesThatCanBeSaved) {
  struct Row {
    bool modified;
    bool critical;
    bool alreadyAsked;
    SessionEndAnswer answer;
  };
  const Row rows[] = {
      {false, false, false, SessionEndAnswer::kAllow},
      {false, false, true, SessionEndAnswer::kAllow},
      {false, true, false, SessionEndAnswer::kAllow},
      {true, false, false, SessionEndAnswer::kHoldAndOfferSave},
      // A second question while the prompt (or Save As) is open: held, and
      // no second prompt over the first.
      {true, false, true, SessionEndAnswer::kHold},
      // A critical end is never held: nothing could be saved in it.
      {true, true, false, SessionEndAnswer::kAllow},
      {true, true, true, SessionEndAnswer::kAllow},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "modified " << row.modified << " critical " << row.critical
                                    << " asked " << row.alreadyAsked);
    EXPECT_EQ(AnswerSessionEndQuery(row.modified, row.critical, row.alreadyAsked), row.answer);
  }
}

}  // namespace
}  // namespace korvex7
