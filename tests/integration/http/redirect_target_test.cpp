// Resolving a redirect's Location against the address that answered it.
#include "platform/win32/redirect_target.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

std::string Resolved(std::string_view location) {
  const WebAddress base{false, "example.test", 8080, "/dir/page?q=1"};
  const std::optional<WebAddress> target = ResolveRedirect(base, location);
  if (!target) return "none";
  return std::string(target->secure ? "https://" : "http://") + target->host + ":" +
         std::to_string(target->port) + target->object;
}

TEST(RedirectTarget, ResolvesEveryFormOfLocation) {
  const struct {
    const char* location;
    const char* expected;
  } cases[] = {
      {"http://other.test/a", "http://other.test:80/a"},
      {"HTTPS://other.test", "https://other.test:443/"},
      {"https://other.test:8443?x", "https://other.test:8443/?x"},
      {"http://user:pw@other.test:81/a", "http://other.test:81/a"},
      {"//other.test:9/b", "http://other.test:9/b"},
      {"/abs?x=1#frag", "http://example.test:8080/abs?x=1"},
      {"next", "http://example.test:8080/dir/next"},
      {"../up/./x", "http://example.test:8080/up/x"},
      {"../../../../top", "http://example.test:8080/top"},
      {"sub/", "http://example.test:8080/dir/sub/"},
      {"?only=query", "http://example.test:8080/dir/page?only=query"},
      {"  /padded  ", "http://example.test:8080/padded"},
      {"/a b\x01\xC3", "http://example.test:8080/a%20b%01%C3"},
      // Nothing to follow.
      {"", "none"},
      {"#frag", "none"},
      {"ftp://other.test/a", "none"},
      {"javascript:alert(1)", "none"},
      {"http://", "none"},
      {"http://bad host/", "none"},
      {"http://other.test\r\nX-Injected: 1/", "none"},
      {"http://other.test:0/", "none"},
      {"http://other.test:65536/", "none"},
      {"http://other.test:8x/", "none"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Resolved(c.location), c.expected) << "Location: " << c.location;
  }
}

TEST(RedirectTarget, TheSameServerIsSchemeHostAndPort) {
  const WebAddress base{false, "Example.Test", 80, "/"};
  EXPECT_TRUE(base.SameServer({false, "example.test", 80, "/other"}));
  EXPECT_FALSE(base.SameServer({true, "example.test", 80, "/"}));
  EXPECT_FALSE(base.SameServer({false, "example.test", 81, "/"}));
  EXPECT_FALSE(base.SameServer({false, "other.test", 80, "/"}));
}

}  // namespace
}  // namespace sw
