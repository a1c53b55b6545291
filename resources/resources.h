#pragma once
// The program's own icon, pictures and chime, embedded in the executable.
// The files are made by tools/make_resources.py and kept in resources/.
#include <cstdint>
#include <span>

namespace sw {

// The whole icon file: one 32-bit image for each of IconSizes().
std::span<const std::uint8_t> IconIco();
// 16, 24, 32, 48, 64, 72, 96 and 128: the square sizes the icon is drawn at.
std::span<const int> IconSizes();
// The icon image of one size as an RGBA PNG; empty for a size not in IconSizes().
std::span<const std::uint8_t> IconPng(int size);
// The icon image of one size as stored in IconIco(): a BITMAPINFOHEADER, BGRA pixels
// and the AND mask, the form icon-from-memory calls take; empty for other sizes.
std::span<const std::uint8_t> IconImage(int size);

std::span<const std::uint8_t> MainPicturePng();     // 1072 x 1500, RGBA
std::span<const std::uint8_t> AuthorPicturePng();   // 1500 x 1500, RGBA
std::span<const std::uint8_t> ContactPicturePng();  // 540 x 740, RGB
std::span<const std::uint8_t> ChimeWav();           // 1.254 s of 22050 Hz, 16-bit stereo PCM

}  // namespace sw
