// DateTime: days since 30 December 1899 00:00 with the time of day as the fraction,
// in local wall-clock time (the OLE Automation date form).
#pragma once

#include <cstdint>

#include "base/text.h"

namespace sw {

using DateTime = double;

// The day count of a calendar date and time of day (proleptic Gregorian).
DateTime MakeDateTime(int year, int month, int day, int hour, int minute, int second);
// The present local date and time, to the whole second (time zone and DST applied).
DateTime CurrentDateTime();
// The local date and time of a moment given in seconds since 1 January 1970 UTC.
DateTime LocalDateTimeAt(std::int64_t secondsSinceEpoch);
// Compact Chinese form, e.g. 2020年3月17日9时5分3秒; shortened when seconds, minutes or
// the whole time are zero. Never empty.
Text DateTimeToText(DateTime value);

}  // namespace sw
