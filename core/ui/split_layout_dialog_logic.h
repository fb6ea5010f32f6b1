// What the split-screen layout dialog decides without Win32: the layouts of
// its list, the channel list each layout edits, and where each of the sixteen
// screen boxes goes for a layout.
//
// The boxes "画面１".."画面１６" are designed on a grid of four columns and
// four rows; its cells are the slots 0..15, row by row. For a layout with n
// screen positions, screens 1..n are shown in the shape of the layout and the
// others are hidden in the slots left over, so that every slot holds exactly
// one box. The 13-way layouts have screen 1 as a large picture over the
// top-left 2 x 2 slots: its box spans those four slots, and the three hidden
// screens 14..16 lie under it.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/model/settings_model.h"

namespace korvex7 {

inline constexpr int kSplitScreens = 16;
inline constexpr int kSlotColumns = 4;
inline constexpr int kSlotRows = 4;

// "４分割A" .. "１６分割" for layout 0..8; empty outside.
std::string_view SplitLayoutItem(int layout);

// Screen positions of layout 0..8 (4, 9, 13 or 16); 0 for any other value.
int SplitScreenCount(std::int32_t layout);

// The channel list of a layout (quadA ... sixteen); empty for any other
// value. Element k is the stored channel (0..15, -1 none) of screen k + 1.
std::span<std::int32_t> SplitLayoutChannels(SettingsModel::SplitLayout& s, std::int32_t layout);
std::span<const std::int32_t> SplitLayoutChannels(const SettingsModel::SplitLayout& s,
                                                  std::int32_t layout);

struct ScreenPlacement {
  int slot = 0;  // 0..15: column = slot % 4, row = slot / 4
  bool shown = false;
  int columns = 1;  // slots the screen's group box spans to the right
  int rows = 1;     // and downwards (2 x 2 for screen 1 of the 13-way layouts)
};

// Placement of screens 1..16 (index 0..15) for a layout. A value that is not
// a layout hides every screen, each in its own slot.
std::array<ScreenPlacement, kSplitScreens> ArrangeSplitScreens(std::int32_t layout);

}  // namespace korvex7
