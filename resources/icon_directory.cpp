#include "resources/icon_directory.h"

#include <cstddef>

namespace sw {
namespace {

constexpr std::size_t kHeaderSize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::uint16_t kIconType = 1;

std::uint16_t ReadU16(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
         static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

}  // namespace

std::span<const std::uint8_t> FindIconImage(std::span<const std::uint8_t> ico, int size) {
  if (size < 1 || size > 256 || ico.size() < kHeaderSize) return {};
  if (ReadU16(ico, 0) != 0 || ReadU16(ico, 2) != kIconType) return {};
  const std::size_t count = ReadU16(ico, 4);
  if (ico.size() < kHeaderSize + count * kEntrySize) return {};
  // A side of 256 pixels is stored as 0 in the entry's one-byte width and height.
  const auto side = static_cast<std::uint8_t>(size == 256 ? 0 : size);
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t entry = kHeaderSize + i * kEntrySize;
    if (ico[entry] != side || ico[entry + 1] != side) continue;
    const std::uint64_t length = ReadU32(ico, entry + 8);
    const std::uint64_t offset = ReadU32(ico, entry + 12);
    if (length == 0 || offset + length > ico.size()) return {};
    return ico.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(length));
  }
  return {};
}

}  // namespace sw
