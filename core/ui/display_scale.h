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

}  // namespace korvex7
