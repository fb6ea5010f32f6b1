// The Set-all sequences of the title dialog (the 16 titles on timer 4, every
// 400 ms) and of the video adjustment dialog (the five all-channel
// adjustments on timer 6, every 200 ms).
#pragma once

#include "core/transfer/bulk_run.h"

namespace korvex7 {

inline constexpr std::int32_t kTitleTimerId = kBulkTitles;
inline constexpr std::int32_t kVideoAdjustTimerId = kBulkVideoAdjust;
inline constexpr int kTitleSequenceSteps = 16;
inline constexpr int kVideoAdjustSequenceSteps = 5;

BulkSequence TitleSequence();
BulkSequence VideoAdjustSequence();

}  // namespace korvex7
