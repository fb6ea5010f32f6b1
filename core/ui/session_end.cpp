#include "core/ui/session_end.h"

namespace korvex7 {

SessionEndAnswer AnswerSessionEndQuery(bool modified, bool critical, bool alreadyAsked) {
  if (critical || !modified) return SessionEndAnswer::kAllow;
  return alreadyAsked ? SessionEndAnswer::kHold : SessionEndAnswer::kHoldAndOfferSave;
}

}  // namespace korvex7
