// The per-channel ON/OFF radio pairs of the AGC and video loss dialogs.
#pragma once

#include <windows.h>

#include <span>

#include "core/model/settings_model.h"

namespace korvex7::win {

struct OnOffRadioPair {
  int on;
  int off;
};

// Checks "ON" for every channel whose value is 1 and "OFF" for any other.
void InitChannelRadios(HWND dialog, std::span<const OnOffRadioPair> radios,
                       const ChannelInts& values);

// A click on a channel's "ON" stores 1, on its "OFF" 0, and marks the
// document modified. True when the command came from one of the buttons.
bool HandleChannelRadioCommand(HWND dialog, WPARAM wParam, std::span<const OnOffRadioPair> radios,
                               ChannelInts& values);

}  // namespace korvex7::win
