// The send-all run: the 55 steps of send_all_steps paced by timer 3.
#pragma once

#include "core/transfer/bulk_run.h"

namespace korvex7 {

inline constexpr std::int32_t kSendAllTimerId = kBulkSendAll;

BulkSequence SendAllSequence();

}  // namespace korvex7
