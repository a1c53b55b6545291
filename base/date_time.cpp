// DateTime values: building them from calendar fields and the clock, and their text form.
#include "base/date_time.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "base/base_literals.h"

namespace sw {

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr double kFirstDay = -657434.0;  // 1 January 100
constexpr double kLastDay = 2958465.0;   // 31 December 9999
// Days from 1 January 1970 back to day 0, 30 December 1899.
constexpr long long kUnixEpochDay = 25569;

bool IsLeapYear(long long year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

struct CivilDate {
  long long year;
  int month;
  int day;
};

// The proleptic Gregorian date of a day number (day 0 is 30 December 1899). Counts in
// 400-year eras that begin on 1 March, so the leap day falls at the end of each year.
CivilDate DateOfDay(long long dayNumber) {
  const long long since_march_0000 = dayNumber - kUnixEpochDay + 719468;
  const long long era = (since_march_0000 >= 0 ? since_march_0000 : since_march_0000 - 146096) / 146097;
  const long long day_of_era = since_march_0000 - era * 146097;                      // 0..146096
  const long long year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;  // 0..399
  const long long day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const long long march_month = (5 * day_of_year + 2) / 153;  // 0 = March .. 11 = February
  const int day = static_cast<int>(day_of_year - (153 * march_month + 2) / 5 + 1);
  const int month = static_cast<int>(march_month < 10 ? march_month + 3 : march_month - 9);
  const long long year = year_of_era + era * 400 + (month <= 2 ? 1 : 0);
  return {year, month, day};
}

// Calendar fields of a moment that the C library could not convert: UTC, no zone.
std::tm UtcFields(std::int64_t secondsSinceEpoch) {
  const long long seconds_of_day = ((secondsSinceEpoch % 86400) + 86400) % 86400;
  const long long day = (secondsSinceEpoch - seconds_of_day) / 86400 + kUnixEpochDay;
  const CivilDate date = DateOfDay(day);
  std::tm fields{};
  fields.tm_year = static_cast<int>(date.year - 1900);
  fields.tm_mon = date.month - 1;
  fields.tm_mday = date.day;
  fields.tm_hour = static_cast<int>(seconds_of_day / 3600);
  fields.tm_min = static_cast<int>(seconds_of_day / 60 % 60);
  fields.tm_sec = static_cast<int>(seconds_of_day % 60);
  return fields;
}

}  // namespace

DateTime MakeDateTime(int year, int month, int day, int hour, int minute, int second) {
  static constexpr int kDaysBeforeMonth[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  const long long y = year;
  const int m = std::clamp(month, 1, 12);
  long long days = y * 365 + y / 4 - y / 100 + y / 400 + kDaysBeforeMonth[m - 1] + day;
  if (IsLeapYear(y) && m <= 2) --days;
  days -= 693959;
  const double time_of_day =
      (static_cast<double>(hour) * 3600.0 + static_cast<double>(minute) * 60.0 + second) /
      kSecondsPerDay;
  const auto whole = static_cast<double>(days);
  return days < 0 ? whole - time_of_day : whole + time_of_day;
}

DateTime LocalDateTimeAt(std::int64_t secondsSinceEpoch) {
  const auto moment = static_cast<std::time_t>(secondsSinceEpoch);
  std::tm fields{};
#if defined(_WIN32)
  const bool converted = localtime_s(&fields, &moment) == 0;
#else
  const bool converted = localtime_r(&moment, &fields) != nullptr;
#endif
  if (!converted) fields = UtcFields(secondsSinceEpoch);
  // A leap second (tm_sec 60) counts as the last second of its minute.
  return MakeDateTime(fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday, fields.tm_hour,
                      fields.tm_min, std::min(fields.tm_sec, 59));
}

DateTime CurrentDateTime() { return LocalDateTimeAt(static_cast<std::int64_t>(std::time(nullptr))); }

Text DateTimeToText(DateTime value) {
  // NaN has no calendar date; it is shown as day 0.
  double v = std::isnan(value) ? 0.0 : std::clamp(value, kFirstDay, kLastDay);
  // Half a second away from zero, so that truncating gives the nearest whole second.
  v += v >= 0 ? 0.5 / kSecondsPerDay : -0.5 / kSecondsPerDay;
  const double whole_days = std::trunc(v);
  const double magnitude = std::fabs(v);
  const double fraction = magnitude - std::trunc(magnitude);
  // Rounding in the product can reach a full day just below midnight; it stays 23:59:59.
  const int seconds = std::min(static_cast<int>(fraction * kSecondsPerDay), 86399);
  const CivilDate date = DateOfDay(static_cast<long long>(whole_days));
  const int hour = seconds / 3600;
  const int minute = seconds / 60 % 60;
  const int second = seconds % 60;

  char buffer[96];
  int written = std::snprintf(buffer, sizeof buffer, "%d%s%d%s%d%s", static_cast<int>(date.year),
                              kYearUnit.gbk, date.month, kMonthUnit.gbk, date.day, kDayUnit.gbk);
  const auto room = [&] { return sizeof buffer - static_cast<std::size_t>(written); };
  if (second != 0) {
    written += std::snprintf(buffer + written, room(), "%d%s%d%s%d%s", hour, kHourUnit.gbk, minute,
                             kMinuteUnit.gbk, second, kSecondUnit.gbk);
  } else if (minute != 0) {
    written += std::snprintf(buffer + written, room(), "%d%s%d%s", hour, kHourUnit.gbk, minute,
                             kMinuteUnit.gbk);
  } else if (hour != 0) {
    written += std::snprintf(buffer + written, room(), "%d%s", hour, kHourUnit.gbk);
  }
  return Text(std::string_view(buffer, static_cast<std::size_t>(written)));
}

}  // namespace sw
