// Screen points in the normalised form of absolute mouse input.
#pragma once

#include <cstdint>
#include <optional>

namespace sw {

// The rectangle of the whole virtual screen, in physical pixels.
struct ScreenArea {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct NormalisedPoint {
  std::uint32_t x = 0;  // 0 .. 65535 across the area
  std::uint32_t y = 0;
};

// The normalised coordinates of the screen point (x, y): the centre of the pixel, so
// that the system's mapping back (n * size / 65536, rounded down) gives exactly that
// pixel. None for a point outside the area, which absolute input cannot name.
std::optional<NormalisedPoint> NormaliseScreenPoint(int x, int y, const ScreenArea& area);

}  // namespace sw
