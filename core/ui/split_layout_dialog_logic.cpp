#include "core/ui/split_layout_dialog_logic.h"

namespace korvex7 {

namespace {

constexpr std::array<std::string_view, kLayoutCount> kLayoutItems = {
    "４分割A", "４分割B",   "４分割C",   "４分割D", "９分割A",
    "９分割B", "１３分割A", "１３分割B", "１６分割"};

// Slot (0-based, row by row on the 4 x 4 grid) of screens 1..16. The shown
// screens come first, in the shape of the layout; the hidden ones fill the
// slots left over in slot order.
using SlotTable = std::array<std::uint8_t, kSplitScreens>;
constexpr SlotTable kQuadSlots = {0, 1, 4, 5, 2, 3, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
constexpr SlotTable kNineSlots = {0, 1, 2, 4, 5, 6, 8, 9, 10, 3, 7, 11, 12, 13, 14, 15};
constexpr SlotTable kThirteenSlots = {0, 2, 3, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 1, 4, 5};
constexpr SlotTable kSixteenSlots = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};

bool IsLayout(std::int32_t layout) { return layout >= 0 && layout < kLayoutCount; }

template <typename Layouts, typename Span>
Span ChannelsOf(Layouts& s, std::int32_t layout) {
  switch (layout) {
    case kLayoutQuadA:
      return Span(s.quadA);
    case kLayoutQuadB:
      return Span(s.quadB);
    case kLayoutQuadC:
      return Span(s.quadC);
    case kLayoutQuadD:
      return Span(s.quadD);
    case kLayoutNineA:
      return Span(s.nineA);
    case kLayoutNineB:
      return Span(s.nineB);
    case kLayoutThirteenA:
      return Span(s.thirteenA);
    case kLayoutThirteenB:
      return Span(s.thirteenB);
    case kLayoutSixteen:
      return Span(s.sixteen);
    default:
      return Span();
  }
}

}  // namespace

std::string_view SplitLayoutItem(int layout) {
  return IsLayout(layout) ? kLayoutItems[static_cast<std::size_t>(layout)] : std::string_view{};
}

int SplitScreenCount(std::int32_t layout) {
  if (!IsLayout(layout)) return 0;
  if (layout <= kLayoutQuadD) return 4;
  if (layout <= kLayoutNineB) return 9;
  if (layout <= kLayoutThirteenB) return 13;
  return 16;
}

std::span<std::int32_t> SplitLayoutChannels(SettingsModel::SplitLayout& s, std::int32_t layout) {
  return ChannelsOf<SettingsModel::SplitLayout, std::span<std::int32_t>>(s, layout);
}

std::span<const std::int32_t> SplitLayoutChannels(const SettingsModel::SplitLayout& s,
                                                  std::int32_t layout) {
  return ChannelsOf<const SettingsModel::SplitLayout, std::span<const std::int32_t>>(s, layout);
}

std::array<ScreenPlacement, kSplitScreens> ArrangeSplitScreens(std::int32_t layout) {
  const int n = SplitScreenCount(layout);
  const SlotTable* slots = &kSixteenSlots;
  if (n == 4) slots = &kQuadSlots;
  if (n == 9) slots = &kNineSlots;
  if (n == 13) slots = &kThirteenSlots;

  std::array<ScreenPlacement, kSplitScreens> out{};
  for (int k = 0; k < kSplitScreens; ++k) {
    ScreenPlacement& p = out[static_cast<std::size_t>(k)];
    p.slot = (*slots)[static_cast<std::size_t>(k)];
    p.shown = k < n;
  }
  if (n == 13) {
    out[0].columns = 2;
    out[0].rows = 2;
  }
  return out;
}

}  // namespace korvex7
