#include "platform/win32/internet_wininet.h"

#include <windows.h>

#include <cstring>

#include "platform/win32/wininet_api.h"

namespace sw {
namespace {

using wininet::Bound;
using wininet::RawHandle;

// WinInet's documented defaults for connecting, sending and receiving.
constexpr wininet::Timeouts kDefaultTimeoutsMs = {60000, 30000, 30000};

RawHandle Raw(InternetHandle handle) {
  return reinterpret_cast<RawHandle>(handle);
}
InternetHandle Wrap(RawHandle handle) {
  return reinterpret_cast<InternetHandle>(handle);
}

}  // namespace

WinInetInternet::WinInetInternet() = default;
WinInetInternet::~WinInetInternet() = default;

wininet::Request* WinInetInternet::FindRequest(InternetHandle handle) {
  const auto found = requests_.find(handle);
  return found == requests_.end() ? nullptr : found->second.get();
}

InternetHandle WinInetInternet::InternetOpenA(const char* agent, std::uint32_t accessType,
                                              const char* proxy, const char* proxyBypass,
                                              std::uint32_t flags) {
  return Wrap(Bound().open(agent, accessType, proxy, proxyBypass, flags));
}

InternetHandle WinInetInternet::InternetConnectA(InternetHandle root, const char* serverName,
                                                 std::uint16_t serverPort, const char* userName,
                                                 const char* password, std::uint32_t service,
                                                 std::uint32_t flags, std::uintptr_t context) {
  const InternetHandle connection = Wrap(Bound().connect(
      Raw(root), serverName, serverPort, userName, password, service, flags, context));
  if (connection != nullptr) {
    connections_[connection] = {root, serverName != nullptr ? serverName : "", serverPort};
  }
  return connection;
}

InternetHandle WinInetInternet::HttpOpenRequestA(InternetHandle connection, const char* verb,
                                                 const char* objectName, const char* version,
                                                 const char* referrer,
                                                 const char* const* acceptTypes,
                                                 std::uint32_t flags, std::uintptr_t context) {
  const auto found = connections_.find(connection);
  const Connection server =
      found != connections_.end() ? found->second : Connection{nullptr, "", inet::kDefaultPort};
  const wininet::Timeouts none{};
  const auto setOn = [&](InternetHandle handle) {
    const auto timeouts = timeouts_.find(handle);
    return timeouts == timeouts_.end() ? none : timeouts->second;
  };
  const wininet::Timeouts onConnection = setOn(connection);
  const wininet::Timeouts onRoot = setOn(server.root);

  wininet::RequestOpening opening;
  opening.root = Raw(server.root);
  opening.connection = Raw(connection);
  opening.address.secure = (flags & inet::kFlagSecure) != 0;
  opening.address.host = server.host;
  opening.address.port = server.port != inet::kDefaultPort ? server.port
                         : opening.address.secure          ? inet::kHttpsPort
                                                           : inet::kHttpPort;
  opening.address.object = objectName != nullptr && *objectName == '/' ? objectName : "/";
  opening.verb = verb;
  opening.objectName = objectName;
  opening.version = version;
  opening.referrer = referrer;
  opening.acceptTypes = acceptTypes;
  opening.flags = flags;
  opening.context = context;
  for (std::size_t i = 0; i < wininet::kTimeoutOptions.size(); ++i) {
    opening.timeouts[i] = onConnection[i] != 0 ? onConnection[i]
                          : onRoot[i] != 0     ? onRoot[i]
                                               : kDefaultTimeoutsMs[i];
  }
  std::unique_ptr<wininet::Request> request = wininet::Request::Open(opening);
  if (!request) return nullptr;
  const auto handle = reinterpret_cast<InternetHandle>(request.get());
  requests_.emplace(handle, std::move(request));
  return handle;
}

bool WinInetInternet::InternetSetOptionA(InternetHandle handle, std::uint32_t option,
                                         const void* buffer, std::uint32_t bufferLength) {
  if (wininet::Request* request = FindRequest(handle)) {
    return request->SetOption(option, buffer, bufferLength);
  }
  const int timeout = wininet::TimeoutIndex(option);
  if (timeout != -1 && buffer != nullptr && bufferLength == sizeof(DWORD)) {
    DWORD value = 0;
    std::memcpy(&value, buffer, sizeof value);
    timeouts_[handle][static_cast<std::size_t>(timeout)] = value;
  }
  return Bound().setOption(Raw(handle), option, const_cast<void*>(buffer), bufferLength) != FALSE;
}

bool WinInetInternet::HttpSendRequestA(InternetHandle request, const char* headers,
                                       std::uint32_t headersLength, const void* optional,
                                       std::uint32_t optionalLength) {
  wininet::Request* found = FindRequest(request);
  if (found == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  return found->Send(headers, headersLength, optional, optionalLength);
}

bool WinInetInternet::InternetReadFile(InternetHandle file, void* buffer, std::uint32_t bytesToRead,
                                       std::uint32_t* bytesRead) {
  wininet::Request* found = FindRequest(file);
  if (found == nullptr) {
    if (bytesRead != nullptr) *bytesRead = 0;
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  return found->Read(buffer, bytesToRead, bytesRead);
}

bool WinInetInternet::HttpQueryInfoA(InternetHandle request, std::uint32_t infoLevel, void* buffer,
                                     std::uint32_t* bufferLength, std::uint32_t* index) {
  wininet::Request* found = FindRequest(request);
  if (found == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  return found->Query(infoLevel, buffer, bufferLength, index);
}

bool WinInetInternet::InternetCloseHandle(InternetHandle handle) {
  // A request's real requests and the connections it opened close with it.
  if (requests_.erase(handle) == 1) return true;
  timeouts_.erase(handle);
  connections_.erase(handle);
  return Bound().close(Raw(handle)) != FALSE;
}

}  // namespace sw
