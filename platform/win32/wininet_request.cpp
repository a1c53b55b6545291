#include "platform/win32/wininet_request.h"

#include <algorithm>
#include <cstring>

#include "http/internet.h"
#include "platform/win32/head_budget.h"
#include "platform/win32/head_watchdog.h"

namespace sw::wininet {
namespace {

constexpr int kMaxRedirects = 30;  // the libcurl backend's limit as well
// A response head larger than this fails the request: no real server sends one. The
// slack covers body bytes read together with the head.
constexpr std::uint64_t kMaxHeadBytes = (std::uint64_t{1} << 20) + (std::uint64_t{64} << 10);
// Where reads cannot be refused, a watchdog closes the request this long after the
// head's deadline: a read blocked at the deadline may still end in its own time-out.
constexpr std::uint64_t kWatchdogGraceMs = 5000;
constexpr DWORD kQueryStatusCode = 19 | 0x20000000;  // HTTP_QUERY_STATUS_CODE | _FLAG_NUMBER
constexpr DWORD kQueryLocation = 33;                 // HTTP_QUERY_LOCATION
constexpr DWORD kLocationLimit = 64 * 1024;
constexpr DWORD kErrorTimeout = 12002;   // ERROR_INTERNET_TIMEOUT
constexpr DWORD kErrorToSecure = 12039;  // ERROR_INTERNET_HTTP_TO_HTTPS_ON_REDIR
constexpr DWORD kErrorToPlain = 12040;   // ERROR_INTERNET_HTTPS_TO_HTTP_ON_REDIR

bool IsFollowed(std::uint32_t status) {
  return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

std::optional<std::string> Copy(const char* text) {
  return text == nullptr ? std::nullopt : std::optional<std::string>(text);
}

}  // namespace

int TimeoutIndex(std::uint32_t option) {
  for (std::size_t i = 0; i < kTimeoutOptions.size(); ++i) {
    if (kTimeoutOptions[i] == option) return static_cast<int>(i);
  }
  return -1;
}

const char* Request::Pointer(const Argument& argument) {
  return argument ? argument->c_str() : nullptr;
}

std::unique_ptr<Request> Request::Open(const RequestOpening& opening) {
  std::unique_ptr<Request> request(new Request());
  request->current_.Reset(
      Bound().openRequest(opening.connection, opening.verb, opening.objectName, opening.version,
                          opening.referrer, const_cast<LPCSTR*>(opening.acceptTypes),
                          opening.flags | inet::kFlagNoAutoRedirect, opening.context));
  if (!request->current_) return nullptr;
  request->root_ = opening.root;
  request->callerConnection_ = opening.connection;
  request->address_ = opening.address;
  request->verb_ = Copy(opening.verb);
  request->version_ = Copy(opening.version);
  request->referrer_ = Copy(opening.referrer);
  for (const char* const* type = opening.acceptTypes; type != nullptr && *type != nullptr; ++type) {
    request->acceptTypes_.emplace_back(*type);
  }
  if (opening.acceptTypes != nullptr) {
    for (const std::string& type : request->acceptTypes_) {
      request->acceptPointers_.push_back(type.c_str());
    }
    request->acceptPointers_.push_back(nullptr);
  }
  request->flags_ = opening.flags;
  request->context_ = opening.context;
  request->timeouts_ = opening.timeouts;
  request->Configure(request->current_.get());
  return request;
}

// The time-outs first, then what the caller set, in its order.
void Request::Configure(RawHandle request) const {
  for (std::size_t i = 0; i < kTimeoutOptions.size(); ++i) {
    DWORD value = timeouts_[i];
    Bound().setOption(request, kTimeoutOptions[i], &value, sizeof value);
  }
  for (const Option& option : options_) {
    std::vector<unsigned char> value = option.value;
    Bound().setOption(request, option.option, value.empty() ? nullptr : value.data(),
                      static_cast<DWORD>(value.size()));
  }
}

bool Request::SetOption(std::uint32_t option, const void* buffer, std::uint32_t bufferLength) {
  if (buffer != nullptr && bufferLength == sizeof(DWORD)) {
    DWORD value = 0;
    std::memcpy(&value, buffer, sizeof value);
    const int timeout = TimeoutIndex(option);
    if (timeout != -1 && value != 0) timeouts_[static_cast<std::size_t>(timeout)] = value;
    if (option == inet::kOptionSecurityFlags) securityFlags_ = value;
  }
  // The latest value of an option replaces any earlier one.
  const auto* bytes = static_cast<const unsigned char*>(buffer);
  std::vector<unsigned char> value = bytes == nullptr
                                         ? std::vector<unsigned char>()
                                         : std::vector<unsigned char>(bytes, bytes + bufferLength);
  const auto same = std::find_if(options_.begin(), options_.end(),
                                 [&](const Option& set) { return set.option == option; });
  if (same != options_.end()) options_.erase(same);
  options_.push_back({option, std::move(value)});
  return current_ && Bound().setOption(current_.get(), option, const_cast<void*>(buffer),
                                       bufferLength) != FALSE;
}

// Connecting, sending and receiving the head may take at most the three time-outs
// together, and the head at most kMaxHeadBytes; the body's reads are not bounded so.
bool Request::SendOnce(const char* headers, std::uint32_t headersLength, const void* body,
                       std::uint32_t bodyLength) {
  if (!current_) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  const std::uint64_t deadlineMs =
      std::uint64_t{timeouts_[0]} + std::uint64_t{timeouts_[1]} + std::uint64_t{timeouts_[2]};
  HeadBudget budget(kMaxHeadBytes, deadlineMs);
  std::optional<HeadWatchdog> watchdog;
  if (!HeadBudget::Enforced()) watchdog.emplace(current_.get(), deadlineMs + kWatchdogGraceMs);
  const BOOL sent = Bound().sendRequest(current_.get(), headers, headersLength,
                                        const_cast<void*>(body), bodyLength);
  if (watchdog && watchdog->Stop()) current_.Release();  // closed by the watchdog
  if (budget.Exceeded() || !current_) {
    failed_ = true;
    SetLastError(kErrorTimeout);
    return false;
  }
  return sent != FALSE;
}

std::uint32_t Request::Status() const {
  DWORD status = 0;
  DWORD length = sizeof status;
  if (!Bound().queryInfo(current_.get(), kQueryStatusCode, &status, &length, nullptr)) return 0;
  return status;
}

std::optional<std::string> Request::Location() const {
  std::string buffer(512, '\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    DWORD length = static_cast<DWORD>(buffer.size());
    if (Bound().queryInfo(current_.get(), kQueryLocation, buffer.data(), &length, nullptr)) {
      buffer.resize(length);
      return buffer;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || length <= buffer.size() ||
        length > kLocationLimit) {
      return std::nullopt;
    }
    buffer.assign(length, '\0');
  }
  return std::nullopt;
}

// A redirect keeps to the request's scheme unless a request or security flag lets it
// cross to the other one.
bool Request::MayFollow(const WebAddress& target) const {
  if (target.secure == address_.secure) return true;
  const bool allowed = target.secure
                           ? (flags_ & inet::kFlagIgnoreRedirectToHttps) != 0 ||
                                 (securityFlags_ & inet::kSecurityIgnoreRedirectToHttps) != 0
                           : (flags_ & inet::kFlagIgnoreRedirectToHttp) != 0 ||
                                 (securityFlags_ & inet::kSecurityIgnoreRedirectToHttp) != 0;
  if (!allowed) SetLastError(target.secure ? kErrorToSecure : kErrorToPlain);
  return allowed;
}

bool Request::OpenNext(const WebAddress& target) {
  Handle connection;
  if (!target.SameServer(address_)) {
    connection.Reset(
        Bound().connect(root_, target.host.c_str(), target.port, "", "", inet::kServiceHttp, 0, 0));
    if (!connection) return false;
  }
  const RawHandle parent = connection       ? connection.get()
                           : ownConnection_ ? ownConnection_.get()
                                            : callerConnection_;
  const std::uint32_t flags = (flags_ & ~inet::kFlagSecure) | inet::kFlagNoAutoRedirect |
                              (target.secure ? inet::kFlagSecure : 0);
  Handle next(Bound().openRequest(
      parent, Pointer(verb_), target.object.c_str(), Pointer(version_), Pointer(referrer_),
      acceptPointers_.empty() ? nullptr : const_cast<LPCSTR*>(acceptPointers_.data()), flags,
      context_));
  if (!next) return false;
  Configure(next.get());
  current_ = std::move(next);  // the previous request closes before its connection
  if (connection) ownConnection_ = std::move(connection);
  address_ = target;
  return true;
}

bool Request::Send(const char* headers, std::uint32_t headersLength, const void* body,
                   std::uint32_t bodyLength) {
  failed_ = false;
  bodyWithheld_ = false;
  const bool follow = (flags_ & inet::kFlagNoAutoRedirect) == 0;
  for (int redirects = 0;; ++redirects) {
    if (!SendOnce(headers, headersLength, body, bodyLength)) return false;
    const std::uint32_t status = follow ? Status() : 0;
    if (!IsFollowed(status)) return true;
    const std::optional<std::string> location = Location();
    const std::optional<WebAddress> target =
        location ? ResolveRedirect(address_, *location) : std::nullopt;
    if (!target) return true;
    if (!MayFollow(*target)) return false;
    // As libcurl does at its limit: the last redirect's head, without its body.
    if (redirects == kMaxRedirects) {
      bodyWithheld_ = true;
      return true;
    }
    // 301, 302 and 303 go on as a GET without a body (HEAD stays HEAD); 307 and 308
    // repeat the method and the body.
    const bool keepMethod = status == 307 || status == 308;
    const bool isHead = verb_ && *verb_ == "HEAD";
    if (!keepMethod && !isHead && (!verb_ || *verb_ != "GET" || body != nullptr)) {
      verb_ = "GET";
      body = nullptr;
      bodyLength = 0;
    }
    if (!OpenNext(*target)) return false;
  }
}

bool Request::Read(void* buffer, std::uint32_t bytesToRead, std::uint32_t* bytesRead) {
  if (bytesRead != nullptr) *bytesRead = 0;
  if (failed_ || !current_) return false;
  if (bodyWithheld_) return true;
  DWORD read = 0;
  const BOOL ok = Bound().readFile(current_.get(), buffer, bytesToRead, &read);
  if (bytesRead != nullptr) *bytesRead = read;
  return ok != FALSE;
}

bool Request::Query(std::uint32_t infoLevel, void* buffer, std::uint32_t* bufferLength,
                    std::uint32_t* index) {
  if (!current_) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  DWORD length = bufferLength != nullptr ? *bufferLength : 0;
  DWORD position = index != nullptr ? *index : 0;
  const BOOL ok = Bound().queryInfo(current_.get(), infoLevel, buffer, &length,
                                    index != nullptr ? &position : nullptr);
  if (bufferLength != nullptr) *bufferLength = length;
  if (index != nullptr) *index = position;
  return ok != FALSE;
}

}  // namespace sw::wininet
