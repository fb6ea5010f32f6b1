#include "win/dialogs/on_off_radios.h"

#include "win/dialogs/dialog_common.h"

namespace korvex7::win {

void InitOnOffRadios(HWND dialog, int onId, int offId, std::int32_t value) {
  CheckDlgButton(dialog, onId, value == 1 ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, offId, value == 1 ? BST_UNCHECKED : BST_CHECKED);
}

void InitChannelRadios(HWND dialog, std::span<const OnOffRadioPair> radios,
                       const ChannelInts& values) {
  for (std::size_t i = 0; i < radios.size() && i < values.size(); ++i) {
    InitOnOffRadios(dialog, radios[i].on, radios[i].off, values[i]);
  }
}

bool HandleChannelRadioCommand(HWND dialog, WPARAM wParam, std::span<const OnOffRadioPair> radios,
                               ChannelInts& values) {
  const int id = LOWORD(wParam);
  for (std::size_t i = 0; i < radios.size() && i < values.size(); ++i) {
    if (id != radios[i].on && id != radios[i].off) continue;
    if (HIWORD(wParam) == BN_CLICKED) {
      values[i] = id == radios[i].on ? 1 : 0;
      MarkModified(dialog);
    }
    return true;
  }
  return false;
}

}  // namespace korvex7::win
