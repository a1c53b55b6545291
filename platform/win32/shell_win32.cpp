#include "platform/win32/shell_win32.h"

// After the project's headers (windows.h defines macros that would rename their
// names); shellapi.h needs windows.h before it.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

namespace sw {

bool IsWebAddress(const Text& address) {
  return FindText(address, "http://", 1, true) == 1 || FindText(address, "https://", 1, true) == 1;
}

void Win32Shell::OpenWebAddress(const Text& address) {
  if (!IsWebAddress(address)) return;
  // A browser window found by its title, if any, owns the request; none is fine too.
  HWND owner = FindWindowExA(nullptr, nullptr, nullptr, "Microsoft Internet Explorer");
  ShellExecuteA(owner, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace sw
