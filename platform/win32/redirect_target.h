// Where a redirect's Location leads, resolved against the address that answered it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sw {

struct WebAddress {
  bool secure = false;
  std::string host;
  std::uint16_t port = 0;  // never 0: the scheme's default port is written out
  std::string object;      // path and query, starting with '/'

  bool SameServer(const WebAddress& other) const;
};

// Absolute http and https addresses, scheme-relative ones ("//host/path"), absolute and
// relative paths, and a bare query. Other schemes, unusable hosts or ports and an
// empty Location give nothing. The fragment is dropped; bytes that cannot stand in a
// request line are percent-encoded.
std::optional<WebAddress> ResolveRedirect(const WebAddress& base, std::string_view location);

}  // namespace sw
