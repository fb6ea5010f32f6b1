// BulkRun: the sequencing shared by the read-all run, the send-all run and
// the dialogs' Set-all sequences.
//
// A run is a fixed list of steps paced by a dialog timer. Each tick sends the
// next step only when the previous one has been answered (waitTicks 0) and no
// error is waiting to be shown (unitStatus 0). The reply side acknowledges the
// last step, sent with transferMode 2, by setting outcome 2; the status timer
// turns every error or time-out during a run into unitStatus 10. The next tick
// then finishes the run, with or without success. All state lives in
// ReplyWait; this class only holds the run's description, so the Win32 dialog
// calls Start/Tick/Cancel and shows what they return.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "core/link/session.h"

namespace korvex7 {

enum class BulkStepResult {
  kSent,          // the step's command went to SendCommand
  kRefused,       // the encoder refused a value and set unitStatus
  kTitleRefused,  // a title could not be encoded: unitStatus 8, show the title-character message
};

struct BulkSequence {
  std::int32_t timerId = 0;  // the pacing timer's id, kept in replyWait.bulkState
  int stepCount = 0;
  std::function<BulkStepResult(Session&, int index)> runStep;
  bool setsModifiedOnSuccess = false;  // read-all and send-all mark the document changed
  std::string_view successText;        // completion message (UTF-8)
  std::string_view successCaption;
};

struct BulkTick {
  enum Kind {
    kNotRunning,  // a tick for a run that is not active
    kWaiting,     // the previous step is awaited or its error is being shown
    kStepSent,    // a step was run (possibly refused: the status timer reports it)
    kSucceeded,   // finished: the last step was acknowledged
    kFailed,      // finished: an error or time-out was already shown
  };
  Kind kind = kNotRunning;
  int step = 0;                            // kStepSent: index of the step just run (0-based)
  int percent = 0;                         // kStepSent: steps started x 100 / step count, truncated
  bool showTitleCharacterMessage = false;  // kStepSent: the step refused a title
};

enum class BulkCancel { kNotRunning, kIgnored, kCancelled };

class BulkRun {
 public:
  explicit BulkRun(BulkSequence sequence) : seq_(std::move(sequence)) {}

  const BulkSequence& sequence() const { return seq_; }
  bool Running(const Session& s) const;

  // Starts the run; refused (false) while a command awaits its answer or any
  // run is active.
  bool Start(Session& s);

  // One tick of the run's pacing timer.
  BulkTick Tick(Session& s);

  // The Cancel button: ignored while the last step is in flight.
  BulkCancel Cancel(Session& s);

  // Percentage shown after `stepsStarted` steps.
  int PercentAfter(int stepsStarted) const;

 private:
  BulkTick Finish(Session& s);
  BulkSequence seq_;
};

// Clears the six reply-wait fields a finished or cancelled run leaves behind.
void ClearRunState(ReplyWait& w);

}  // namespace korvex7
