#include "platform/linux/internet_curl.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "http/percent_encoding.h"

namespace sw {
namespace {

// Time-outs follow WinInet's defaults, so that a dead server cannot hang a request:
// 60 s to connect (INTERNET_OPTION_CONNECT_TIMEOUT) and 30 s without a received byte
// (INTERNET_OPTION_RECEIVE_TIMEOUT), which libcurl expresses as a speed below 1 byte/s
// for that long. Both can be changed with InternetSetOptionA.
constexpr std::uint32_t kDefaultConnectTimeoutMs = 60000;
constexpr std::uint32_t kDefaultReceiveTimeoutMs = 30000;
// WinInet gives up after a bounded number of redirects as well.
constexpr long kMaxRedirects = 30;
constexpr int kPollIntervalMs = 1000;
// Larger socket reads mean fewer trips through libcurl per megabyte of body.
constexpr long kReceiveBufferBytes = 512 * 1024;
// Body bytes held for the reader before libcurl is paused: a fast server cannot make
// the backend buffer the whole body, only about this much at a time.
constexpr std::size_t kPendingLimit = 1024 * 1024;

struct CurlEasyDeleter {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct CurlMultiDeleter {
  void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
struct CurlShareDeleter {
  void operator()(CURLSH* share) const { curl_share_cleanup(share); }
};
struct CurlListDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using CurlEasy = std::unique_ptr<CURL, CurlEasyDeleter>;
using CurlMulti = std::unique_ptr<CURLM, CurlMultiDeleter>;
using CurlShare = std::unique_ptr<CURLSH, CurlShareDeleter>;
using CurlList = std::unique_ptr<curl_slist, CurlListDeleter>;

std::string TextOf(const char* text) {
  return text == nullptr ? std::string() : std::string(text);
}

bool IsHostByte(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
         c == '-' || c == '_';
}

// A verb is an HTTP token; anything else could rewrite the request line.
bool IsVerb(std::string_view verb) {
  return !verb.empty() && std::all_of(verb.begin(), verb.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           std::strchr("!#$%&'*+-.^_`|~", c) != nullptr;
  });
}

// Spaces, control bytes and bytes above 0x7E cannot stand in a request line; they are
// sent percent-encoded.
std::string EscapeObjectName(std::string_view name) {
  std::string out = PercentEncodeUnsafeBytes(name);
  if (out.empty() || out.front() != '/') out.insert(out.begin(), '/');
  return out;
}

// WinInet's proxy list: entries separated by spaces or semicolons, each either
// "scheme=server", for that scheme only, or a bare "server", for every scheme.
std::string ProxyFor(std::string_view list, bool secure) {
  const std::string_view scheme = secure ? "https" : "http";
  std::string bare;
  std::size_t begin = 0;
  while (begin < list.size()) {
    std::size_t end = list.find_first_of("; ", begin);
    if (end == std::string_view::npos) end = list.size();
    const std::string_view entry = list.substr(begin, end - begin);
    begin = end + 1;
    if (entry.empty()) continue;
    const std::size_t equals = entry.find('=');
    if (equals == std::string_view::npos) {
      if (bare.empty()) bare = entry;
    } else if (entry.substr(0, equals) == scheme) {
      return std::string(entry.substr(equals + 1));
    }
  }
  return bare;
}

// "host1;host2 <local>" -> "host1,host2"; libcurl has no notion of "<local>".
std::string NoProxyList(std::string_view bypass) {
  std::string out;
  std::size_t begin = 0;
  while (begin < bypass.size()) {
    std::size_t end = bypass.find_first_of("; ", begin);
    if (end == std::string_view::npos) end = bypass.size();
    const std::string_view entry = bypass.substr(begin, end - begin);
    begin = end + 1;
    if (entry.empty() || entry == "<local>") continue;
    if (!out.empty()) out += ',';
    out += entry;
  }
  return out;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    const auto lower = [](char c) {
      return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    };
    if (lower(text[i]) != lower(prefix[i])) return false;
  }
  return true;
}

// The caller's header block as single lines. A lone CR or LF also ends a line, as in
// WinInet, so that no byte of a value can start a header of its own; lines without a
// colon are not headers and are left out.
std::vector<std::string> HeaderLines(std::string_view block) {
  std::vector<std::string> lines;
  std::size_t begin = 0;
  while (begin <= block.size()) {
    std::size_t end = block.find_first_of("\r\n", begin);
    if (end == std::string_view::npos) end = block.size();
    const std::string_view line = block.substr(begin, end - begin);
    if (line.find(':') != std::string_view::npos) lines.emplace_back(line);
    begin = end + 1;
  }
  return lines;
}

bool HasHeader(const std::vector<std::string>& lines, std::string_view nameWithColon) {
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
    return StartsWithNoCase(line, nameWithColon);
  });
}

struct Timeouts {
  std::uint32_t connectMs = kDefaultConnectTimeoutMs;
  std::uint32_t receiveMs = kDefaultReceiveTimeoutMs;
};

// One exchange in flight: the easy handle runs inside its own multi handle, so the
// body can be pulled as the reader asks for it instead of being held whole.
struct Transfer {
  CurlEasy easy;
  CurlMulti multi;
  CurlList headerList;
  std::string requestBody;
  std::string pending;  // received body bytes not yet read
  std::size_t pendingRead = 0;
  std::string rawHeaders;  // the latest response's header block
  bool headersEnded = false;
  bool paused = false;  // libcurl holds back body bytes until the reader has caught up
  bool finished = false;
  CURLcode result = CURLE_OK;

  Transfer() = default;
  Transfer(const Transfer&) = delete;
  Transfer& operator=(const Transfer&) = delete;
  ~Transfer() {
    if (multi && easy) curl_multi_remove_handle(multi.get(), easy.get());
  }

  std::size_t Available() const { return pending.size() - pendingRead; }

  // Lets libcurl work until it has body bytes for the reader or the exchange is over.
  void RunUntilBodyOrEnd() {
    while (!finished && Available() == 0) {
      if (paused) {
        paused = false;
        curl_easy_pause(easy.get(), CURLPAUSE_CONT);  // may hand over the held bytes at once
        if (Available() != 0) return;
      }
      int running = 0;
      if (curl_multi_perform(multi.get(), &running) != CURLM_OK) {
        Finish(CURLE_RECV_ERROR);
        return;
      }
      if (running == 0) {
        int queued = 0;
        const CURLMsg* message = curl_multi_info_read(multi.get(), &queued);
        Finish(message != nullptr && message->msg == CURLMSG_DONE ? message->data.result
                                                                  : CURLE_RECV_ERROR);
        return;
      }
      if (Available() == 0) curl_multi_poll(multi.get(), nullptr, 0, kPollIntervalMs, nullptr);
    }
  }

  void Finish(CURLcode code) {
    finished = true;
    result = code;
  }

  static std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* self) {
    auto& transfer = *static_cast<Transfer*>(self);
    if (transfer.pendingRead == transfer.pending.size()) {
      transfer.pending.clear();
      transfer.pendingRead = 0;
    } else if (transfer.Available() >= kPendingLimit) {
      transfer.paused = true;
      return CURL_WRITEFUNC_PAUSE;
    }
    transfer.pending.append(data, size * count);
    return size * count;
  }

  // Keeps the header block of the final response only: each status line starts a new
  // block (redirects, "100 Continue", a proxy's CONNECT answer), and lines after the
  // block's empty line (chunked trailers) are not part of it.
  static std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* self) {
    auto& transfer = *static_cast<Transfer*>(self);
    std::string_view line(data, size * count);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    if (line.substr(0, 5) == "HTTP/") {
      transfer.rawHeaders.clear();
      transfer.headersEnded = false;
    } else if (transfer.headersEnded) {
      return size * count;
    }
    transfer.rawHeaders.append(line);
    transfer.rawHeaders += "\r\n";
    if (line.empty()) transfer.headersEnded = true;
    return size * count;
  }
};

enum class Kind { kRoot, kConnection, kRequest };

struct Node {
  explicit Node(Kind ownKind) : kind(ownKind) {}
  // A child handle starts with its parent's settings.
  Node(Kind ownKind, const Node& parent)
      : kind(ownKind),
        agent(parent.agent),
        accessType(parent.accessType),
        proxy(parent.proxy),
        proxyBypass(parent.proxyBypass),
        timeouts(parent.timeouts),
        host(parent.host),
        port(parent.port) {}

  Kind kind;
  // Root settings, copied down so that each handle stands on its own.
  std::string agent;
  std::uint32_t accessType = inet::kOpenTypeDirect;
  std::string proxy;
  std::string proxyBypass;
  Timeouts timeouts;
  // Connection settings.
  std::string host;
  std::uint16_t port = inet::kDefaultPort;
  // Request settings.
  std::string verb;
  std::string objectName;
  std::string version;
  std::string referrer;
  std::string acceptTypes;
  std::uint32_t flags = 0;
  std::uint32_t securityFlags = 0;
  std::unique_ptr<Transfer> transfer;
};

void ApplyProxy(CURL* easy, const Node& request, bool secure) {
  if (request.accessType == inet::kOpenTypeDirect) {
    curl_easy_setopt(easy, CURLOPT_PROXY, "");
  } else if (request.accessType == inet::kOpenTypeProxy) {
    const std::string proxy = ProxyFor(request.proxy, secure);
    curl_easy_setopt(easy, CURLOPT_PROXY, proxy.c_str());
    const std::string noProxy = NoProxyList(request.proxyBypass);
    if (!noProxy.empty()) curl_easy_setopt(easy, CURLOPT_NOPROXY, noProxy.c_str());
  }
}

// The certificate checks that the security flags leave switched on. OpenSSL checks the
// issuer, the dates and the usage in one step, so that step goes only when an
// unknown issuer is accepted.
void ApplySecurity(CURL* easy, std::uint32_t securityFlags) {
  const bool checkPeer = (securityFlags & inet::kSecurityIgnoreUnknownCa) == 0;
  const bool checkHost = (securityFlags & inet::kSecurityIgnoreCertCnInvalid) == 0;
  curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, checkPeer ? 1L : 0L);
  curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, checkHost ? 2L : 0L);
}

// A redirect keeps to the request's own scheme unless a request or security flag lets it
// cross to the other one.
std::string RedirectSchemes(const Node& request, bool secure) {
  if (secure) {
    const bool toPlain = (request.flags & inet::kFlagIgnoreRedirectToHttp) != 0 ||
                         (request.securityFlags & inet::kSecurityIgnoreRedirectToHttp) != 0;
    return toPlain ? "http,https" : "https";
  }
  const bool toSecure = (request.flags & inet::kFlagIgnoreRedirectToHttps) != 0 ||
                        (request.securityFlags & inet::kSecurityIgnoreRedirectToHttps) != 0;
  return toSecure ? "http,https" : "http";
}

void ApplyVerbAndBody(CURL* easy, const std::string& verb, Transfer& transfer, bool hasBody) {
  if (verb == "HEAD") {
    curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
  } else if (hasBody || verb == "POST") {
    curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE,
                     static_cast<curl_off_t>(transfer.requestBody.size()));
    curl_easy_setopt(easy, CURLOPT_POSTFIELDS, transfer.requestBody.data());
    if (verb != "POST") curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, verb.c_str());
  } else if (verb == "GET") {
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
  } else {
    curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, verb.c_str());
  }
}

// Only what the caller asked for is sent: libcurl's own Accept, Content-Type and
// Expect lines are removed unless the block names them.
CurlList BuildHeaderList(std::string_view block, const Node& request) {
  std::vector<std::string> lines = HeaderLines(block);
  if (!request.acceptTypes.empty() && !HasHeader(lines, "Accept:")) {
    lines.push_back("Accept: " + request.acceptTypes);
  }
  for (const char* name : {"Accept:", "Content-Type:", "Expect:"}) {
    if (!HasHeader(lines, name)) lines.emplace_back(name);
  }
  curl_slist* list = nullptr;
  for (const std::string& line : lines) {
    curl_slist* grown = curl_slist_append(list, line.c_str());
    if (grown == nullptr) {
      curl_slist_free_all(list);
      return nullptr;
    }
    list = grown;
  }
  return CurlList(list);
}

}  // namespace

struct CurlInternet::State {
  CurlShare cookieJar;  // the platform's own cookie store, shared by every request
  std::map<InternetHandle, std::unique_ptr<Node>> handles;  // destroyed before the jar

  Node* Find(InternetHandle handle, Kind kind) {
    const auto found = handles.find(handle);
    return found != handles.end() && found->second->kind == kind ? found->second.get() : nullptr;
  }

  InternetHandle Add(std::unique_ptr<Node> node) {
    const auto handle = reinterpret_cast<InternetHandle>(node.get());
    handles.emplace(handle, std::move(node));
    return handle;
  }

  bool Start(Node& request, std::string_view headerBlock, const void* body,
             std::uint32_t bodyLength);
};

bool CurlInternet::State::Start(Node& request, std::string_view headerBlock, const void* body,
                                std::uint32_t bodyLength) {
  request.transfer = std::make_unique<Transfer>();
  Transfer& transfer = *request.transfer;
  const bool secure = (request.flags & inet::kFlagSecure) != 0;
  if (request.host.empty() || !std::all_of(request.host.begin(), request.host.end(), IsHostByte) ||
      !IsVerb(request.verb)) {
    transfer.Finish(CURLE_URL_MALFORMAT);
    return false;
  }
  transfer.easy.reset(curl_easy_init());
  transfer.multi.reset(curl_multi_init());
  if (body != nullptr) transfer.requestBody.assign(static_cast<const char*>(body), bodyLength);
  transfer.headerList = BuildHeaderList(headerBlock, request);
  if (!transfer.easy || !transfer.multi || !transfer.headerList) {
    transfer.Finish(CURLE_OUT_OF_MEMORY);
    return false;
  }

  CURL* easy = transfer.easy.get();
  std::string url = secure ? "https://" : "http://";
  url += request.host;
  if (request.port != inet::kDefaultPort) {
    url += ':';
    url += std::to_string(request.port);
  }
  url += EscapeObjectName(request.objectName);
  curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, kReceiveBufferBytes);
  curl_easy_setopt(easy, CURLOPT_HTTP_VERSION,
                   static_cast<long>(request.version == "HTTP/1.0" ? CURL_HTTP_VERSION_1_0
                                                                   : CURL_HTTP_VERSION_1_1));
  curl_easy_setopt(easy, CURLOPT_USERAGENT, request.agent.c_str());
  if (!request.referrer.empty()) curl_easy_setopt(easy, CURLOPT_REFERER, request.referrer.c_str());
  curl_easy_setopt(easy, CURLOPT_HTTPHEADER, transfer.headerList.get());
  ApplyVerbAndBody(easy, request.verb, transfer, body != nullptr && bodyLength > 0);
  ApplyProxy(easy, request, secure);
  ApplySecurity(easy, request.securityFlags);

  const bool follow = (request.flags & inet::kFlagNoAutoRedirect) == 0;
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, follow ? 1L : 0L);
  curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
  const std::string redirectSchemes = RedirectSchemes(request, secure);
  curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, redirectSchemes.c_str());
  if ((request.flags & inet::kFlagNoCookies) == 0) {
    curl_easy_setopt(easy, CURLOPT_SHARE, cookieJar.get());
    curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");
  }

  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(request.timeouts.connectMs));
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME,
                   std::max(1L, static_cast<long>((request.timeouts.receiveMs + 999) / 1000)));

  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Transfer::OnBody);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Transfer::OnHeader);
  curl_easy_setopt(easy, CURLOPT_HEADERDATA, &transfer);

  if (curl_multi_add_handle(transfer.multi.get(), easy) != CURLM_OK) {
    transfer.easy.reset();
    transfer.Finish(CURLE_FAILED_INIT);
    return false;
  }
  // Like WinInet, the send returns once the response has begun.
  transfer.RunUntilBodyOrEnd();
  return transfer.headersEnded;
}

CurlInternet::CurlInternet() : state_(std::make_unique<State>()) {
  static std::once_flag initialised;
  std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
  state_->cookieJar.reset(curl_share_init());
  if (state_->cookieJar)
    curl_share_setopt(state_->cookieJar.get(), CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
}

CurlInternet::~CurlInternet() = default;

InternetHandle CurlInternet::InternetOpenA(const char* agent, std::uint32_t accessType,
                                           const char* proxy, const char* proxyBypass,
                                           std::uint32_t /*flags*/) {
  auto root = std::make_unique<Node>(Kind::kRoot);
  root->agent = TextOf(agent);
  root->accessType = accessType;
  root->proxy = TextOf(proxy);
  root->proxyBypass = TextOf(proxyBypass);
  return state_->Add(std::move(root));
}

InternetHandle CurlInternet::InternetConnectA(InternetHandle root, const char* serverName,
                                              std::uint16_t serverPort, const char* /*userName*/,
                                              const char* /*password*/, std::uint32_t service,
                                              std::uint32_t /*flags*/, std::uintptr_t /*context*/) {
  const Node* parent = state_->Find(root, Kind::kRoot);
  if (parent == nullptr || service != inet::kServiceHttp) return nullptr;
  auto connection = std::make_unique<Node>(Kind::kConnection, *parent);
  connection->host = TextOf(serverName);
  connection->port = serverPort;
  return state_->Add(std::move(connection));
}

InternetHandle CurlInternet::HttpOpenRequestA(InternetHandle connection, const char* verb,
                                              const char* objectName, const char* version,
                                              const char* referrer, const char* const* acceptTypes,
                                              std::uint32_t flags, std::uintptr_t /*context*/) {
  const Node* parent = state_->Find(connection, Kind::kConnection);
  if (parent == nullptr) return nullptr;
  auto request = std::make_unique<Node>(Kind::kRequest, *parent);
  request->verb = verb == nullptr || *verb == '\0' ? "GET" : verb;
  request->objectName = TextOf(objectName);
  request->version = TextOf(version);
  request->referrer = TextOf(referrer);
  for (const char* const* type = acceptTypes; type != nullptr && *type != nullptr; ++type) {
    if (!request->acceptTypes.empty()) request->acceptTypes += ", ";
    request->acceptTypes += *type;
  }
  request->flags = flags;
  return state_->Add(std::move(request));
}

bool CurlInternet::InternetSetOptionA(InternetHandle handle, std::uint32_t option,
                                      const void* buffer, std::uint32_t bufferLength) {
  const auto found = state_->handles.find(handle);
  if (found == state_->handles.end() || buffer == nullptr ||
      bufferLength != sizeof(std::uint32_t)) {
    return false;
  }
  Node& node = *found->second;
  std::uint32_t value = 0;
  std::memcpy(&value, buffer, sizeof value);
  switch (option) {
    case inet::kOptionSecurityFlags:
      if (node.kind != Kind::kRequest) return false;
      node.securityFlags = value;
      return true;
    case inet::kOptionConnectTimeout:
      if (value != 0) node.timeouts.connectMs = value;
      return true;
    case inet::kOptionReceiveTimeout:
      if (value != 0) node.timeouts.receiveMs = value;
      return true;
    case inet::kOptionSendTimeout:
      return true;  // libcurl's speed limit watches sending as well as receiving
    default:
      return false;
  }
}

bool CurlInternet::HttpSendRequestA(InternetHandle request, const char* headers,
                                    std::uint32_t headersLength, const void* optional,
                                    std::uint32_t optionalLength) {
  Node* node = state_->Find(request, Kind::kRequest);
  if (node == nullptr) return false;
  std::string_view block;
  if (headers != nullptr) {
    // A length of all ones means "up to the terminating zero"; a zero byte always ends
    // the text.
    const std::size_t limit = headersLength == 0xFFFFFFFFu ? std::strlen(headers) : headersLength;
    block = std::string_view(headers, limit);
    block = block.substr(0, block.find('\0'));
  }
  return state_->Start(*node, block, optional, optionalLength);
}

bool CurlInternet::InternetReadFile(InternetHandle file, void* buffer, std::uint32_t bytesToRead,
                                    std::uint32_t* bytesRead) {
  if (bytesRead != nullptr) *bytesRead = 0;
  Node* node = state_->Find(file, Kind::kRequest);
  if (node == nullptr || !node->transfer || bytesRead == nullptr || buffer == nullptr) return false;
  Transfer& transfer = *node->transfer;
  transfer.RunUntilBodyOrEnd();
  const std::size_t count = std::min<std::size_t>(bytesToRead, transfer.Available());
  if (count == 0) return transfer.result == CURLE_OK;
  std::memcpy(buffer, transfer.pending.data() + transfer.pendingRead, count);
  transfer.pendingRead += count;
  *bytesRead = static_cast<std::uint32_t>(count);
  return true;
}

bool CurlInternet::HttpQueryInfoA(InternetHandle request, std::uint32_t infoLevel, void* buffer,
                                  std::uint32_t* bufferLength, std::uint32_t* /*index*/) {
  const Node* node = state_->Find(request, Kind::kRequest);
  if (node == nullptr || !node->transfer || bufferLength == nullptr ||
      infoLevel != inet::kQueryRawHeadersCrlf || node->transfer->rawHeaders.empty()) {
    return false;
  }
  const std::string& text = node->transfer->rawHeaders;
  const auto needed = static_cast<std::uint32_t>(text.size() + 1);
  if (buffer == nullptr || *bufferLength < needed) {
    *bufferLength = needed;
    return false;
  }
  std::memcpy(buffer, text.c_str(), needed);
  *bufferLength = needed - 1;
  return true;
}

bool CurlInternet::InternetCloseHandle(InternetHandle handle) {
  return state_->handles.erase(handle) == 1;
}

}  // namespace sw
