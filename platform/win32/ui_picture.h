// The pictures of the picture boxes, decoded once and drawn with GDI.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "app/window_definitions.h"

namespace sw {

// Pixels ready for StretchDIBits: 32-bit BGRA rows top to bottom, already composited
// over the button-face colour the boxes stand on.
struct ScreenPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bgra;
  bool empty() const { return width <= 0 || height <= 0; }
};

// The embedded picture, decoded; empty when it cannot be decoded.
ScreenPicture LoadScreenPicture(PictureId id);

// Fills the box with the button face and draws the picture in the rectangle the mode
// gives it.
void PaintPicture(HDC dc, const RECT& box, const ScreenPicture& picture, PictureMode mode);

}  // namespace sw
