// Taking a web address apart by plain text searches: no parser, no decoding, no
// validation. Every address yields some result.
#pragma once

#include <optional>

#include "base/text.h"

namespace sw {

// The host, always lower case. Without labelCount the host follows the scheme
// ("https://", "http://" anywhere, or none); with labelCount (any value, 0 included)
// only the last labels of the host are kept. domainOnly keeps the last two labels
// (scheme-based) or one label fewer (label-count); keepPort keeps a ":port" suffix.
Text UrlHost(const Text& address, bool domainOnly = false, bool keepPort = false,
             std::optional<int> labelCount = std::nullopt);

// The port after the host's last ":", else 443 for an "https" address and 80 otherwise.
int UrlPort(const Text& address);

// The address from the first "/" after the host to its end, exactly as written; "/"
// when there is none.
Text UrlPath(const Text& address);

}  // namespace sw
