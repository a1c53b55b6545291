#include "platform/win32/redirect_target.h"

#include <algorithm>
#include <vector>

#include "http/internet.h"
#include "http/percent_encoding.h"

namespace sw {
namespace {

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(),
                    [](char a, char b) { return Lower(a) == Lower(b); });
}

bool IsHostByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
         c == '-' || c == '_';
}

// A scheme other than http and https ("ftp:", "javascript:"): letters, digits, '+', '-'
// or '.' before the first ':', which comes before any '/', '?' or '#'.
bool HasOtherScheme(std::string_view location) {
  const std::size_t colon = location.find(':');
  if (colon == 0 || colon == std::string_view::npos) return false;
  if (location.find_first_of("/?#") < colon) return false;
  return std::all_of(location.begin(), location.begin() + static_cast<std::ptrdiff_t>(colon),
                     [](char c) {
                       return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                              (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
                     });
}

// "host[:port]" with any "user@" in front left out.
bool ParseAuthority(std::string_view authority, bool secure, WebAddress& out) {
  const std::size_t at = authority.rfind('@');
  if (at != std::string_view::npos) authority.remove_prefix(at + 1);
  const std::size_t colon = authority.find(':');
  const std::string_view host = authority.substr(0, colon);
  if (host.empty() || !std::all_of(host.begin(), host.end(), IsHostByte)) return false;
  std::uint32_t port = secure ? inet::kHttpsPort : inet::kHttpPort;
  if (colon != std::string_view::npos) {
    const std::string_view digits = authority.substr(colon + 1);
    if (digits.empty() || digits.size() > 5) return false;
    port = 0;
    for (const char c : digits) {
      if (c < '0' || c > '9') return false;
      port = port * 10 + static_cast<std::uint32_t>(c - '0');
    }
    if (port == 0 || port > 0xFFFF) return false;
  }
  out.secure = secure;
  out.host.assign(host);
  out.port = static_cast<std::uint16_t>(port);
  return true;
}

// "." and ".." segments of a path resolved; ".." never climbs above the root.
std::string RemoveDotSegments(std::string_view path) {
  std::vector<std::string_view> segments;
  std::size_t begin = 1;  // past the leading '/'
  bool endsInDirectory = false;
  while (begin <= path.size()) {
    std::size_t end = path.find('/', begin);
    if (end == std::string_view::npos) end = path.size();
    const std::string_view segment = path.substr(begin, end - begin);
    endsInDirectory = segment == "." || segment == "..";
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
    } else if (segment != ".") {
      segments.push_back(segment);
    }
    begin = end + 1;
  }
  std::string out;
  for (const std::string_view segment : segments) {
    out += '/';
    out += segment;
  }
  if (out.empty() || endsInDirectory) out += '/';
  return out;
}

// Path (dot segments resolved) and query of a reference that starts with '/'.
std::string Object(std::string_view reference) {
  const std::size_t query = reference.find('?');
  const std::string path = RemoveDotSegments(reference.substr(0, query));
  return query == std::string_view::npos ? path : path + std::string(reference.substr(query));
}

}  // namespace

bool WebAddress::SameServer(const WebAddress& other) const {
  return secure == other.secure && port == other.port && host.size() == other.host.size() &&
         std::equal(host.begin(), host.end(), other.host.begin(),
                    [](char a, char b) { return Lower(a) == Lower(b); });
}

std::optional<WebAddress> ResolveRedirect(const WebAddress& base, std::string_view location) {
  const auto isSpace = [](char c) { return c == ' ' || c == '\t'; };
  while (!location.empty() && isSpace(location.front())) location.remove_prefix(1);
  while (!location.empty() && isSpace(location.back())) location.remove_suffix(1);
  location = location.substr(0, location.find('#'));
  if (location.empty()) return std::nullopt;

  WebAddress target = base;
  std::string_view rest = location;
  bool hasAuthority = false;
  if (StartsWithNoCase(rest, "http://") || StartsWithNoCase(rest, "https://")) {
    target.secure = Lower(rest[4]) == 's';
    rest.remove_prefix(target.secure ? 8 : 7);
    hasAuthority = true;
  } else if (rest.substr(0, 2) == "//") {
    rest.remove_prefix(2);
    hasAuthority = true;
  } else if (HasOtherScheme(rest)) {
    return std::nullopt;
  }
  if (hasAuthority) {
    const std::size_t end = std::min(rest.find_first_of("/?"), rest.size());
    if (!ParseAuthority(rest.substr(0, end), target.secure, target)) return std::nullopt;
    rest.remove_prefix(end);
    std::string reference(1, '/');
    reference.append(rest.substr(!rest.empty() && rest.front() == '/' ? 1 : 0));
    target.object = Object(reference);
  } else if (rest.front() == '/') {
    target.object = Object(rest);
  } else {
    const std::string_view basePath =
        std::string_view(base.object).substr(0, std::string_view(base.object).find('?'));
    // A bare query replaces the base's; anything else replaces its last segment.
    const std::size_t slash = basePath.rfind('/');
    std::string reference(rest.front() == '?' ? basePath : basePath.substr(0, slash + 1));
    if (reference.empty() || reference.front() != '/') reference.insert(0, 1, '/');
    reference.append(rest);
    target.object = Object(reference);
  }
  target.object = PercentEncodeUnsafeBytes(target.object);
  return target;
}

}  // namespace sw
