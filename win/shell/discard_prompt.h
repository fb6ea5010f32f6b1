// The unsaved-changes rule shared by New, Open, Exit and the window close.
//
// When the document has changes the operator is asked whether to save them.
// "No" drops the changes and lets the command go on. "Yes" saves; only a save
// that really happened lets the command go on. A save that was cancelled or
// failed stops the command and keeps the document marked as changed, so no
// work is lost behind the operator's back.
#pragma once

#include <cstdint>

namespace korvex7::win {

enum class SaveAnswer { kYes, kNo };

// ask() shows the prompt; save() runs Save and returns true only when the
// file was written (it clears `modified` itself then). Returns true when the
// caller may go on.
template <typename Ask, typename Save>
bool ConfirmDiscardWith(std::int32_t& modified, Ask&& ask, Save&& save) {
  if (modified == 0) return true;
  if (ask() == SaveAnswer::kNo) {
    modified = 0;
    return true;
  }
  return save();
}

}  // namespace korvex7::win
