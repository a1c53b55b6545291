// The Internet seam on wininet.dll, bound by name at run time on first use. A system
// without a usable wininet.dll is a fatal error.
//
// Every request gets WinInet's documented time-outs (60 s to connect, 30 s to send or
// receive) unless the caller set others on its root or connection handle: Windows
// applies them by default, Wine's WinInet waits without end.
#pragma once

#include <array>
#include <map>

#include "http/internet.h"

namespace sw {

class WinInetInternet final : public Internet {
 public:
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
  // Connect, send and receive time-outs in milliseconds; 0 where the caller set none.
  using Timeouts = std::array<std::uint32_t, 3>;
  std::map<InternetHandle, Timeouts> timeouts_;              // set on roots and connections
  std::map<InternetHandle, InternetHandle> connectionRoot_;  // connection -> its root
};

}  // namespace sw
