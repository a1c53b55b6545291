// DateTime day counts, the local clock in pinned time zones, and the text form.
#include "base/date_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <string>

#include "gbk_test_texts.h"

namespace sw {
namespace {

// Sets the C library's time zone for the duration of a test.
class TimeZone {
 public:
  explicit TimeZone(const char* zone) { Set(zone); }
  ~TimeZone() { Set(nullptr); }
  TimeZone(const TimeZone&) = delete;
  TimeZone& operator=(const TimeZone&) = delete;

 private:
  static void Set(const char* zone) {
#if defined(_WIN32)
    _putenv_s("TZ", zone == nullptr ? "" : zone);
    _tzset();
#else
    if (zone == nullptr) {
      unsetenv("TZ");
    } else {
      setenv("TZ", zone, 1);
    }
    tzset();
#endif
  }
};

#if defined(_WIN32)
constexpr const char* kShanghai = "CST-8";
#else
constexpr const char* kShanghai = "Asia/Shanghai";
#endif

TEST(MakeDateTime, CountsDaysFromThe30thOfDecember1899) {
  struct Case {
    int year, month, day, hour, minute, second;
    double expected;
  } cases[] = {
      {1899, 12, 30, 0, 0, 0, 0.0},
      {1899, 12, 31, 6, 0, 0, 1.25},
      {1899, 12, 29, 6, 0, 0, -1.25},
      {1900, 1, 1, 12, 0, 0, 2.5},
      {1900, 3, 1, 0, 0, 0, 61.0},  // 1900 is no leap year
      {2000, 2, 29, 0, 0, 0, 36585.0},
      {2000, 3, 1, 0, 0, 0, 36586.0},
      {2020, 3, 17, 0, 0, 0, 43907.0},
      {1970, 1, 1, 0, 0, 0, 25569.0},
      {100, 1, 1, 0, 0, 0, -657434.0},
      {9999, 12, 31, 0, 0, 0, 2958465.0},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(MakeDateTime(c.year, c.month, c.day, c.hour, c.minute, c.second), c.expected)
        << c.year << "-" << c.month << "-" << c.day;
  }
  EXPECT_DOUBLE_EQ(MakeDateTime(2020, 3, 17, 9, 5, 3), 43907.0 + (9 * 3600 + 5 * 60 + 3) / 86400.0);
}

TEST(DateTimeToText, ShortensZeroTimeParts) {
  struct Case {
    DateTime value;
    const char* expected;
  } cases[] = {
      {MakeDateTime(2020, 3, 17, 9, 5, 3),
       "2020" GBK_NIAN "3" GBK_YUE "17" GBK_RI "9" GBK_SHI "5" GBK_FEN "3" GBK_MIAO},
      {MakeDateTime(2020, 3, 17, 14, 30, 0), "2020" GBK_NIAN "3" GBK_YUE "17" GBK_RI "14" GBK_SHI "30" GBK_FEN},
      {MakeDateTime(2020, 3, 17, 14, 0, 0), "2020" GBK_NIAN "3" GBK_YUE "17" GBK_RI "14" GBK_SHI},
      {MakeDateTime(2020, 3, 17, 0, 0, 0), "2020" GBK_NIAN "3" GBK_YUE "17" GBK_RI},
      {MakeDateTime(2021, 1, 1, 0, 0, 45),
       "2021" GBK_NIAN "1" GBK_YUE "1" GBK_RI "0" GBK_SHI "0" GBK_FEN "45" GBK_MIAO},
      {MakeDateTime(2021, 1, 1, 0, 7, 0), "2021" GBK_NIAN "1" GBK_YUE "1" GBK_RI "0" GBK_SHI "7" GBK_FEN},
      {MakeDateTime(2020, 12, 31, 23, 59, 59),
       "2020" GBK_NIAN "12" GBK_YUE "31" GBK_RI "23" GBK_SHI "59" GBK_FEN "59" GBK_MIAO},
      {MakeDateTime(2020, 2, 29, 8, 0, 0), "2020" GBK_NIAN "2" GBK_YUE "29" GBK_RI "8" GBK_SHI},
      {MakeDateTime(2020, 3, 1, 0, 0, 7),
       "2020" GBK_NIAN "3" GBK_YUE "1" GBK_RI "0" GBK_SHI "0" GBK_FEN "7" GBK_MIAO},
      {-1.25, "1899" GBK_NIAN "12" GBK_YUE "29" GBK_RI "6" GBK_SHI},
      {0.0, "1899" GBK_NIAN "12" GBK_YUE "30" GBK_RI},
      // Half a second and more rounds up, to the next day if need be.
      {43907.0 + 0.4 / 86400, "2020" GBK_NIAN "3" GBK_YUE "17" GBK_RI},
      {43907.0 + 0.6 / 86400, "2020" GBK_NIAN "3" GBK_YUE "17" GBK_RI "0" GBK_SHI "0" GBK_FEN "1" GBK_MIAO},
      {43907.0 - 0.4 / 86400, "2020" GBK_NIAN "3" GBK_YUE "17" GBK_RI},
      {43907.0 - 1.0 / 86400, "2020" GBK_NIAN "3" GBK_YUE "16" GBK_RI "23" GBK_SHI "59" GBK_FEN "59" GBK_MIAO},
      {43907.0 - 1e-12, "2020" GBK_NIAN "3" GBK_YUE "17" GBK_RI},
      // Out-of-range values are clamped to the first and last days.
      {1e9, "9999" GBK_NIAN "12" GBK_YUE "31" GBK_RI},
      {2958465.9, "9999" GBK_NIAN "12" GBK_YUE "31" GBK_RI},
      {-1e9, "100" GBK_NIAN "1" GBK_YUE "1" GBK_RI},
      {-657434.0, "100" GBK_NIAN "1" GBK_YUE "1" GBK_RI},
      {std::numeric_limits<double>::infinity(), "9999" GBK_NIAN "12" GBK_YUE "31" GBK_RI},
      {std::numeric_limits<double>::quiet_NaN(), "1899" GBK_NIAN "12" GBK_YUE "30" GBK_RI},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DateTimeToText(c.value), Text(c.expected)) << c.value;
  }
}

TEST(LocalDateTimeAt, AppliesThePinnedTimeZone) {
  const TimeZone zone(kShanghai);
  // 2020-03-17 01:05:03 UTC is 09:05:03 in Shanghai.
  EXPECT_DOUBLE_EQ(LocalDateTimeAt(1584407103), MakeDateTime(2020, 3, 17, 9, 5, 3));
  EXPECT_DOUBLE_EQ(LocalDateTimeAt(0), MakeDateTime(1970, 1, 1, 8, 0, 0));
}

#if !defined(_WIN32)
TEST(LocalDateTimeAt, FollowsDaylightSavingSwitches) {
  const TimeZone zone("Europe/Berlin");
  // Spring forward on 2021-03-28 at 01:00 UTC: 01:59:59 CET is followed by 03:00:00 CEST.
  EXPECT_DOUBLE_EQ(LocalDateTimeAt(1616893199), MakeDateTime(2021, 3, 28, 1, 59, 59));
  EXPECT_DOUBLE_EQ(LocalDateTimeAt(1616893200), MakeDateTime(2021, 3, 28, 3, 0, 0));
  // Fall back on 2021-10-31 at 01:00 UTC: 02:59:59 CEST is followed by 02:00:00 CET.
  EXPECT_DOUBLE_EQ(LocalDateTimeAt(1635641999), MakeDateTime(2021, 10, 31, 2, 59, 59));
  EXPECT_DOUBLE_EQ(LocalDateTimeAt(1635642000), MakeDateTime(2021, 10, 31, 2, 0, 0));
}
#endif

TEST(CurrentDateTime, IsTheLocalTimeOfTheClockToTheSecond) {
  const TimeZone zone(kShanghai);
  const std::time_t before = std::time(nullptr);
  const DateTime now = CurrentDateTime();
  const std::time_t after = std::time(nullptr);
  // Shanghai is eight hours ahead of UTC, without daylight saving.
  const auto local = [](std::time_t t) { return (static_cast<double>(t) + 8 * 3600) / 86400.0 + 25569.0; };
  EXPECT_GE(now, local(before) - 1e-9);
  EXPECT_LE(now, local(after) + 1e-9);
  // Whole seconds only.
  const double seconds = (now - 25569.0) * 86400.0;
  EXPECT_NEAR(seconds, std::round(seconds), 1e-3);
}

}  // namespace
}  // namespace sw
