// Handle numbers and the physical-pixel scope: no windows, no display needed.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>

#include "platform/win32/absolute_input.h"
#include "platform/win32/desktop_dpi_win32.h"
#include "platform/win32/desktop_win32.h"

namespace sw {
namespace {

TEST(HandleNumbers, RoundTripThroughTheSigned32BitText) {
  struct Case {
    std::uintptr_t value;
    int number;
  };
  const Case cases[] = {
      {0x0, 0},
      {0x10044, 65604},
      {0x7FFFFFFF, 2147483647},
      // Top bit set: sign-extended on 64-bit Windows, written with a minus sign.
      {static_cast<std::uintptr_t>(INT64_C(-2147483648)), -2147483647 - 1},
      {static_cast<std::uintptr_t>(INT64_C(-1)), -1},
      {static_cast<std::uintptr_t>(INT64_C(-65468)), -65468},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HandleNumber(c.value), c.number) << c.value;
    EXPECT_EQ(HandleValue(c.number), c.value) << c.number;
    EXPECT_EQ(ToInt(Text(std::to_string(c.number))), c.number);
  }
  // A value whose upper half was lost (zero-extended) still names the same window.
  EXPECT_EQ(HandleValue(HandleNumber(0x80001234u)),
            static_cast<std::uintptr_t>(INT64_C(-2147478988)));
}

DPI_AWARENESS ThreadAwareness() {
  return GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext());
}

TEST(PhysicalPixelScope, MakesTheThreadPerMonitorAwareForItsLifetime) {
  const DPI_AWARENESS_CONTEXT before = SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_UNAWARE);
  ASSERT_NE(before, nullptr) << "the system cannot switch a thread's DPI awareness";
  ASSERT_EQ(ThreadAwareness(), DPI_AWARENESS_UNAWARE);
  {
    PhysicalPixelScope physicalPixels;
    EXPECT_TRUE(physicalPixels.active());
    EXPECT_EQ(ThreadAwareness(), DPI_AWARENESS_PER_MONITOR_AWARE);
    {
      PhysicalPixelScope nested;
      EXPECT_EQ(ThreadAwareness(), DPI_AWARENESS_PER_MONITOR_AWARE);
    }
    EXPECT_EQ(ThreadAwareness(), DPI_AWARENESS_PER_MONITOR_AWARE);
  }
  EXPECT_EQ(ThreadAwareness(), DPI_AWARENESS_UNAWARE);
  SetThreadDpiAwarenessContext(before);
}

// Absolute input names a pixel by a number 0..65535 across the screen; the system maps
// it back with n * size / 65536 rounded down (some versions: n * (size - 1) / 65535,
// rounded). Every pixel of screens up to 4096 wide must come back as itself both ways.
TEST(NormaliseScreenPoint, EveryPixelMapsBackToItself) {
  for (int size = 1; size <= 4096; ++size) {
    for (int offset = 0; offset < size; ++offset) {
      const std::optional<NormalisedPoint> point =
          NormaliseScreenPoint(offset - 1000, offset + 5, ScreenArea{-1000, 5, size, size});
      ASSERT_TRUE(point.has_value());
      ASSERT_LE(point->x, 65535u);
      ASSERT_EQ(point->x, point->y);
      const std::int64_t n = point->x;
      ASSERT_EQ(n * size / 65536, offset) << size;
      if (size > 1) {
        ASSERT_EQ((n * (size - 1) * 2 + 65535) / (2 * 65535), offset) << size;
      }
    }
  }
}

TEST(NormaliseScreenPoint, PointsOutsideTheScreenHaveNoNormalForm) {
  const ScreenArea area{-100, 0, 300, 200};
  for (const POINT& outside : {POINT{-101, 10}, POINT{200, 10}, POINT{0, -1}, POINT{0, 200}}) {
    EXPECT_FALSE(NormaliseScreenPoint(outside.x, outside.y, area)) << outside.x << "," << outside.y;
  }
  EXPECT_FALSE(NormaliseScreenPoint(0, 0, ScreenArea{0, 0, 0, 0}));
  EXPECT_FALSE(NormaliseScreenPoint(2147483647, 0, ScreenArea{-2147483647 - 1, 0, 1 << 16, 1}));
  EXPECT_TRUE(NormaliseScreenPoint(199, 199, area));
}

}  // namespace
}  // namespace sw
