// The watch tick's literal texts.
#pragma once

#include "base/gbk_literal.h"

namespace sw {

// Appended to the date of every sign-in line of the run log; begins with a space.
inline constexpr GbkLiteral kSignInLogSuffix{"\x20\xD7\xD4\xB6\xAF\xC7\xA9\xB5\xBD", " 自动签到"};

}  // namespace sw
