// SimUnit: one simulated display unit on the line, without any I/O.
//
// It takes one received frame at a time (everything up to and including LF)
// and says what the unit answers. In RS-232C mode every frame is for it. As
// RS-485 unit NN it acts on frames that begin with its two address digits
// (and answers with them in front) or with "FF" (broadcast: applied, never
// answered), and keeps silent on frames for any other address.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "tools/sim/command_layouts.h"

namespace korvex7::sim {

inline constexpr std::string_view kBroadcastPrefix = "FF";

// The unit's status words, in the order of their status codes 1..8.
bool IsStatusWord(std::string_view word);

enum class FrameDisposition {
  kAnswered,   // the frame was for this unit and it answered
  kSilent,     // for this unit, but answers are switched off
  kBroadcast,  // "FF": applied when valid, never answered
  kOtherUnit,  // for another RS-485 address, or no address at all: ignored
  kEmpty,      // a bare line end: ignored
};

struct FrameResult {
  FrameDisposition disposition = FrameDisposition::kEmpty;
  std::optional<std::string> answer;  // the whole answer line, address and CR LF included
  bool accepted = false;              // a command applied or a query answered with data
  bool settingsChanged = false;       // a saved setting (settings file) changed
};

class SimUnit {
 public:
  // No address: RS-232C. An address 0..31: RS-485 unit of that address.
  explicit SimUnit(std::optional<int> address = std::nullopt);

  FrameResult HandleFrame(std::string_view frame);

  // Answers every frame for this unit with `word` ("MENU" .. "E3") and
  // changes nothing, as a unit whose menu is open or that is locked.
  // Returns false for a word that is not a status word.
  bool SetForcedStatus(std::optional<std::string> word);
  // Acts on frames but never answers (a broken transmit wire).
  void SetSilent(bool silent) { silent_ = silent; }

  std::optional<int> address() const { return address_; }
  // The two address digits ("00".."31"); empty in RS-232C mode.
  std::string AddressPrefix() const;

  UnitState& state() { return state_; }
  const UnitState& state() const { return state_; }

 private:
  std::optional<int> address_;
  std::optional<std::string> forcedStatus_;
  bool silent_ = false;
  UnitState state_;
};

}  // namespace korvex7::sim
