// The per-channel controls of the AGC, video loss and video format dialogs:
// every channel has its own identifiers, none shared with another control of
// its dialog (two controls of one id would answer as one).
#include <windows.h>
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "win/resources/resource.h"

namespace korvex7::win {
namespace {

TEST(ChannelIdsTest, EveryControlOfADialogHasItsOwnId) {
  struct Dialog {
    const char* name;
    std::vector<int> ids;
  };
  const Dialog dialogs[] = {
      {"AGC",
       {KORVEX7_CHANNEL_IDS(IDC_AGC_ON_), KORVEX7_CHANNEL_IDS(IDC_AGC_OFF_), IDC_AGC_SET,
        IDC_AGC_SLAVE, IDC_AGC_CLOSE}},
      {"video loss",
       {KORVEX7_CHANNEL_IDS(IDC_VIDEO_LOSS_ON_), KORVEX7_CHANNEL_IDS(IDC_VIDEO_LOSS_OFF_),
        IDC_VIDEO_LOSS_SET, IDC_VIDEO_LOSS_DISPLAY, IDC_VIDEO_LOSS_DISPLAY_SET,
        IDC_VIDEO_LOSS_OUTPUT, IDC_VIDEO_LOSS_OUTPUT_SET, IDC_VIDEO_LOSS_BACKGROUND,
        IDC_VIDEO_LOSS_BACKGROUND_SET, IDC_VIDEO_LOSS_SLAVE, IDC_VIDEO_LOSS_CLOSE}},
      {"video format",
       {KORVEX7_CHANNEL_IDS(IDC_VIDEO_FORMAT_LIST_), KORVEX7_CHANNEL_IDS(IDC_VIDEO_FORMAT_SET_),
        IDC_VIDEO_FORMAT_SAME, IDC_VIDEO_FORMAT_SET_ALL, IDC_VIDEO_FORMAT_SLAVE,
        IDC_VIDEO_FORMAT_CLOSE}},
  };
  for (const Dialog& d : dialogs) {
    SCOPED_TRACE(d.name);
    const std::set<int> distinct(d.ids.begin(), d.ids.end());
    EXPECT_EQ(distinct.size(), d.ids.size());
    EXPECT_EQ(distinct.count(IDC_STATIC), 0u);
    EXPECT_EQ(distinct.count(IDOK), 0u);      // Enter
    EXPECT_EQ(distinct.count(IDCANCEL), 0u);  // Escape
  }
}

}  // namespace
}  // namespace korvex7::win
