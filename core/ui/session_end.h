// What the program answers when Windows asks whether the session may end
// (sign-out, shut-down, a restart for updates). Unsaved settings hold the
// end: the program gives Windows its reason, which Windows shows beside the
// program's name, and asks the operator whether to save (the prompt of
// New, Open and Exit) once it has answered. Windows lets the operator end
// the session anyway. A session that must end (a critical end: power
// running out, the system forcing it) is never held, since holding it
// cannot save anything.
#pragma once

namespace korvex7 {

enum class SessionEndAnswer {
  kAllow,             // nothing unsaved: the session may end
  kHoldAndOfferSave,  // unsaved settings: hold, then show the save prompt
  kHold,              // unsaved settings, and the operator is already asked
};

// `modified`: the document has unsaved changes; `critical`: Windows ends the
// session whatever the answer; `alreadyAsked`: the save prompt, or a file
// command that may save, is open or about to open.
SessionEndAnswer AnswerSessionEndQuery(bool modified, bool critical, bool alreadyAsked);

}  // namespace korvex7
