#include "platform/win32/absolute_input.h"

namespace sw {
namespace {

constexpr std::int64_t kNormalRange = 65536;

std::optional<std::uint32_t> Normalise(int position, int start, int size) {
  const std::int64_t offset = static_cast<std::int64_t>(position) - start;
  if (size <= 0 || size > kNormalRange || offset < 0 || offset >= size) return std::nullopt;
  return static_cast<std::uint32_t>((offset * kNormalRange + kNormalRange / 2) / size);
}

}  // namespace

std::optional<NormalisedPoint> NormaliseScreenPoint(int x, int y, const ScreenArea& area) {
  const std::optional<std::uint32_t> nx = Normalise(x, area.left, area.width);
  const std::optional<std::uint32_t> ny = Normalise(y, area.top, area.height);
  if (!nx || !ny) return std::nullopt;
  return NormalisedPoint{*nx, *ny};
}

}  // namespace sw
