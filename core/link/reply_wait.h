// ReplyWait: where the sender, the reply side, the status timer, the dialogs
// and the bulk transfers meet. All fields are owned by one thread (the
// user-interface thread in the program: the receive thread only hands it
// complete lines).
#pragma once

#include <cstdint>

namespace korvex7 {

// replyWait.unitStatus values.
enum UnitStatus : std::int32_t {
  kStatusNone = 0,
  kStatusMenu = 1,   // "MENU"
  kStatusAlarm = 2,  // "ALARM"
  kStatusLock = 3,   // "LOCK"
  kStatusGn = 4,     // "GN"
  kStatusE0 = 5,
  kStatusE1 = 6,
  kStatusE2 = 7,
  kStatusE3 = 8,  // also a malformed reply or a value refused by its encoder
  kStatusCommandError = 8,
  kStatusShownDuringRun = 10,
  kStatusDuplicateChannel = 12,
};

// replyWait.transferMode values.
enum TransferMode : std::int32_t {
  kTransferSingle = 0,
  kTransferRunStep = 1,
  kTransferRunLastStep = 2,
};

// replyWait.outcome values.
enum Outcome : std::int32_t {
  kOutcomeNone = 0,
  kOutcomeSingleAcknowledged = 1,
  kOutcomeRunComplete = 2,
};

// replyWait.bulkState values: the timer that paces the running series.
enum BulkState : std::int32_t {
  kBulkNone = 0,
  kBulkReadAll = 2,
  kBulkSendAll = 3,
  kBulkTitles = 4,
  kBulkVideoAdjust = 6,
};

struct ReplyWait {
  std::int32_t waitTicks = 0;
  std::int32_t ackPending = 0;
  std::int32_t unitStatus = 0;
  std::int32_t transferMode = 0;
  std::int32_t outcome = 0;
  std::int32_t bulkStep = 0;
  std::int32_t bulkState = 0;

  friend bool operator==(const ReplyWait&, const ReplyWait&) = default;
};

// Clears every field but outcome (Close of a settings dialog).
inline void ResetReplyWait(ReplyWait& w) {
  w.bulkState = 0;
  w.unitStatus = 0;
  w.bulkStep = 0;
  w.transferMode = 0;
  w.waitTicks = 0;
  w.ackPending = 0;
}

}  // namespace korvex7
