#pragma once
// Reads a PNG's header and checks its structure: every chunk's CRC, and that
// the image data inflates to exactly one filter byte plus one row of pixels
// per row. Enough to tell that a decoder will accept the file.
#include <cstdint>
#include <span>
#include <string>

namespace sw::test {

struct PngInfo {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  int bitDepth = 0;
  int colourType = 0;
  int interlace = 0;
  std::string error;  // empty when the file is sound
};

PngInfo ReadPng(std::span<const std::uint8_t> png);

}  // namespace sw::test
