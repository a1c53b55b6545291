#include "http/web_access.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "base/text_array.h"
#include "http/body_buffer.h"
#include "http/cookies.h"
#include "http/headers.h"
#include "http/url.h"

namespace sw {
namespace {

constexpr char kDefaultUserAgent[] = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";
constexpr char kHttpVersion[] = "HTTP/1.1";
constexpr char kPlainProxyPrefix[] = "http=";
constexpr char kLineBreak[] = "\r\n";
constexpr std::array<const char*, 8> kVerbs = {"GET",     "POST",   "HEAD",  "PUT",
                                               "OPTIONS", "DELETE", "TRACE", "CONNECT"};
constexpr int kMethodGet = 0;
constexpr int kMethodPost = 1;
constexpr std::uint32_t kReadChunk = 1024;
// The first header query uses a buffer of this many spaces; a longer header block is
// asked for again with the size the platform reports.
constexpr std::uint32_t kRawHeaderBuffer = 5000;
constexpr int kRawHeaderAttempts = 4;

// Closes an open handle when it goes out of scope; declared root, connection, request,
// so they close in the reverse order.
class OpenHandle {
 public:
  OpenHandle(Internet& internet, InternetHandle handle) : internet_(internet), handle_(handle) {}
  OpenHandle(const OpenHandle&) = delete;
  OpenHandle& operator=(const OpenHandle&) = delete;
  ~OpenHandle() {
    if (handle_ != nullptr) internet_.InternetCloseHandle(handle_);
  }
  InternetHandle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  Internet& internet_;
  InternetHandle handle_;
};

Text UserAgentOf(const Text& headers) {
  if (FindText(headers, "User-Agent:", std::nullopt, true) == -1) return kDefaultUserAgent;
  const Text agent = Trim(TextBetween(Concat(headers, kLineBreak), "User-Agent:", kLineBreak));
  return agent.empty() ? HeaderValue(headers) : agent;
}

std::uint32_t RequestFlags(bool cookiesSupplied, bool noRedirect, bool secure) {
  std::uint32_t flags = inet::kFlagReload | inet::kFlagNeedFile;
  if (cookiesSupplied) flags |= inet::kFlagNoCookies;
  if (noRedirect) flags |= inet::kFlagNoAutoRedirect;
  flags |= secure ? inet::kFlagSecure : inet::kFlagIgnoreRedirectToHttps;
  return flags;
}

void CompleteHeaders(Text& headers, const Text& address, int method) {
  if (headers.empty()) headers = "Accept: */*";
  EnsureHeader(headers, "Accept:", "\r\nAccept: */*");
  EnsureHeader(headers, "Referer:", Concat("\r\nReferer: ", address));
  EnsureHeader(headers, "Accept-Language:", "\r\nAccept-Language: zh-cn");
  if (method == kMethodPost) {
    EnsureHeader(headers, "Content-Type:", "\r\nContent-Type: application/x-www-form-urlencoded");
  }
}

void AppendCookieLine(Text& headers, const Text& cookies) {
  if (cookies.empty()) return;
  const bool hasOwnName = FindText(cookies, "Cookie:") != -1;
  headers = Concat(headers, hasOwnName ? kLineBreak : "\r\nCookie: ", cookies);
}

ByteSet ReadBody(Internet& internet, InternetHandle request) {
  BodyBuffer body;
  for (;;) {
    std::uint32_t read = 0;
    const bool ok = internet.InternetReadFile(request, body.Room(kReadChunk), kReadChunk, &read);
    if (!ok || read == 0) break;
    body.Keep(std::min(read, kReadChunk));
  }
  return body.Take();
}

// The raw header text, or the untouched buffer of spaces when the platform delivers
// nothing.
Text QueryRawHeaders(Internet& internet, InternetHandle request) {
  std::string buffer(kRawHeaderBuffer, ' ');
  std::uint32_t length = kRawHeaderBuffer;
  bool ok =
      internet.HttpQueryInfoA(request, inet::kQueryRawHeadersCrlf, buffer.data(), &length, nullptr);
  for (int attempt = 1; !ok && length > buffer.size() && attempt < kRawHeaderAttempts; ++attempt) {
    buffer.assign(length, ' ');
    ok = internet.HttpQueryInfoA(request, inet::kQueryRawHeadersCrlf, buffer.data(), &length,
                                 nullptr);
  }
  if (!ok) return BlankText(static_cast<int>(kRawHeaderBuffer));
  // The text ends at its terminating zero; std::string keeps one past the end as well.
  return Text(buffer.c_str());
}

}  // namespace

Text CollectReceivedCookies(const Text& rawHeaders) {
  std::string received;
  for (const Text& line : SplitText(rawHeaders, Text(kLineBreak))) {
    if (TextLeftOf(line, ": ") != Text("Set-Cookie")) continue;
    const Text pair = FindText(line, ";") != -1
                          ? Trim(TextBetween(line, "Set-Cookie:", ";"))
                          : Trim(ReplaceText(line, "Set-Cookie:", std::nullopt, std::nullopt,
                                             std::nullopt, false));
    received += pair.bytes();
    received += "; ";
  }
  return TextLeft(Text(received), static_cast<int>(received.size()) - 2);
}

ByteSet WebAccess(Internet& internet, const Text& address, int method, const Text& postText,
                  Text* cookies, Text* receivedCookies, Text* headers, Text* responseHeaders,
                  bool noRedirect, ByteSet* postBytes, const Text& proxy, bool autoMergeCookies,
                  bool completeHeaders, bool normalizeHeaderNames) {
  // Out-parameters the caller left out are still computed, into these.
  Text droppedHeaders;
  Text droppedReceived;
  Text droppedResponseHeaders;
  ByteSet droppedPostBytes;
  Text& block = headers != nullptr ? *headers : droppedHeaders;
  Text& received = receivedCookies != nullptr ? *receivedCookies : droppedReceived;
  Text& rawHeaders = responseHeaders != nullptr ? *responseHeaders : droppedResponseHeaders;
  ByteSet& bodyToSend = postBytes != nullptr ? *postBytes : droppedPostBytes;

  if (normalizeHeaderNames) block = NormalizeHeaders(block);
  if (method < 0 || method >= static_cast<int>(kVerbs.size())) method = kMethodGet;
  const bool secure = ToLower(TextLeft(address, 8)) == Text("https://");
  const Text agent = UserAgentOf(block);

  ByteSet body;
  {
    const bool direct = proxy.empty();
    const Text proxyText = direct ? Text() : secure ? proxy : Concat(kPlainProxyPrefix, proxy);
    const OpenHandle root(
        internet,
        internet.InternetOpenA(agent.c_str(), direct ? inet::kOpenTypeDirect : inet::kOpenTypeProxy,
                               proxyText.c_str(), "", 0));
    if (!root) return ByteSet();

    // A port no connection can use fails like a refused connection instead of being
    // cut to 16 bits, which would reach some other port.
    const int port = UrlPort(address);
    const bool portUsable = port >= 0 && port <= 0xFFFF;
    const OpenHandle connection(
        internet, portUsable ? internet.InternetConnectA(root.get(), UrlHost(address).c_str(),
                                                         static_cast<std::uint16_t>(port), "", "",
                                                         inet::kServiceHttp, 0, 0)
                             : nullptr);
    if (!connection) return ByteSet();

    const OpenHandle request(
        internet, internet.HttpOpenRequestA(
                      connection.get(), kVerbs[method], UrlPath(address).c_str(), kHttpVersion, "",
                      nullptr, RequestFlags(cookies != nullptr, noRedirect, secure), 0));
    if (!request) return ByteSet();

    const std::uint32_t securityFlags = inet::kSecurityIgnoreAll;
    internet.InternetSetOptionA(request.get(), inet::kOptionSecurityFlags, &securityFlags,
                                sizeof(securityFlags));

    if (completeHeaders) CompleteHeaders(block, address, method);
    if (cookies != nullptr) AppendCookieLine(block, *cookies);

    if (method == kMethodGet) {
      internet.HttpSendRequestA(request.get(), block.c_str(),
                                static_cast<std::uint32_t>(block.size()), nullptr, 0);
    } else {
      if (bodyToSend.empty()) bodyToSend = ToBytes(postText);
      internet.HttpSendRequestA(request.get(), block.c_str(),
                                static_cast<std::uint32_t>(block.size()), ByteSetData(bodyToSend),
                                static_cast<std::uint32_t>(ByteSetLength(bodyToSend)));
    }

    body = ReadBody(internet, request.get());
    rawHeaders = QueryRawHeaders(internet, request.get());
  }  // request, connection and root close here, in that order

  received = CollectReceivedCookies(rawHeaders);
  if (autoMergeCookies && cookies != nullptr) received = MergeCookies(*cookies, received);
  return body;
}

}  // namespace sw
