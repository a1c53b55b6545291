#include "png_reader.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

namespace sw::test {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

std::uint32_t ReadBigEndian(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) << 24 |
         static_cast<std::uint32_t>(bytes[at + 1]) << 16 |
         static_cast<std::uint32_t>(bytes[at + 2]) << 8 | static_cast<std::uint32_t>(bytes[at + 3]);
}

int ChannelsOf(int colourType) {
  switch (colourType) {
    case 0:
      return 1;
    case 2:
      return 3;
    case 4:
      return 2;
    case 6:
      return 4;
    default:
      return 0;
  }
}

// Inflates `compressed` and checks it yields `expected` bytes, each row led by a filter type 0..4.
std::string CheckImageData(const std::vector<std::uint8_t>& compressed, std::size_t rowBytes,
                           std::size_t rows) {
  std::vector<std::uint8_t> raw(rowBytes * rows + 1);  // one spare byte reveals excess data
  auto rawSize = static_cast<uLongf>(raw.size());
  const int result =
      uncompress(raw.data(), &rawSize, compressed.data(), static_cast<uLong>(compressed.size()));
  if (result != Z_OK && result != Z_BUF_ERROR) return "image data does not inflate";
  if (result == Z_BUF_ERROR || rawSize != rowBytes * rows) return "image data has the wrong length";
  for (std::size_t row = 0; row < rows; ++row) {
    if (raw[row * rowBytes] > 4) return "unknown row filter";
  }
  return {};
}

}  // namespace

PngInfo ReadPng(std::span<const std::uint8_t> png) {
  PngInfo info;
  if (png.size() < kSignature.size() ||
      !std::equal(kSignature.begin(), kSignature.end(), png.begin())) {
    info.error = "no PNG signature";
    return info;
  }
  std::vector<std::uint8_t> imageData;
  bool ended = false;
  std::size_t at = kSignature.size();
  for (int index = 0; !ended; ++index) {
    if (png.size() - at < 12) {
      info.error = "truncated chunk";
      return info;
    }
    const std::size_t length = ReadBigEndian(png, at);
    if (png.size() - at - 12 < length) {
      info.error = "chunk longer than the file";
      return info;
    }
    const auto kindAndBody = png.subspan(at + 4, length + 4);
    const std::string kind(kindAndBody.begin(), kindAndBody.begin() + 4);
    const auto body = kindAndBody.subspan(4);
    const auto crc = crc32(0, kindAndBody.data(), static_cast<uInt>(kindAndBody.size()));
    if (crc != ReadBigEndian(png, at + 8 + length)) {
      info.error = "bad CRC in " + kind;
      return info;
    }
    if (index == 0 && (kind != "IHDR" || length != 13)) {
      info.error = "IHDR is not the first chunk";
      return info;
    }
    if (kind == "IHDR") {
      info.width = ReadBigEndian(body, 0);
      info.height = ReadBigEndian(body, 4);
      info.bitDepth = body[8];
      info.colourType = body[9];
      info.interlace = body[12];
    } else if (kind == "IDAT") {
      imageData.insert(imageData.end(), body.begin(), body.end());
    } else if (kind == "IEND") {
      ended = true;
    }
    at += 12 + length;
  }
  if (at != png.size()) {
    info.error = "bytes after IEND";
    return info;
  }
  const int channels = ChannelsOf(info.colourType);
  if (info.bitDepth != 8 || channels == 0 || info.interlace != 0) {
    info.error = "not an 8-bit, non-interlaced image";
    return info;
  }
  info.error = CheckImageData(
      imageData, 1 + std::size_t{info.width} * static_cast<std::size_t>(channels), info.height);
  return info;
}

}  // namespace sw::test
