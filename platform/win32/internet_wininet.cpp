#include "platform/win32/internet_wininet.h"

#include <windows.h>

#include <array>
#include <cstring>
#include <string>

#include "base/fatal.h"

namespace sw {
namespace {

// wininet.dll's own signatures, declared here so that no import library is needed.
using RawHandle = void*;
using OpenFn = RawHandle(WINAPI*)(LPCSTR, DWORD, LPCSTR, LPCSTR, DWORD);
using ConnectFn = RawHandle(WINAPI*)(RawHandle, LPCSTR, WORD, LPCSTR, LPCSTR, DWORD, DWORD,
                                     DWORD_PTR);
using OpenRequestFn = RawHandle(WINAPI*)(RawHandle, LPCSTR, LPCSTR, LPCSTR, LPCSTR, LPCSTR*, DWORD,
                                         DWORD_PTR);
using SetOptionFn = BOOL(WINAPI*)(RawHandle, DWORD, LPVOID, DWORD);
using SendRequestFn = BOOL(WINAPI*)(RawHandle, LPCSTR, DWORD, LPVOID, DWORD);
using ReadFileFn = BOOL(WINAPI*)(RawHandle, LPVOID, DWORD, LPDWORD);
using QueryInfoFn = BOOL(WINAPI*)(RawHandle, DWORD, LPVOID, LPDWORD, LPDWORD);
using CloseHandleFn = BOOL(WINAPI*)(RawHandle);

// Owns the loaded module for the life of the process.
class Module {
 public:
  explicit Module(const wchar_t* name) : module_(LoadLibraryW(name)) {}
  ~Module() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;
  HMODULE get() const { return module_; }

 private:
  HMODULE module_;
};

struct WinInet {
  Module module{L"wininet.dll"};
  OpenFn open = nullptr;
  ConnectFn connect = nullptr;
  OpenRequestFn openRequest = nullptr;
  SetOptionFn setOption = nullptr;
  SendRequestFn sendRequest = nullptr;
  ReadFileFn readFile = nullptr;
  QueryInfoFn queryInfo = nullptr;
  CloseHandleFn closeHandle = nullptr;

  template <typename Fn>
  void Bind(Fn& function, const char* name) {
    const FARPROC address = module.get() == nullptr ? nullptr : GetProcAddress(module.get(), name);
    if (address == nullptr) FatalError(std::string("wininet.dll: cannot bind ") + name);
    // Through void(*)(): the documented way to change a function pointer's type.
    function = reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(address));
  }

  WinInet() {
    if (module.get() == nullptr) FatalError("wininet.dll cannot be loaded");
    Bind(open, "InternetOpenA");
    Bind(connect, "InternetConnectA");
    Bind(openRequest, "HttpOpenRequestA");
    Bind(setOption, "InternetSetOptionA");
    Bind(sendRequest, "HttpSendRequestA");
    Bind(readFile, "InternetReadFile");
    Bind(queryInfo, "HttpQueryInfoA");
    Bind(closeHandle, "InternetCloseHandle");
  }
};

// Loaded on the first call, once.
const WinInet& Api() {
  static const WinInet api;
  return api;
}

// INTERNET_OPTION_CONNECT_TIMEOUT, _SEND_TIMEOUT and _RECEIVE_TIMEOUT with WinInet's
// documented defaults.
constexpr std::array<std::uint32_t, 3> kTimeoutOptions = {
    inet::kOptionConnectTimeout, inet::kOptionSendTimeout, inet::kOptionReceiveTimeout};
constexpr std::array<std::uint32_t, 3> kDefaultTimeoutsMs = {60000, 30000, 30000};

int TimeoutIndex(std::uint32_t option) {
  for (std::size_t i = 0; i < kTimeoutOptions.size(); ++i) {
    if (kTimeoutOptions[i] == option) return static_cast<int>(i);
  }
  return -1;
}

RawHandle Raw(InternetHandle handle) {
  return reinterpret_cast<RawHandle>(handle);
}
InternetHandle Wrap(RawHandle handle) {
  return reinterpret_cast<InternetHandle>(handle);
}

}  // namespace

InternetHandle WinInetInternet::InternetOpenA(const char* agent, std::uint32_t accessType,
                                              const char* proxy, const char* proxyBypass,
                                              std::uint32_t flags) {
  return Wrap(Api().open(agent, accessType, proxy, proxyBypass, flags));
}

InternetHandle WinInetInternet::InternetConnectA(InternetHandle root, const char* serverName,
                                                 std::uint16_t serverPort, const char* userName,
                                                 const char* password, std::uint32_t service,
                                                 std::uint32_t flags, std::uintptr_t context) {
  const InternetHandle connection = Wrap(Api().connect(Raw(root), serverName, serverPort, userName,
                                                       password, service, flags, context));
  if (connection != nullptr) connectionRoot_[connection] = root;
  return connection;
}

InternetHandle WinInetInternet::HttpOpenRequestA(InternetHandle connection, const char* verb,
                                                 const char* objectName, const char* version,
                                                 const char* referrer,
                                                 const char* const* acceptTypes,
                                                 std::uint32_t flags, std::uintptr_t context) {
  // WinInet declares the list without const but only reads it.
  const InternetHandle request =
      Wrap(Api().openRequest(Raw(connection), verb, objectName, version, referrer,
                             const_cast<LPCSTR*>(acceptTypes), flags, context));
  if (request == nullptr) return nullptr;
  const auto root = connectionRoot_.find(connection);
  const Timeouts none{};
  const auto setOn = [&](InternetHandle handle) {
    const auto found = timeouts_.find(handle);
    return found == timeouts_.end() ? none : found->second;
  };
  const Timeouts onConnection = setOn(connection);
  const Timeouts onRoot = root == connectionRoot_.end() ? none : setOn(root->second);
  for (std::size_t i = 0; i < kTimeoutOptions.size(); ++i) {
    DWORD value = onConnection[i] != 0 ? onConnection[i]
                  : onRoot[i] != 0     ? onRoot[i]
                                       : kDefaultTimeoutsMs[i];
    Api().setOption(Raw(request), kTimeoutOptions[i], &value, sizeof value);
  }
  return request;
}

bool WinInetInternet::InternetSetOptionA(InternetHandle handle, std::uint32_t option,
                                         const void* buffer, std::uint32_t bufferLength) {
  const int timeout = TimeoutIndex(option);
  if (timeout != -1 && buffer != nullptr && bufferLength == sizeof(DWORD)) {
    DWORD value = 0;
    std::memcpy(&value, buffer, sizeof value);
    timeouts_[handle][static_cast<std::size_t>(timeout)] = value;
  }
  return Api().setOption(Raw(handle), option, const_cast<void*>(buffer), bufferLength) != FALSE;
}

bool WinInetInternet::HttpSendRequestA(InternetHandle request, const char* headers,
                                       std::uint32_t headersLength, const void* optional,
                                       std::uint32_t optionalLength) {
  return Api().sendRequest(Raw(request), headers, headersLength, const_cast<void*>(optional),
                           optionalLength) != FALSE;
}

bool WinInetInternet::InternetReadFile(InternetHandle file, void* buffer, std::uint32_t bytesToRead,
                                       std::uint32_t* bytesRead) {
  DWORD read = 0;
  const BOOL ok = Api().readFile(Raw(file), buffer, bytesToRead, &read);
  if (bytesRead != nullptr) *bytesRead = read;
  return ok != FALSE;
}

bool WinInetInternet::HttpQueryInfoA(InternetHandle request, std::uint32_t infoLevel, void* buffer,
                                     std::uint32_t* bufferLength, std::uint32_t* index) {
  DWORD length = bufferLength != nullptr ? *bufferLength : 0;
  DWORD position = index != nullptr ? *index : 0;
  const BOOL ok = Api().queryInfo(Raw(request), infoLevel, buffer, &length,
                                  index != nullptr ? &position : nullptr);
  if (bufferLength != nullptr) *bufferLength = length;
  if (index != nullptr) *index = position;
  return ok != FALSE;
}

bool WinInetInternet::InternetCloseHandle(InternetHandle handle) {
  timeouts_.erase(handle);
  connectionRoot_.erase(handle);
  return Api().closeHandle(Raw(handle)) != FALSE;
}

}  // namespace sw
