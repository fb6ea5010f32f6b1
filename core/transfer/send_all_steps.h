// The 55 steps of sending every setting to the unit, in the order the unit's
// settings are read back: alarm, video loss, date and time display, the 16
// titles, title display and font sizes, auto switching, video adjustment,
// AGC and video format, title offsets, split layouts, other settings.
// The run that paces these steps (timer ticks, cancel, finish) is built on
// top of RunSendAllStep; these functions only send or refuse one step.
#pragma once

#include <string_view>

#include "core/link/send_command.h"

namespace korvex7 {

inline constexpr int kSendAllStepCount = 55;

enum class StepResult {
  kSent,          // the command went to SendCommand
  kRefused,       // the encoder refused a value; replyWait.unitStatus holds 8 or 12
  kTitleRefused,  // a title cannot be sent; unitStatus is 8 and the caller
                  // shows the title-character message
};

// Runs step `index` (0..54): calls the step's encoder, for a title
// PrepareTitle and then SendTitle. An index outside 0..54 is refused with
// status 8.
StepResult RunSendAllStep(Session& s, int index);

// The command step `index` sends for this model, or its refusal: the pure
// form for the command-line tool and the simulator's tests.
Encoded EncodeSendAllStep(const SettingsModel& m, int index);

// The encoder the step calls, e.g. "SendAgc"; empty outside 0..54.
std::string_view SendAllStepName(int index);

}  // namespace korvex7
