#include "core/ui/common_dialog_rules.h"

#include "core/model/settings_model.h"

namespace korvex7 {

std::string SlaveAddressItem(int index) {
  if (index == kBroadcastAddress) return "Broadcast";
  if (index < 0 || index > kMaxUnitAddress) return {};
  std::string text(2, '0');
  text[0] = static_cast<char>('0' + index / 10);
  text[1] = static_cast<char>('0' + index % 10);
  return text;
}

int ListSelectionFor(std::int32_t value, int itemCount) {
  return value >= 0 && value < itemCount ? static_cast<int>(value) : -1;
}

bool SlaveAddressListEnabled(std::int32_t linkMode, bool runActive) {
  return linkMode == kLinkRs485 && !runActive;
}

}  // namespace korvex7
