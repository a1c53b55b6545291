// An Internet double that records every call with its arguments, one readable line
// per call, and replays a prepared response.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "http/internet.h"

namespace sw::test {

struct PreparedResponse {
  bool failOpen = false;
  bool failConnect = false;
  bool failRequest = false;
  bool failSend = false;  // reads then deliver nothing
  std::string body{};
  std::size_t maxPerRead = 1024;               // the most one read delivers
  std::size_t failReadAt = std::string::npos;  // a read starting at this offset fails
  std::string rawHeaders{};                    // delivered by the header query as WinInet would
  bool failQuery = false;
};

class RecordingInternet final : public Internet {
 public:
  explicit RecordingInternet(PreparedResponse response = {}) : response_(std::move(response)) {}

  // One line per call, e.g. `InternetCloseHandle(request)`.
  const std::vector<std::string>& calls() const { return calls_; }
  // The exact bytes of the last HttpSendRequestA's header block and body, and whether
  // its body pointer was null.
  const std::string& sentHeaders() const { return sentHeaders_; }
  const std::string& sentBody() const { return sentBody_; }
  bool bodyPointerNull() const { return bodyPointerNull_; }
  int openHandles() const { return openHandles_; }

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
  InternetHandle Open(char& tag);
  std::string Name(InternetHandle handle) const;

  PreparedResponse response_;
  std::vector<std::string> calls_;
  std::string sentHeaders_;
  std::string sentBody_;
  bool bodyPointerNull_ = false;
  std::size_t readOffset_ = 0;
  int openHandles_ = 0;
  // Their addresses serve as the three handles.
  char rootTag_ = 0;
  char connectionTag_ = 0;
  char requestTag_ = 0;
};

// A text argument as a C++ literal would show it: quoted, CR and LF escaped, other
// control and non-ASCII bytes as \xNN; a null pointer as `null`.
std::string Quote(const char* text);
std::string Quote(const std::string& bytes);

}  // namespace sw::test
