// Conversions between texts and numbers.
#include <gtest/gtest.h>

#include <limits>

#include "base/text.h"

namespace sw {
namespace {

TEST(ToInt, ReadsLeadingDecimalDigitsAfterFullWidthFolding) {
  struct Case {
    const char* text;
    int expected;
  } cases[] = {
      {"  -12abc", -12},
      {"0x1F", 0},
      {"", 0},
      {"\xA3\xB1\xA3\xB2", 12},           // １２
      {"\xA3\xAD\xA3\xB7", -7},           // －７
      {"\xA1\xA1\xA3\xAB" "5", 5},        // ideographic space, ＋, 5
      {"\t\n\v\f\r 42", 42},
      {"+", 0},
      {"-", 0},
      {"+-3", 0},
      {"- 3", 0},
      {"007", 7},
      {"12" "\xA1\xAB" "3", 12},          // ～ becomes '~', which ends the number
      {"\xD6\xD0" "5", 0},                // 中5: other double-byte characters stay
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"2147483648", -2147483647 - 1},    // wraps around in 32 bits
      {"4294967296", 0},
      {"4294967301", 5},
      {"99999999999999999999", 1661992959},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToInt(Text(c.text)), c.expected) << "'" << c.text << "'";
  }
}

TEST(ToInt, TruncatesDoublesTowardZero) {
  EXPECT_EQ(ToInt(2.9), 2);
  EXPECT_EQ(ToInt(-2.9), -2);
  EXPECT_EQ(ToInt(-0.5), 0);
  EXPECT_EQ(ToInt(2147483647.9), 2147483647);
  EXPECT_EQ(ToInt(-2147483648.9), -2147483647 - 1);
  // Values without an int counterpart get a defined result instead of undefined behaviour.
  EXPECT_EQ(ToInt(1e300), std::numeric_limits<int>::max());
  EXPECT_EQ(ToInt(-1e300), std::numeric_limits<int>::min());
  EXPECT_EQ(ToInt(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(NumberToText, ThirteenSignificantDigitsAndThreeDigitExponents) {
  struct Case {
    double value;
    const char* expected;
  } cases[] = {
      {1.0, "1"},
      {42.0, "42"},
      {13.0, "13"},
      {-3.0, "-3"},
      {0.5, "0.5"},
      {0.0, "0"},
      {1e13, "1e+013"},
      {9999999999999.0, "9999999999999"},
      {1e-5, "1e-005"},
      {0.0001, "0.0001"},
      {1.5e300, "1.5e+300"},
      {-2.5e-308, "-2.5e-308"},
      {1.0 / 3.0, "0.3333333333333"},
      {123456789.0123456, "123456789.0123"},
      {std::numeric_limits<double>::infinity(), "inf"},
      {-std::numeric_limits<double>::infinity(), "-inf"},
      {std::numeric_limits<double>::quiet_NaN(), "nan"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NumberToText(c.value), Text(c.expected)) << c.expected;
  }
}

}  // namespace
}  // namespace sw
