// Lengths designed in pixels at 96 DPI, on a display of another DPI. Rounded
// to the nearest pixel with halves away from zero, as the system's MulDiv
// rounds, so that what the core lays out and what the Windows layer scales
// with MulDiv agree to the pixel.
#pragma once

#include <cstdint>

namespace korvex7 {

inline constexpr int kDesignDpi = 96;

constexpr int ScaleToDpi(int pixelsAt96Dpi, int dpi) {
  const std::int64_t n = static_cast<std::int64_t>(pixelsAt96Dpi) * dpi;
  const std::int64_t half = kDesignDpi / 2;
  return static_cast<int>(n >= 0 ? (n + half) / kDesignDpi : -((-n + half) / kDesignDpi));
}

// The DPI a font of `points` points was made for, from its character height
// in pixels (the lfHeight of the font, made positive): Windows makes a font
// of 9 points 12 pixels high at 96 DPI and 18 at 144. Exact for every
// scale the system offers (multiples of 25 %); within half a pixel of the
// height otherwise. 0 for a height or size that is not positive.
constexpr int DpiOfFontHeight(int pixels, int points) {
  if (pixels <= 0 || points <= 0) return 0;
  const std::int64_t n = static_cast<std::int64_t>(pixels) * 72;
  return static_cast<int>((n + points / 2) / points);
}

}  // namespace korvex7
