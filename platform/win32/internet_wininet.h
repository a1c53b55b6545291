// The Internet seam on wininet.dll (platform/win32/wininet_api.h binds it at run time).
//
// Every request gets WinInet's documented time-outs (60 s to connect, 30 s to send or
// receive) unless the caller set others on its root or connection handle: Windows
// applies them by default, Wine's WinInet waits without end. Redirects are followed by
// the backend itself, with a limit, and a response head is bounded in size and time
// (platform/win32/wininet_request.h).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "http/internet.h"
#include "platform/win32/wininet_request.h"

namespace sw {

class WinInetInternet final : public Internet {
 public:
  WinInetInternet();
  ~WinInetInternet() override;
  WinInetInternet(const WinInetInternet&) = delete;
  WinInetInternet& operator=(const WinInetInternet&) = delete;

  InternetHandle InternetOpenA(const char* agent, std::uint32_t accessType, const char* proxy,
                               const char* proxyBypass, std::uint32_t flags) override;
  InternetHandle InternetConnectA(InternetHandle root, const char* serverName,
                                  std::uint16_t serverPort, const char* userName,
                                  const char* password, std::uint32_t service, std::uint32_t flags,
                                  std::uintptr_t context) override;
  InternetHandle HttpOpenRequestA(InternetHandle connection, const char* verb,
                                  const char* objectName, const char* version, const char* referrer,
                                  const char* const* acceptTypes, std::uint32_t flags,
                                  std::uintptr_t context) override;
  bool InternetSetOptionA(InternetHandle handle, std::uint32_t option, const void* buffer,
                          std::uint32_t bufferLength) override;
  bool HttpSendRequestA(InternetHandle request, const char* headers, std::uint32_t headersLength,
                        const void* optional, std::uint32_t optionalLength) override;
  bool InternetReadFile(InternetHandle file, void* buffer, std::uint32_t bytesToRead,
                        std::uint32_t* bytesRead) override;
  bool HttpQueryInfoA(InternetHandle request, std::uint32_t infoLevel, void* buffer,
                      std::uint32_t* bufferLength, std::uint32_t* index) override;
  bool InternetCloseHandle(InternetHandle handle) override;

 private:
  struct Connection {
    InternetHandle root;
    std::string host;
    std::uint16_t port;
  };
  wininet::Request* FindRequest(InternetHandle handle);

  // Time-outs the caller set on roots and connections; 0 where it set none.
  std::map<InternetHandle, wininet::Timeouts> timeouts_;
  std::map<InternetHandle, Connection> connections_;
  // The caller's request handles are these objects' addresses; each holds the real
  // WinInet request it currently answers from.
  std::map<InternetHandle, std::unique_ptr<wininet::Request>> requests_;
};

}  // namespace sw
