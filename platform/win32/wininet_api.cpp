#include "platform/win32/wininet_api.h"

#include <string>

#include "base/fatal.h"

namespace sw::wininet {
namespace {

template <typename Fn>
void Bind(HMODULE module, Fn& function, const char* name) {
  const FARPROC address = GetProcAddress(module, name);
  if (address == nullptr) FatalError(std::string("wininet.dll: cannot bind ") + name);
  // Through void(*)(): the documented way to change a function pointer's type.
  function = reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(address));
}

Api Load() {
  Api api{};
  api.module = LoadLibraryW(L"wininet.dll");
  if (api.module == nullptr) FatalError("wininet.dll cannot be loaded");
  Bind(api.module, api.close, "InternetCloseHandle");
  Bind(api.module, api.connect, "InternetConnectA");
  Bind(api.module, api.open, "InternetOpenA");
  Bind(api.module, api.openRequest, "HttpOpenRequestA");
  Bind(api.module, api.queryInfo, "HttpQueryInfoA");
  Bind(api.module, api.readFile, "InternetReadFile");
  Bind(api.module, api.sendRequest, "HttpSendRequestA");
  Bind(api.module, api.setOption, "InternetSetOptionA");
  return api;
}

}  // namespace

const Api& Bound() {
  static const Api api = Load();
  return api;
}

}  // namespace sw::wininet
