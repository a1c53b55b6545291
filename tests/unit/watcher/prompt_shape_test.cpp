// The tick's arithmetic on its own: the ratio tests near their bounds, over every
// size up to 4096 pixels, and the click point.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "watcher/watch_tick.h"

namespace sw {
namespace {

TEST(PromptRatioTest, SinglePrecisionNeighboursOfTheBoundsFallOnTheRightSide) {
  const float smallestPassing = 0.9200001358985901f;
  const float largestPassing = 0.9399998784065247f;
  const float belowSmallest = std::nextafter(smallestPassing, 0.0f);
  const float aboveLargest = std::nextafter(largestPassing, 1.0f);
  EXPECT_EQ(static_cast<double>(belowSmallest), 0.9200000762939453);
  EXPECT_EQ(static_cast<double>(aboveLargest), 0.9399999380111694);

  EXPECT_TRUE(IsPromptRatio(smallestPassing));
  EXPECT_FALSE(IsPromptRatio(belowSmallest));
  EXPECT_TRUE(IsPromptRatio(largestPassing));
  EXPECT_FALSE(IsPromptRatio(aboveLargest));
}

TEST(PromptRatioTest, InfinitiesAndNaNFail) {
  EXPECT_FALSE(IsPromptRatio(std::numeric_limits<float>::infinity()));
  EXPECT_FALSE(IsPromptRatio(-std::numeric_limits<float>::infinity()));
  EXPECT_FALSE(IsPromptRatio(std::numeric_limits<float>::quiet_NaN()));
  EXPECT_FALSE(IsPromptRatio(PromptRatio(0, 0)));
}

TEST(PromptRatioTest, RoundsTheQuotientToSinglePrecision) {
  // 461 / 500 = 0.922 is no float; the stored ratio is the nearest one.
  EXPECT_EQ(PromptRatio(461, 500), 0.922f);
  EXPECT_NE(static_cast<double>(PromptRatio(461, 500)), 0.922);
}

// Width and height from 1 to 4096: the single-precision tests agree with the exact
// comparison 0.92 + 1e-7 < w / h < 0.94 - 1e-7, that is
// 9200001 h < 10^7 w < 9399999 h in integers.
TEST(PromptRatioTest, AgreesWithTheExactComparisonForEverySizeUpTo4096) {
  constexpr int kLimit = 4096;
  long long accepted = 0;
  long long disagreements = 0;
  int firstAcceptedHeight = 0;
  for (std::int32_t height = 1; height <= kLimit; ++height) {
    for (std::int32_t width = 1; width <= kLimit; ++width) {
      const long long scaledWidth = 10000000LL * width;
      const bool exact = 9200001LL * height < scaledWidth && scaledWidth < 9399999LL * height;
      const bool tested = IsPromptRatio(PromptRatio(width, height));
      if (tested != exact && ++disagreements <= 5) {
        ADD_FAILURE() << width << " x " << height << ": tested " << tested << ", exact " << exact;
      }
      if (tested) {
        ++accepted;
        if (firstAcceptedHeight == 0) firstAcceptedHeight = height;
      }
    }
  }
  EXPECT_EQ(disagreements, 0);
  EXPECT_EQ(firstAcceptedHeight, 13);
  EXPECT_GT(accepted, 0);
}

TEST(PromptClickPointTest, CentreMovedDownByAThirdOfTheHeightTruncatedTowardZero) {
  const struct {
    WindowRect rect;
    ClickPoint expected;
  } cases[] = {
      {{100, 200, 561, 700}, {330, 620}},
      {{100, 201, 561, 701}, {330, 621}},
      {{-561, 200, -100, 700}, {-330, 620}},
      {{10, 20, 23, 33}, {16, 30}},  // y before truncation 30.92
  };
  for (const auto& c : cases) {
    const std::int32_t height = c.rect.bottom - c.rect.top;
    EXPECT_EQ(PromptClickPoint(c.rect, height), c.expected) << c.rect.left << "," << c.rect.top;
  }
}

}  // namespace
}  // namespace sw
