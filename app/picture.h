// Pictures of the picture boxes: PNG decoding (libpng) and where a picture is drawn in
// its box.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "app/window_definitions.h"

namespace sw {

// 8-bit RGBA pixels, rows top to bottom, no padding; non-premultiplied alpha.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
};

// The embedded PNG of one of the program's pictures; empty for none.
std::span<const std::uint8_t> PicturePng(PictureId id);

// Any PNG libpng reads (palette, grey, 16-bit, with or without alpha) as RGBA;
// nothing for data that is not a complete, valid PNG.
std::optional<Picture> DecodePng(std::span<const std::uint8_t> png);

// The rectangle, relative to the box, that the picture is drawn into.
struct PictureRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const PictureRect&, const PictureRect&) = default;
};

// Stretch: the whole box. Fit and centre: a picture that fits is drawn at its own size,
// centred; a larger one scaled by the smaller of the two ratios, each side truncated,
// then centred with offsets rounded down.
PictureRect PlacePicture(PictureMode mode, int boxWidth, int boxHeight, int pictureWidth,
                         int pictureHeight);

}  // namespace sw
