// Bytes that cannot stand in an HTTP request line, made safe for it.
#pragma once

#include <string>
#include <string_view>

namespace sw {

// Spaces, control bytes and bytes above 0x7E percent-encoded ("%20"); every other byte,
// '%' included, as it is.
std::string PercentEncodeUnsafeBytes(std::string_view text);

}  // namespace sw
