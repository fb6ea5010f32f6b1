// The 55 steps in which every setting goes to the unit (the send-all run) and
// is read back from it (the read-all run, in the same order): alarm, video
// loss, date and time display, the 16 titles, title display and font sizes,
// auto switching, video adjustment, AGC and video format, title offsets,
// split layouts, other settings. One table holds, per step, the saved setting
// it carries, its read-all query and its send-all encoder.
// The runs that pace these steps (timer ticks, cancel, finish) are built on
// top of RunSendAllStep and ReadAllQuery; these functions only send or refuse
// one step.
#pragma once

#include <string_view>

#include "core/link/send_command.h"

namespace korvex7 {

// The number of steps (55), counted from the table.
extern const int kSendAllStepCount;

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

// The read-all query of step `index`, CR LF included ("RAM\r\n"); empty
// outside 0..54.
std::string_view StepQuery(int index);

// The saved setting a step carries (a row of the saved-field table), and for
// the title steps the channel: the one entry of the array it carries.
struct StepSetting {
  std::string_view setting;  // "alarm.mode", "title.text"; empty outside 0..54
  int entry = -1;            // -1: the setting as a whole
  // False when the step's command carries only some of the array's entries,
  // chosen by another setting (the dwell times of the current auto switching
  // mode).
  bool everyEntry = true;
};
StepSetting SendAllStepSetting(int index);

// The step that carries a saved field ("alarm.mode", "videoAdjust.hue[2]",
// "title.text[3]"), or -1 when the unit does not keep it (or a title is named
// without its channel).
int StepOfField(std::string_view fieldName);

}  // namespace korvex7
