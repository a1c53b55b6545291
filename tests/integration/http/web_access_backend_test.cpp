// WebAccess through the platform's Internet backend against the loopback server of
// server.py, whose port the CTest fixture writes to http_server.port in the working
// directory.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "http/web_access.h"

#ifdef _WIN32
#include "platform/win32/internet_wininet.h"
using PlatformInternet = sw::WinInetInternet;
#else
#include "platform/linux/internet_curl.h"
using PlatformInternet = sw::CurlInternet;
#endif

namespace sw {
namespace {

// Line 1 of the port file: the plain port; line 2: the TLS port; line 3: a second
// plain port.
int PortFromFile(int line) {
  std::ifstream in("http_server.port");
  int value = 0;
  for (int i = 0; i < line; ++i) in >> value;
  return in ? value : 0;
}

int ServerPort() {
  static const int port = PortFromFile(1);
  return port;
}

int TlsPort() {
  static const int port = PortFromFile(2);
  return port;
}

int SecondPort() {
  static const int port = PortFromFile(3);
  return port;
}

std::string Url(const std::string& path, int port = ServerPort()) {
  return "http://127.0.0.1:" + std::to_string(port) + path;
}

std::string Bytes(const ByteSet& set) {
  return std::string(set.view());
}

// What /echo reports: the request line and header lines, then the body.
struct Echo {
  std::string head;
  std::string body;
  bool HasLine(const std::string& line) const {
    return ("\n" + head + "\n").find("\n" + line + "\n") != std::string::npos;
  }
};

Echo ParseEcho(const ByteSet& response) {
  const std::string text = Bytes(response);
  const std::size_t split = text.find("\n\n");
  if (split == std::string::npos) return {text, ""};
  return {text.substr(0, split), text.substr(split + 2)};
}

class Backend : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_GT(ServerPort(), 0) << "no http_server.port in the working directory";
    ASSERT_GT(TlsPort(), 0) << "no TLS port in http_server.port";
    ASSERT_GT(SecondPort(), 0) << "no second plain port in http_server.port";
  }

  // A GET through the seam alone, with the given security flags (none when 0), and the
  // body it delivers.
  std::string SeamGet(const char* server, int port, const char* path, std::uint32_t flags,
                      std::uint32_t securityFlags) {
    const InternetHandle root = internet.InternetOpenA("probe", inet::kOpenTypeDirect, "", "", 0);
    const InternetHandle connection = internet.InternetConnectA(
        root, server, static_cast<std::uint16_t>(port), "", "", inet::kServiceHttp, 0, 0);
    const InternetHandle request =
        internet.HttpOpenRequestA(connection, "GET", path, "HTTP/1.1", "", nullptr, flags, 0);
    std::string body;
    if (request != nullptr) {
      if (securityFlags != 0) {
        internet.InternetSetOptionA(request, inet::kOptionSecurityFlags, &securityFlags,
                                    sizeof securityFlags);
      }
      internet.HttpSendRequestA(request, "", 0, nullptr, 0);
      char buffer[256];
      std::uint32_t read = 0;
      while (internet.InternetReadFile(request, buffer, sizeof buffer, &read) && read > 0) {
        body.append(buffer, read);
      }
      internet.InternetCloseHandle(request);
    }
    if (connection != nullptr) internet.InternetCloseHandle(connection);
    if (root != nullptr) internet.InternetCloseHandle(root);
    return body;
  }

  PlatformInternet internet;
};

TEST_F(Backend, GetDeliversBodyAndRawHeaders) {
  Text headers;
  Text responseHeaders;
  const ByteSet body = WebAccess(internet, Url("/hello").c_str(), 0, "", nullptr, nullptr, &headers,
                                 &responseHeaders);
  EXPECT_EQ(Bytes(body), "hello");
  const std::string raw = responseHeaders.bytes();
  EXPECT_EQ(raw.rfind("HTTP/1.1 200", 0), 0u) << raw;
  ASSERT_GE(raw.size(), 4u);
  EXPECT_EQ(raw.substr(raw.size() - 4), "\r\n\r\n");
  EXPECT_NE(raw.find("Content-Length: 5\r\n"), std::string::npos) << raw;
}

TEST_F(Backend, PostSendsThePreparedHeadersAndBody) {
  Text cookies = "a=1; b=2";
  const Echo echo =
      ParseEcho(WebAccess(internet, Url("/echo?q=1").c_str(), 1, "name=value", &cookies));
  EXPECT_TRUE(echo.HasLine("POST /echo?q=1")) << echo.head;
  EXPECT_TRUE(echo.HasLine("User-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)"))
      << echo.head;
  EXPECT_TRUE(echo.HasLine("Accept: */*")) << echo.head;
  EXPECT_TRUE(echo.HasLine("Referer: " + Url("/echo?q=1"))) << echo.head;
  EXPECT_TRUE(echo.HasLine("Accept-Language: zh-cn")) << echo.head;
  EXPECT_TRUE(echo.HasLine("Content-Type: application/x-www-form-urlencoded")) << echo.head;
  EXPECT_TRUE(echo.HasLine("Cookie: a=1; b=2")) << echo.head;
  EXPECT_TRUE(echo.HasLine("Content-Length: 10")) << echo.head;
  EXPECT_EQ(echo.body, "name=value");
}

TEST_F(Backend, OtherMethodsSendTheirVerbAndBodyWithoutAContentType) {
  ByteSet postBytes{'a', 0, 'b', 0xFF};
  const Echo echo = ParseEcho(WebAccess(internet, Url("/echo").c_str(), 3, "", nullptr, nullptr,
                                        nullptr, nullptr, false, &postBytes));
  EXPECT_TRUE(echo.HasLine("PUT /echo")) << echo.head;
  EXPECT_EQ(echo.head.find("Content-Type"), std::string::npos) << echo.head;
  EXPECT_EQ(echo.body, std::string("a\0b\xFF", 4));
}

// The test certificate is self-signed and names another host than 127.0.0.1. WinInet
// may reuse a secure connection it has accepted once without checking again, so this
// test runs before any other secure request, and its refused cases come first.
TEST_F(Backend, SecurityFlagsDecideWhichCertificatesPass) {
  const std::uint32_t secure = inet::kFlagReload | inet::kFlagSecure;
  const struct {
    std::uint32_t securityFlags;
    bool passes;
  } cases[] = {
      {0, false},
      {inet::kSecurityIgnoreUnknownCa, false},
      {inet::kSecurityIgnoreUnknownCa | inet::kSecurityIgnoreCertCnInvalid, true},
      {inet::kSecurityIgnoreAll, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SeamGet("127.0.0.1", TlsPort(), "/hello", secure, c.securityFlags),
              c.passes ? "hello" : "")
        << std::hex << c.securityFlags;
  }
}

TEST_F(Backend, RedirectsToTheSecureSchemeNeedTheirFlag) {
  const std::uint32_t acceptCertificate =
      inet::kSecurityIgnoreUnknownCa | inet::kSecurityIgnoreCertCnInvalid;
  EXPECT_NE(SeamGet("127.0.0.1", ServerPort(), "/to-tls", inet::kFlagReload, acceptCertificate),
            "hello");
  EXPECT_EQ(SeamGet("127.0.0.1", ServerPort(), "/to-tls",
                    inet::kFlagReload | inet::kFlagIgnoreRedirectToHttps, acceptCertificate),
            "hello");
  EXPECT_EQ(SeamGet("127.0.0.1", ServerPort(), "/to-tls", inet::kFlagReload,
                    acceptCertificate | inet::kSecurityIgnoreRedirectToHttps),
            "hello");
}

TEST_F(Backend, SecureAddressesAcceptTheServersOwnCertificate) {
  Text responseHeaders;
  const std::string address = "https://127.0.0.1:" + std::to_string(TlsPort()) + "/hello";
  EXPECT_EQ(Bytes(WebAccess(internet, address.c_str(), 0, "", nullptr, nullptr, nullptr,
                            &responseHeaders)),
            "hello");
  EXPECT_EQ(responseHeaders.bytes().rfind("HTTP/1.1 200", 0), 0u) << responseHeaders.bytes();
}

TEST_F(Backend, BinaryBodiesKeepTheirZeroBytes) {
  std::string expected;
  for (int round = 0; round < 4; ++round) {
    for (int value = 0; value < 256; ++value) expected += static_cast<char>(value);
  }
  EXPECT_EQ(Bytes(WebAccess(internet, Url("/binary").c_str())), expected);
}

TEST_F(Backend, LargeBodiesArriveWholeAndInOrder) {
  const ByteSet body = WebAccess(internet, Url("/bytes/5000000").c_str());
  ASSERT_EQ(body.Length(), 5000000);
  const std::string pattern = "0123456789abcdef";
  const std::string_view bytes = body.view();
  std::size_t mismatches = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) mismatches += bytes[i] != pattern[i % 16];
  EXPECT_EQ(mismatches, 0u);
}

TEST_F(Backend, SetCookieLinesAreCollectedAndMerged) {
  Text received;
  EXPECT_EQ(Bytes(WebAccess(internet, Url("/cookies").c_str(), 0, "", nullptr, &received)), "c");
  EXPECT_EQ(received, Text("sid=abc; lang=en"));

  Text cookies = "a=1; sid=old";
  WebAccess(internet, Url("/cookies").c_str(), 0, "", &cookies, &received);
  EXPECT_EQ(cookies, Text("sid=abc; lang=en; a=1"));
  EXPECT_EQ(received, cookies);
}

TEST_F(Backend, RedirectsAreFollowedUnlessSwitchedOff) {
  Text responseHeaders;
  EXPECT_EQ(Bytes(WebAccess(internet, Url("/redirect").c_str(), 0, "", nullptr, nullptr, nullptr,
                            &responseHeaders)),
            "hello");
  EXPECT_EQ(responseHeaders.bytes().rfind("HTTP/1.1 200", 0), 0u) << responseHeaders.bytes();

  EXPECT_EQ(Bytes(WebAccess(internet, Url("/redirect").c_str(), 0, "", nullptr, nullptr, nullptr,
                            &responseHeaders, true)),
            "moved");
  EXPECT_EQ(responseHeaders.bytes().rfind("HTTP/1.1 302", 0), 0u) << responseHeaders.bytes();
  EXPECT_NE(responseHeaders.bytes().find("Location: /hello\r\n"), std::string::npos);
}

// Each case ends at /echo, which shows the request that finally arrived. The chain
// goes to the second port through a whole address, on through a relative path and back
// through a scheme-relative one; its last hop exists on the second port only.
TEST_F(Backend, RedirectsChangeServerAndMethodAsBrowsersDo) {
  const struct {
    const char* path;
    int method;
    const char* requestLine;
    const char* body;
  } cases[] = {
      {"/chain/1", 0, "GET /echo?chain", ""},
      {"/chain/1", 1, "GET /echo?chain", ""},  // the 301 makes it a GET
      {"/see-other", 1, "GET /echo?from=303", ""},
      {"/temporary", 1, "POST /echo?from=307", "name=value"},
  };
  for (const auto& c : cases) {
    Text headers = "X-Every-Hop: 1";
    Text responseHeaders;
    const Echo echo = ParseEcho(WebAccess(internet, Url(c.path).c_str(), c.method, "name=value",
                                          nullptr, nullptr, &headers, &responseHeaders));
    EXPECT_TRUE(echo.HasLine(c.requestLine)) << c.path << " " << c.method << "\n" << echo.head;
    EXPECT_TRUE(echo.HasLine("X-Every-Hop: 1")) << c.path << "\n" << echo.head;
    EXPECT_EQ(echo.body, c.body) << c.path << " " << c.method;
    EXPECT_EQ(responseHeaders.bytes().rfind("HTTP/1.1 200", 0), 0u) << responseHeaders.bytes();
  }
}

TEST_F(Backend, APlainAddressGoesThroughTheProxy) {
  const std::string proxy = "127.0.0.1:" + std::to_string(ServerPort());
  const Echo echo =
      ParseEcho(WebAccess(internet, "http://proxied.invalid/echo?via=proxy", 0, "", nullptr,
                          nullptr, nullptr, nullptr, false, nullptr, proxy.c_str()));
  // The request line carries the whole address (WinInet also names the port).
  const std::string requestLine = echo.head.substr(0, echo.head.find('\n'));
  EXPECT_EQ(requestLine.rfind("GET http://proxied.invalid", 0), 0u) << requestLine;
  EXPECT_NE(requestLine.find("/echo?via=proxy"), std::string::npos) << requestLine;
}

TEST_F(Backend, HeadAndEmptyBodiesGiveTheEmptyByteSet) {
  Text responseHeaders;
  EXPECT_TRUE(
      WebAccess(internet, Url("/hello").c_str(), 2, "", nullptr, nullptr, nullptr, &responseHeaders)
          .empty());
  EXPECT_NE(responseHeaders.bytes().find("Content-Length: 5\r\n"), std::string::npos);

  EXPECT_TRUE(
      WebAccess(internet, Url("/empty").c_str(), 0, "", nullptr, nullptr, nullptr, &responseHeaders)
          .empty());
  EXPECT_EQ(responseHeaders.bytes().rfind("HTTP/1.1 200", 0), 0u);
}

TEST_F(Backend, ChunkedBodiesArriveWhole) {
  std::string expected = std::string("chunk-1;") + std::string("\x00\x01\x02", 3);
  for (int i = 0; i < 300; ++i) expected += "chunk-3";
  Text responseHeaders;
  EXPECT_EQ(Bytes(WebAccess(internet, Url("/chunked").c_str(), 0, "", nullptr, nullptr, nullptr,
                            &responseHeaders)),
            expected);
  const std::string raw = responseHeaders.bytes();
  EXPECT_EQ(raw.substr(raw.size() - 4), "\r\n\r\n");
}

TEST_F(Backend, HeaderBlocksOfEightKilobytesArriveWhole) {
  Text received;
  Text responseHeaders;
  EXPECT_EQ(Bytes(WebAccess(internet, Url("/bigheaders").c_str(), 0, "", nullptr, &received,
                            nullptr, &responseHeaders)),
            "big");
  EXPECT_GT(responseHeaders.size(), 8000);
  EXPECT_NE(responseHeaders.bytes().find("X-Filler-099: "), std::string::npos);
  EXPECT_EQ(received, Text("big=1"));
}

TEST_F(Backend, FailedConnectionsGiveTheEmptyByteSet) {
  // Nothing listens on port 1; the other two addresses reach no connection at all.
  for (const std::string& address :
       {Url("/hello", 1), std::string("http:///hello"), Url("/hello", ServerPort() + 65536)}) {
    EXPECT_TRUE(WebAccess(internet, address.c_str()).empty()) << address;
  }
}

TEST_F(Backend, AConnectionClosedMidBodyKeepsTheBytesReadBefore) {
  EXPECT_EQ(Bytes(WebAccess(internet, Url("/truncated").c_str())), std::string(3000, 'a'));
}

TEST_F(Backend, AMalformedStatusLineEndsWithAnEmptyOrPartialBody) {
  const std::string body = Bytes(WebAccess(internet, Url("/malformed").c_str()));
  const std::string sent = "NONSENSE\r\nContent-Length: 4\r\n\r\nbody";
  EXPECT_TRUE(body.empty() || sent.find(body) != std::string::npos) << body;
}

TEST_F(Backend, TextArgumentsEndAtTheirFirstZeroByte) {
  const std::string address = Url("/echo") + std::string("\0/elsewhere", 11);
  Text headers(std::string("X-A: 1\0\r\nX-B: 2", 15));
  const Echo echo =
      ParseEcho(WebAccess(internet, Text(address), 0, "", nullptr, nullptr, &headers));
  EXPECT_TRUE(echo.HasLine("GET /echo")) << echo.head;
  EXPECT_TRUE(echo.HasLine("X-A: 1")) << echo.head;
  EXPECT_EQ(echo.head.find("X-B"), std::string::npos) << echo.head;
}

TEST_F(Backend, LoneLineBreaksInHeadersCannotBreakTheRequest) {
  for (const char* block : {"X-A: 1\nX-B: 2", "X-A: 1\rX-B: 2", "X-A: 1\n\nGET / HTTP/1.1"}) {
    Text headers = block;
    const Echo echo =
        ParseEcho(WebAccess(internet, Url("/echo").c_str(), 0, "", nullptr, nullptr, &headers));
    EXPECT_TRUE(echo.HasLine("GET /echo")) << echo.head;
    EXPECT_TRUE(echo.HasLine("X-A: 1")) << echo.head;
  }
}

// Seam level: a server that sends its headers and then nothing ends in the receive
// time-out instead of hanging. The time-out is set on the root and on the request.
TEST_F(Backend, AStalledServerEndsInTheReceiveTimeout) {
  const InternetHandle root = internet.InternetOpenA("probe", inet::kOpenTypeDirect, "", "", 0);
  ASSERT_NE(root, nullptr);
  const std::uint32_t timeoutMs = 1000;
  internet.InternetSetOptionA(root, inet::kOptionReceiveTimeout, &timeoutMs, sizeof timeoutMs);
  const InternetHandle connection =
      internet.InternetConnectA(root, "127.0.0.1", static_cast<std::uint16_t>(ServerPort()), "", "",
                                inet::kServiceHttp, 0, 0);
  ASSERT_NE(connection, nullptr);
  const InternetHandle request = internet.HttpOpenRequestA(connection, "GET", "/stall", "HTTP/1.1",
                                                           "", nullptr, inet::kFlagReload, 0);
  ASSERT_NE(request, nullptr);
  internet.InternetSetOptionA(request, inet::kOptionReceiveTimeout, &timeoutMs, sizeof timeoutMs);
  internet.HttpSendRequestA(request, "", 0, nullptr, 0);
  char buffer[16];
  std::uint32_t read = 1;
  internet.InternetReadFile(request, buffer, sizeof buffer, &read);
  EXPECT_EQ(read, 0u);
  internet.InternetCloseHandle(request);
  internet.InternetCloseHandle(connection);
  internet.InternetCloseHandle(root);
}

}  // namespace
}  // namespace sw
