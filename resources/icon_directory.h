#pragma once
// Looks up one image in the bytes of an ICO file.
#include <cstdint>
#include <span>

namespace sw {

// The stored image (DIB or PNG bytes) of the square `size`-pixel entry of `ico`.
// Empty when there is no such entry or when the directory or the entry does not
// fit inside the bytes: malformed input never reads out of bounds.
std::span<const std::uint8_t> FindIconImage(std::span<const std::uint8_t> ico, int size);

}  // namespace sw
