// The GBK texts the primitives themselves use, each with its readable form.
#pragma once

#include "base/gbk_literal.h"

namespace sw {

// Stands for a double quote inside the marks of TextBetween.
inline constexpr GbkLiteral kQuoteMarkName{"#\xD2\xFD\xBA\xC5", "#引号"};

// The units of the date-time text form.
inline constexpr GbkLiteral kYearUnit{"\xC4\xEA", "年"};
inline constexpr GbkLiteral kMonthUnit{"\xD4\xC2", "月"};
inline constexpr GbkLiteral kDayUnit{"\xC8\xD5", "日"};
inline constexpr GbkLiteral kHourUnit{"\xCA\xB1", "时"};
inline constexpr GbkLiteral kMinuteUnit{"\xB7\xD6", "分"};
inline constexpr GbkLiteral kSecondUnit{"\xC3\xEB", "秒"};

inline constexpr GbkLiteral kBaseLiterals[] = {kQuoteMarkName, kYearUnit,   kMonthUnit, kDayUnit,
                                               kHourUnit,      kMinuteUnit, kSecondUnit};

}  // namespace sw
