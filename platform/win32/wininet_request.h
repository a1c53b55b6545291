// One request of the WinInet backend as its caller sees it. Redirects are followed
// here rather than by WinInet, which follows a redirect loop without end under Wine:
// every real request is opened with INTERNET_FLAG_NO_AUTO_REDIRECT, and a 301, 302,
// 303, 307 or 308 with a usable Location opens the next one (on a connection of its
// own when the server changes), at most 30 times, as the libcurl backend does. The
// caller's reads and header queries then go to the latest real request.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "http/internet.h"
#include "platform/win32/redirect_target.h"
#include "platform/win32/wininet_api.h"

namespace sw::wininet {

// Connect, send and receive time-outs in milliseconds, in the order of these options.
using Timeouts = std::array<std::uint32_t, 3>;
inline constexpr std::array<std::uint32_t, 3> kTimeoutOptions = {
    inet::kOptionConnectTimeout, inet::kOptionSendTimeout, inet::kOptionReceiveTimeout};
// The place of a time-out option in Timeouts, or -1 for another option.
int TimeoutIndex(std::uint32_t option);

struct RequestOpening {
  RawHandle root = nullptr;
  RawHandle connection = nullptr;
  WebAddress address;
  const char* verb = nullptr;
  const char* objectName = nullptr;
  const char* version = nullptr;
  const char* referrer = nullptr;
  const char* const* acceptTypes = nullptr;
  std::uint32_t flags = 0;
  std::uintptr_t context = 0;
  Timeouts timeouts{};
};

class Request {
 public:
  // Null when WinInet refuses the first real request.
  static std::unique_ptr<Request> Open(const RequestOpening& opening);

  bool SetOption(std::uint32_t option, const void* buffer, std::uint32_t bufferLength);
  bool Send(const char* headers, std::uint32_t headersLength, const void* body,
            std::uint32_t bodyLength);
  bool Read(void* buffer, std::uint32_t bytesToRead, std::uint32_t* bytesRead);
  bool Query(std::uint32_t infoLevel, void* buffer, std::uint32_t* bufferLength,
             std::uint32_t* index);

 private:
  struct Option {
    std::uint32_t option;
    std::vector<unsigned char> value;
  };
  // A text argument of HttpOpenRequestA kept for the next real request; null stays null.
  using Argument = std::optional<std::string>;

  Request() = default;
  static const char* Pointer(const Argument& argument);
  void Configure(RawHandle request) const;
  bool SendOnce(const char* headers, std::uint32_t headersLength, const void* body,
                std::uint32_t bodyLength);
  std::uint32_t Status() const;
  std::optional<std::string> Location() const;
  bool MayFollow(const WebAddress& target) const;
  bool OpenNext(const WebAddress& target);

  RawHandle root_ = nullptr;
  RawHandle callerConnection_ = nullptr;
  WebAddress address_;  // of the latest real request
  Argument verb_;
  Argument version_;
  Argument referrer_;
  std::vector<std::string> acceptTypes_;
  std::vector<const char*> acceptPointers_;  // null-terminated, or empty for none
  std::uint32_t flags_ = 0;                  // the caller's
  std::uintptr_t context_ = 0;
  Timeouts timeouts_{};
  std::uint32_t securityFlags_ = 0;
  std::vector<Option> options_;  // set by the caller, set again on every real request
  bool failed_ = false;          // the head broke its budget: nothing to read
  bool bodyWithheld_ = false;    // the redirect limit was reached
  // Declared before the request so that the request closes first.
  Handle ownConnection_;
  Handle current_;
};

}  // namespace sw::wininet
