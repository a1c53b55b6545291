#include "http/web_access.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recording_internet.h"

namespace sw {
namespace {

using test::PreparedResponse;
using test::Quote;
using test::RecordingInternet;
using ::testing::ElementsAre;

constexpr char kAgent[] = "\"Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)\"";

PreparedResponse Ok(std::string body, std::string rawHeaders = "HTTP/1.1 200 OK\r\n\r\n") {
  PreparedResponse response;
  response.body = std::move(body);
  response.rawHeaders = std::move(rawHeaders);
  return response;
}

std::string Bytes(const ByteSet& set) {
  return std::string(set.view());
}

TEST(WebAccess, PlainGetWithTheAddressAlone) {
  RecordingInternet internet(Ok("5.6", "HTTP/1.1 200 OK\r\nSet-Cookie: s=1\r\n\r\n"));
  const ByteSet body = WebAccess(internet, "http://a.example.com/q?u=1");
  EXPECT_EQ(Bytes(body), "5.6");
  EXPECT_THAT(
      internet.calls(),
      ElementsAre(std::string("InternetOpenA(") + kAgent + ", 1, \"\", \"\", 0x0)",
                  "InternetConnectA(root, \"a.example.com\", 80, \"\", \"\", 3, 0x0, 0)",
                  "HttpOpenRequestA(connection, \"GET\", \"/q?u=1\", \"HTTP/1.1\", \"\", "
                  "null, 0x80004010, 0)",
                  "InternetSetOptionA(request, 31, 0x1F380, 4)",
                  "HttpSendRequestA(request, \"Accept: */*\\r\\nReferer: "
                  "http://a.example.com/q?u=1\\r\\nAccept-Language: zh-cn\", 72, null, 0)",
                  "InternetReadFile(request, 1024) -> 3", "InternetReadFile(request, 1024) -> 0",
                  "HttpQueryInfoA(request, 22, 5000, null)", "InternetCloseHandle(request)",
                  "InternetCloseHandle(connection)", "InternetCloseHandle(root)"));
  EXPECT_EQ(internet.openHandles(), 0);
}

TEST(WebAccess, SecurePostWithAgentHeaderAndCookies) {
  RecordingInternet internet(
      Ok("ok", "HTTP/1.1 200 OK\r\nSet-Cookie: b=9; path=/\r\nSet-Cookie: c=3\r\n\r\n"));
  const Text address = "https://Shop.example.org/login";
  Text cookies = "a=1; b=2";
  Text received = "stale";
  Text headers = "user-agent: Probe/1.0";
  Text responseHeaders;
  ByteSet postBytes;
  const ByteSet body = WebAccess(internet, address, 1, "u=x&p=\xD6\xD0", &cookies, &received,
                                 &headers, &responseHeaders, false, &postBytes);

  const std::string block =
      "User-Agent: Probe/1.0\r\nAccept: */*\r\nReferer: https://Shop.example.org/login\r\n"
      "Accept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded\r\n"
      "Cookie: a=1; b=2";
  EXPECT_THAT(
      internet.calls(),
      ElementsAre("InternetOpenA(\"Probe/1.0\", 1, \"\", \"\", 0x0)",
                  "InternetConnectA(root, \"shop.example.org\", 443, \"\", \"\", 3, 0x0, 0)",
                  "HttpOpenRequestA(connection, \"POST\", \"/login\", \"HTTP/1.1\", \"\", "
                  "null, 0x80880010, 0)",
                  "InternetSetOptionA(request, 31, 0x1F380, 4)",
                  "HttpSendRequestA(request, " + Quote(block) + ", " +
                      std::to_string(block.size()) + ", \"u=x&p=\\xD6\\xD0\", 8)",
                  "InternetReadFile(request, 1024) -> 2", "InternetReadFile(request, 1024) -> 0",
                  "HttpQueryInfoA(request, 22, 5000, null)", "InternetCloseHandle(request)",
                  "InternetCloseHandle(connection)", "InternetCloseHandle(root)"));
  EXPECT_EQ(internet.sentHeaders(), block);
  EXPECT_EQ(headers, Text(block));
  EXPECT_EQ(Bytes(postBytes), "u=x&p=\xD6\xD0");
  EXPECT_EQ(Bytes(body), "ok");
  EXPECT_EQ(responseHeaders,
            Text("HTTP/1.1 200 OK\r\nSet-Cookie: b=9; path=/\r\nSet-Cookie: c=3\r\n\r\n"));
  EXPECT_EQ(received, Text("b=9; c=3; a=1"));
  EXPECT_EQ(cookies, Text("b=9; c=3; a=1"));
}

TEST(WebAccess, CollectsTheSetCookieLinesOfTheResponse) {
  const char* raw =
      "HTTP/1.1 200 OK\r\n"
      "Set-Cookie: sid=abc; path=/; HttpOnly\r\n"
      "Content-Type: text/html\r\n"
      "Set-Cookie: lang=en\r\n"
      "set-cookie: x=1\r\n"
      "\r\n";
  EXPECT_EQ(CollectReceivedCookies(raw), Text("sid=abc; lang=en"));
  EXPECT_EQ(CollectReceivedCookies("HTTP/1.1 200 OK\r\n\r\n"), Text(""));
  EXPECT_EQ(CollectReceivedCookies("Set-Cookie: a=1 \r\nSet-Cookie:b=2\r\n"), Text("a=1"));

  RecordingInternet internet(Ok("", raw));
  Text received;
  Text responseHeaders;
  EXPECT_TRUE(
      WebAccess(internet, "a.example.com", 0, "", nullptr, &received, nullptr, &responseHeaders)
          .empty());
  EXPECT_EQ(received, Text("sid=abc; lang=en"));
  EXPECT_EQ(responseHeaders, Text(raw));
}

TEST(WebAccess, MethodChoosesTheVerbAndTheBody) {
  const struct {
    int method;
    const char* verb;
    bool bodySent;
  } cases[] = {{0, "GET", false},    {1, "POST", true},   {2, "HEAD", true},  {3, "PUT", true},
               {4, "OPTIONS", true}, {5, "DELETE", true}, {6, "TRACE", true}, {7, "CONNECT", true},
               {8, "GET", false},    {-1, "GET", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.method);
    RecordingInternet internet(Ok(""));
    ByteSet postBytes;
    Text headers;
    WebAccess(internet, "http://h/", c.method, "a=1", nullptr, nullptr, &headers, nullptr, false,
              &postBytes);
    EXPECT_THAT(internet.calls()[2], ::testing::HasSubstr(std::string("\"") + c.verb + "\""));
    EXPECT_EQ(internet.sentBody(), c.bodySent ? "a=1" : "");
    EXPECT_EQ(internet.bodyPointerNull(), !c.bodySent);
    EXPECT_EQ(Bytes(postBytes), c.bodySent ? "a=1" : "");
    const bool contentType = headers.view().find("Content-Type:") != std::string_view::npos;
    EXPECT_EQ(contentType, c.method == 1);
  }
}

TEST(WebAccess, BodyBytesWinOverBodyTextAndMayHoldZeroBytes) {
  RecordingInternet internet(Ok(""));
  ByteSet postBytes{'a', 0, 'b'};
  WebAccess(internet, "http://h/", 3, "ignored", nullptr, nullptr, nullptr, nullptr, false,
            &postBytes);
  EXPECT_EQ(internet.sentBody(), std::string("a\0b", 3));

  RecordingInternet emptyPost(Ok(""));
  Text headers;
  WebAccess(emptyPost, "http://h/", 1, "", nullptr, nullptr, &headers);
  EXPECT_TRUE(emptyPost.bodyPointerNull());
  EXPECT_THAT(emptyPost.calls()[4], ::testing::EndsWith(", null, 0)"));
  EXPECT_THAT(headers.bytes(),
              ::testing::HasSubstr("Content-Type: application/x-www-form-urlencoded"));
}

TEST(WebAccess, ProxyChoosesAccessTypeAndText) {
  const struct {
    const char* address;
    const char* proxy;
    const char* openArguments;
  } cases[] = {
      {"http://h/", "", ", 1, \"\", \"\", 0x0)"},
      {"https://h/", "p.example:8080", ", 3, \"p.example:8080\", \"\", 0x0)"},
      {"http://h/", "p.example:8080", ", 3, \"http=p.example:8080\", \"\", 0x0)"},
      {"h", "p:1", ", 3, \"http=p:1\", \"\", 0x0)"},
  };
  for (const auto& c : cases) {
    RecordingInternet internet(Ok(""));
    WebAccess(internet, c.address, 0, "", nullptr, nullptr, nullptr, nullptr, false, nullptr,
              c.proxy);
    EXPECT_THAT(internet.calls()[0], ::testing::EndsWith(c.openArguments)) << c.address << c.proxy;
  }
}

TEST(WebAccess, RequestFlagsFollowCookiesRedirectsAndScheme) {
  const struct {
    const char* address;
    bool cookiesSupplied;
    bool noRedirect;
    const char* flags;
  } cases[] = {
      {"http://h/", false, false, "0x80004010"}, {"http://h/", true, false, "0x80084010"},
      {"http://h/", false, true, "0x80204010"},  {"HTTPS://h/", false, false, "0x80800010"},
      {"https://h/", true, true, "0x80A80010"},
  };
  for (const auto& c : cases) {
    RecordingInternet internet(Ok(""));
    Text cookies;
    WebAccess(internet, c.address, 0, "", c.cookiesSupplied ? &cookies : nullptr, nullptr, nullptr,
              nullptr, c.noRedirect);
    EXPECT_THAT(internet.calls()[2], ::testing::EndsWith(std::string(", ") + c.flags + ", 0)"))
        << c.address << c.cookiesSupplied << c.noRedirect;
  }
}

struct BlockCase {
  const char* name;
  const char* headers;
  const char* cookies;  // null: not supplied
  bool completeHeaders;
  bool normalizeHeaderNames;
  const char* sent;
};

TEST(WebAccess, PreparesTheHeaderBlock) {
  const BlockCase cases[] = {
      {"caller's Accept kept", "accept: text/html", nullptr, true, true,
       "Accept: text/html\r\nReferer: http://h/p\r\nAccept-Language: zh-cn"},
      {"referer in lower case", "referer: x", nullptr, true, false,
       "referer: x\r\nAccept: */*\r\nAccept-Language: zh-cn"},
      {"cookie text with its own name", "", "Cookie: a=1", true, true,
       "Accept: */*\r\nReferer: http://h/p\r\nAccept-Language: zh-cn\r\nCookie: a=1"},
      {"empty cookie text adds no line", "", "", true, true,
       "Accept: */*\r\nReferer: http://h/p\r\nAccept-Language: zh-cn"},
      {"no completion", "", "a=1", false, true, "\r\nCookie: a=1"},
      {"no completion, no cookies", "x: 1", nullptr, false, true, "X: 1"},
      {"unnormalized trailing line break", "x-a: 1\r\n", nullptr, true, false,
       "x-a: 1\r\n\r\nAccept: */*\r\nReferer: http://h/p\r\nAccept-Language: zh-cn"},
      {"lines without a colon dropped", "junk\r\nx: 1\r\n", nullptr, false, true, "X: 1"},
  };
  for (const BlockCase& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingInternet internet(Ok(""));
    Text headers = c.headers;
    Text cookies = c.cookies == nullptr ? Text() : Text(c.cookies);
    WebAccess(internet, "http://h/p", 0, "", c.cookies == nullptr ? nullptr : &cookies, nullptr,
              &headers, nullptr, false, nullptr, "", true, c.completeHeaders,
              c.normalizeHeaderNames);
    EXPECT_EQ(internet.sentHeaders(), c.sent);
    EXPECT_EQ(headers, Text(c.sent));
  }
}

TEST(WebAccess, UserAgentComesFromTheHeaderBlock) {
  const struct {
    const char* headers;
    bool normalize;
    const char* agent;
  } cases[] = {
      {"", true, kAgent},
      {"X-Other: 1\r\nUser-Agent:  Probe/2 \r\nAccept: a", true, "\"Probe/2\""},
      // An empty agent falls back to the value after the first colon of the block.
      {"Accept: a\r\nUser-Agent:   ", true, "\"a\\r\\nUser-Agent:\""},
      // The exact-case search misses a lower-case name that was not normalized.
      {"user-agent: low", false, "\"low\""},
  };
  for (const auto& c : cases) {
    RecordingInternet internet(Ok(""));
    Text headers = c.headers;
    WebAccess(internet, "http://h/", 0, "", nullptr, nullptr, &headers, nullptr, false, nullptr, "",
              true, true, c.normalize);
    EXPECT_THAT(internet.calls()[0], ::testing::StartsWith(std::string("InternetOpenA(") + c.agent))
        << c.headers;
  }
}

TEST(WebAccess, OmittedCookiesDifferFromEmptyOnes) {
  RecordingInternet omitted(Ok("", "HTTP/1.1 200 OK\r\nSet-Cookie: n=1\r\n\r\n"));
  Text received;
  WebAccess(omitted, "http://h/", 0, "", nullptr, &received);
  EXPECT_EQ(received, Text("n=1"));

  RecordingInternet empty(Ok("", "HTTP/1.1 200 OK\r\nSet-Cookie: n=1;\r\n\r\n"));
  Text cookies;
  WebAccess(empty, "http://h/", 0, "", &cookies, &received);
  EXPECT_EQ(cookies, Text("n=1"));
  EXPECT_EQ(received, Text("n=1"));

  // Without the merge the caller's cookie text stays as it was.
  RecordingInternet unmerged(Ok("", "HTTP/1.1 200 OK\r\nSet-Cookie: n=1\r\n\r\n"));
  cookies = "a=1";
  WebAccess(unmerged, "http://h/", 0, "", &cookies, &received, nullptr, nullptr, false, nullptr, "",
            false);
  EXPECT_EQ(cookies, Text("a=1"));
  EXPECT_EQ(received, Text("n=1"));
}

TEST(WebAccess, ReadsTheBodyInChunksOf1024Bytes) {
  std::string body(2500, 'x');
  body[7] = '\0';
  RecordingInternet internet(Ok(body));
  EXPECT_EQ(Bytes(WebAccess(internet, "http://h/")), body);
  const std::vector<std::string> reads(internet.calls().begin() + 5, internet.calls().begin() + 9);
  EXPECT_THAT(reads, ElementsAre("InternetReadFile(request, 1024) -> 1024",
                                 "InternetReadFile(request, 1024) -> 1024",
                                 "InternetReadFile(request, 1024) -> 452",
                                 "InternetReadFile(request, 1024) -> 0"));

  PreparedResponse trickle = Ok("abcdef");
  trickle.maxPerRead = 1;
  RecordingInternet slow(trickle);
  EXPECT_EQ(Bytes(WebAccess(slow, "http://h/")), "abcdef");
}

TEST(WebAccess, EarlyFailuresCloseWhatWasOpened) {
  const std::string open = std::string("InternetOpenA(") + kAgent + ", 1, \"\", \"\", 0x0)";
  const std::string connect = "InternetConnectA(root, \"e.test\", 80, \"\", \"\", 3, 0x0, 0)";
  const std::string request =
      "HttpOpenRequestA(connection, \"GET\", \"/\", \"HTTP/1.1\", \"\", null, 0x80084010, 0)";
  const struct {
    const char* name;
    PreparedResponse response;
    std::vector<std::string> calls;
  } cases[] = {
      {"open", {.failOpen = true}, {open}},
      {"connect", {.failConnect = true}, {open, connect, "InternetCloseHandle(root)"}},
      {"request",
       {.failRequest = true},
       {open, connect, request, "InternetCloseHandle(connection)", "InternetCloseHandle(root)"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingInternet internet(c.response);
    Text headers = "x-a: 1";
    Text cookies = "a=1";
    Text received = "r";
    Text responseHeaders = "h";
    ByteSet postBytes{1};
    EXPECT_TRUE(WebAccess(internet, "http://e.test", 0, "", &cookies, &received, &headers,
                          &responseHeaders, false, &postBytes)
                    .empty());
    EXPECT_EQ(internet.calls(), c.calls);
    EXPECT_EQ(internet.openHandles(), 0);
    EXPECT_EQ(headers, Text("X-A: 1"));
    EXPECT_EQ(cookies, Text("a=1"));
    EXPECT_EQ(received, Text("r"));
    EXPECT_EQ(responseHeaders, Text("h"));
    EXPECT_EQ(postBytes, ByteSet({1}));
  }
}

TEST(WebAccess, PortsOutsideTheSixteenBitRangeConnectNowhere) {
  for (const char* address : {"http://h:70000/", "http://h:-1/", "http://h:65536/"}) {
    RecordingInternet internet(Ok("never"));
    EXPECT_TRUE(WebAccess(internet, address).empty()) << address;
    EXPECT_EQ(internet.calls().size(), 2u) << address;
    EXPECT_EQ(internet.calls().back(), "InternetCloseHandle(root)");
  }
  RecordingInternet highest(Ok(""));
  WebAccess(highest, "http://h:65535/");
  EXPECT_THAT(highest.calls()[1], ::testing::HasSubstr(", 65535, "));
}

TEST(WebAccess, AFailedSendGoesOnAndDeliversNothing) {
  PreparedResponse response;
  response.failSend = true;
  RecordingInternet internet(response);
  Text cookies = "a=1";
  Text received = "stale";
  Text responseHeaders;
  EXPECT_TRUE(
      WebAccess(internet, "http://h/", 0, "", &cookies, &received, nullptr, &responseHeaders)
          .empty());
  EXPECT_EQ(responseHeaders, BlankText(5000));
  EXPECT_EQ(received, Text("a=1"));
  EXPECT_EQ(internet.calls().back(), "InternetCloseHandle(root)");
  EXPECT_EQ(internet.openHandles(), 0);
}

TEST(WebAccess, AFailedReadKeepsTheBytesReadBeforeIt) {
  PreparedResponse response = Ok(std::string(3000, 'b'));
  response.failReadAt = 2048;
  RecordingInternet internet(response);
  EXPECT_EQ(Bytes(WebAccess(internet, "http://h/")), std::string(2048, 'b'));
}

TEST(WebAccess, HeaderBlocksLongerThanTheFirstBufferArriveWhole) {
  std::string raw = "HTTP/1.1 200 OK\r\n";
  for (int i = 0; raw.size() < 8192; ++i)
    raw += "X-Filler-" + std::to_string(i) + ": " + std::string(60, 'f') + "\r\n";
  raw += "Set-Cookie: last=1; path=/\r\n\r\n";
  RecordingInternet internet(Ok("body", raw));
  Text received;
  Text responseHeaders;
  EXPECT_EQ(
      Bytes(WebAccess(internet, "http://h/", 0, "", nullptr, &received, nullptr, &responseHeaders)),
      "body");
  EXPECT_EQ(responseHeaders, Text(raw));
  EXPECT_EQ(received, Text("last=1"));
  const std::vector<std::string> queries(internet.calls().end() - 5, internet.calls().end() - 3);
  EXPECT_THAT(queries, ElementsAre("HttpQueryInfoA(request, 22, 5000, null)",
                                   "HttpQueryInfoA(request, 22, " + std::to_string(raw.size() + 1) +
                                       ", null)"));
}

TEST(WebAccess, AFailedHeaderQueryLeavesTheSpaces) {
  PreparedResponse response = Ok("x");
  response.failQuery = true;
  RecordingInternet internet(response);
  Text responseHeaders;
  Text received = "stale";
  EXPECT_EQ(
      Bytes(WebAccess(internet, "http://h/", 0, "", nullptr, &received, nullptr, &responseHeaders)),
      "x");
  EXPECT_EQ(responseHeaders, BlankText(5000));
  EXPECT_EQ(received, Text(""));
}

}  // namespace
}  // namespace sw
