// The eight Windows Internet calls a web request needs, with exactly their arguments
// and flags, so that a recording double can check a request call by call.
// Backends: platform/win32/internet_wininet.* (wininet.dll), platform/linux/internet_curl.*.
#pragma once

#include <cstdint>

namespace sw {

// An open root, connection or request; null means the call failed.
using InternetHandle = struct InternetHandleTag*;

namespace inet {

// Access types of InternetOpenA.
inline constexpr std::uint32_t kOpenTypeDirect = 1;  // INTERNET_OPEN_TYPE_DIRECT
inline constexpr std::uint32_t kOpenTypeProxy = 3;   // INTERNET_OPEN_TYPE_PROXY

// Service of InternetConnectA.
inline constexpr std::uint32_t kServiceHttp = 3;  // INTERNET_SERVICE_HTTP
// Port 0 asks for the service's default port.
inline constexpr std::uint16_t kDefaultPort = 0;  // INTERNET_INVALID_PORT_NUMBER
inline constexpr std::uint16_t kHttpPort = 80;    // INTERNET_DEFAULT_HTTP_PORT
inline constexpr std::uint16_t kHttpsPort = 443;  // INTERNET_DEFAULT_HTTPS_PORT

// Request flags of HttpOpenRequestA.
inline constexpr std::uint32_t kFlagReload = 0x80000000;          // INTERNET_FLAG_RELOAD
inline constexpr std::uint32_t kFlagNeedFile = 0x00000010;        // INTERNET_FLAG_NEED_FILE
inline constexpr std::uint32_t kFlagNoCookies = 0x00080000;       // INTERNET_FLAG_NO_COOKIES
inline constexpr std::uint32_t kFlagNoAutoRedirect = 0x00200000;  // INTERNET_FLAG_NO_AUTO_REDIRECT
inline constexpr std::uint32_t kFlagSecure = 0x00800000;          // INTERNET_FLAG_SECURE
// INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS and INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTP.
inline constexpr std::uint32_t kFlagIgnoreRedirectToHttps = 0x00004000;
inline constexpr std::uint32_t kFlagIgnoreRedirectToHttp = 0x00008000;

// InternetSetOptionA: options with a 4-byte value. The time-outs are in milliseconds.
inline constexpr std::uint32_t kOptionConnectTimeout = 2;  // INTERNET_OPTION_CONNECT_TIMEOUT
inline constexpr std::uint32_t kOptionSendTimeout = 5;     // INTERNET_OPTION_SEND_TIMEOUT
inline constexpr std::uint32_t kOptionReceiveTimeout = 6;  // INTERNET_OPTION_RECEIVE_TIMEOUT
inline constexpr std::uint32_t kOptionSecurityFlags = 31;  // INTERNET_OPTION_SECURITY_FLAGS
// The security flags (SECURITY_FLAG_IGNORE_...) of INTERNET_OPTION_SECURITY_FLAGS.
inline constexpr std::uint32_t kSecurityIgnoreRevocation = 0x00000080;
inline constexpr std::uint32_t kSecurityIgnoreUnknownCa = 0x00000100;
inline constexpr std::uint32_t kSecurityIgnoreWrongUsage = 0x00000200;
inline constexpr std::uint32_t kSecurityIgnoreCertCnInvalid = 0x00001000;
inline constexpr std::uint32_t kSecurityIgnoreCertDateInvalid = 0x00002000;
inline constexpr std::uint32_t kSecurityIgnoreRedirectToHttps = 0x00004000;
inline constexpr std::uint32_t kSecurityIgnoreRedirectToHttp = 0x00008000;
inline constexpr std::uint32_t kSecurityIgnoreWeakSignature = 0x00010000;
// Any certificate is accepted; redirects between secure and plain addresses are allowed.
inline constexpr std::uint32_t kSecurityIgnoreAll =
    kSecurityIgnoreRevocation | kSecurityIgnoreUnknownCa | kSecurityIgnoreWrongUsage |
    kSecurityIgnoreCertCnInvalid | kSecurityIgnoreCertDateInvalid | kSecurityIgnoreRedirectToHttps |
    kSecurityIgnoreRedirectToHttp | kSecurityIgnoreWeakSignature;
static_assert(kSecurityIgnoreAll == 0x0001F380);

// Info level of HttpQueryInfoA: every response header, the status line first, each
// line ended by CR LF, an empty line last.
inline constexpr std::uint32_t kQueryRawHeadersCrlf = 22;  // HTTP_QUERY_RAW_HEADERS_CRLF

}  // namespace inet

// Texts are zero-terminated bytes; a null text pointer is allowed where WinInet allows
// it. Every call blocks until it completes.
class Internet {
 public:
  virtual ~Internet() = default;

  virtual InternetHandle InternetOpenA(const char* agent, std::uint32_t accessType,
                                       const char* proxy, const char* proxyBypass,
                                       std::uint32_t flags) = 0;
  virtual InternetHandle InternetConnectA(InternetHandle root, const char* serverName,
                                          std::uint16_t serverPort, const char* userName,
                                          const char* password, std::uint32_t service,
                                          std::uint32_t flags, std::uintptr_t context) = 0;
  // acceptTypes is a null-terminated list of texts, or null for none.
  virtual InternetHandle HttpOpenRequestA(InternetHandle connection, const char* verb,
                                          const char* objectName, const char* version,
                                          const char* referrer, const char* const* acceptTypes,
                                          std::uint32_t flags, std::uintptr_t context) = 0;
  virtual bool InternetSetOptionA(InternetHandle handle, std::uint32_t option, const void* buffer,
                                  std::uint32_t bufferLength) = 0;
  // Sends the request with the header block (headersLength bytes) and the body.
  virtual bool HttpSendRequestA(InternetHandle request, const char* headers,
                                std::uint32_t headersLength, const void* optional,
                                std::uint32_t optionalLength) = 0;
  // Reads up to bytesToRead body bytes; *bytesRead is 0 at the end of the body.
  virtual bool InternetReadFile(InternetHandle file, void* buffer, std::uint32_t bytesToRead,
                                std::uint32_t* bytesRead) = 0;
  // On success writes the text and its terminating zero and sets *bufferLength to the
  // text's length. When the buffer is too small it fails and sets *bufferLength to the
  // size needed, terminating zero included.
  virtual bool HttpQueryInfoA(InternetHandle request, std::uint32_t infoLevel, void* buffer,
                              std::uint32_t* bufferLength, std::uint32_t* index) = 0;
  virtual bool InternetCloseHandle(InternetHandle handle) = 0;
};

}  // namespace sw
