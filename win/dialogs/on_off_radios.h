// The per-channel ON/OFF radio pairs of the AGC and video loss dialogs.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <span>

#include "core/model/settings_model.h"

namespace korvex7::win {

struct OnOffRadioPair {
  int on;
  int off;
};

// The pairs of channels 1..16 from their "ON" and "OFF" identifiers in
// channel order.
constexpr std::array<OnOffRadioPair, kChannels> ChannelRadios(const int (&on)[kChannels],
                                                              const int (&off)[kChannels]) {
  std::array<OnOffRadioPair, kChannels> radios{};
  for (std::size_t ch = 0; ch < radios.size(); ++ch) radios[ch] = {on[ch], off[ch]};
  return radios;
}

// An ON/OFF radio pair: checks "ON" when value is 1, otherwise "OFF".
void InitOnOffRadios(HWND dialog, int onId, int offId, std::int32_t value);

// Checks "ON" for every channel whose value is 1 and "OFF" for any other.
void InitChannelRadios(HWND dialog, std::span<const OnOffRadioPair> radios,
                       const ChannelInts& values);

// A click on a channel's "ON" stores 1, on its "OFF" 0, and marks the
// document modified. True when the command came from one of the buttons.
bool HandleChannelRadioCommand(HWND dialog, WPARAM wParam, std::span<const OnOffRadioPair> radios,
                               ChannelInts& values);

}  // namespace korvex7::win
