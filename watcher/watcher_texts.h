// The watch tick's literal texts and the names of the controls it writes to.
#pragma once

#include <string_view>

#include "base/gbk_literal.h"

namespace sw {

// Appended to the date of every sign-in line of the run log; begins with a space.
inline constexpr GbkLiteral kSignInLogSuffix{"\x20\xD7\xD4\xB6\xAF\xC7\xA9\xB5\xBD", " 自动签到"};

// Controls of the main window, addressed by their definition names (UTF-8).
inline constexpr std::string_view kCounterLabel = "标签4";  // the sign-in count as text
inline constexpr std::string_view kRunLogList = "列表框1";  // the run log

}  // namespace sw
