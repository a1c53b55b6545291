#include "platform/win32/desktop_win32.h"

#include <cstdio>
#include <new>
#include <vector>

#include "base/fatal.h"
#include "platform/win32/absolute_input.h"
#include "platform/win32/desktop_dpi_win32.h"

// After the project's headers: windows.h defines macros that would rename their names.
// clang-format off
#include <windows.h>
// clang-format on

namespace sw {
namespace {

using GetWindowRectFn = BOOL(WINAPI*)(HWND, LPRECT);

// Bound by name from user32 on first use; a system without it cannot run the watcher.
GetWindowRectFn BoundGetWindowRect() {
  static const GetWindowRectFn function = [] {
    HMODULE user32 = GetModuleHandleA("user32");
    if (user32 == nullptr) user32 = LoadLibraryA("user32");
    FARPROC address = user32 != nullptr ? GetProcAddress(user32, "GetWindowRect") : nullptr;
    if (address == nullptr) FatalError("GetWindowRect could not be bound from user32");
    return reinterpret_cast<GetWindowRectFn>(reinterpret_cast<void*>(address));
  }();
  return function;
}

BOOL CALLBACK CollectVisible(HWND window, LPARAM table) {
  if ((GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0) {
    try {
      reinterpret_cast<std::vector<HWND>*>(table)->push_back(window);
    } catch (const std::bad_alloc&) {
      FatalError("out of memory while listing the windows");
    }
  }
  return TRUE;  // every top-level window is examined
}

DWORD MouseFlag(ButtonEvent event) {
  switch (event) {
    case ButtonEvent::kLeftDown:
      return MOUSEEVENTF_LEFTDOWN;
    case ButtonEvent::kLeftUp:
      return MOUSEEVENTF_LEFTUP;
    case ButtonEvent::kRightDown:
      return MOUSEEVENTF_RIGHTDOWN;
    case ButtonEvent::kRightUp:
      return MOUSEEVENTF_RIGHTUP;
  }
  return 0;
}

// The virtual screen in the calling thread's pixels (physical inside PhysicalPixelScope).
ScreenArea VirtualScreen() {
  return ScreenArea{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                    GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

}  // namespace

int HandleNumber(std::uintptr_t handleValue) {
  return static_cast<int>(static_cast<std::uint32_t>(handleValue));
}

std::uintptr_t HandleValue(int handleNumber) {
  return static_cast<std::uintptr_t>(static_cast<std::intptr_t>(handleNumber));
}

TextArray Win32Desktop::ListVisibleWindows() {
  PhysicalPixelScope physicalPixels;
  // The table grows with the desktop: no window is dropped for want of room.
  std::vector<HWND> table;
  table.reserve(64);
  EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&table));

  TextArray texts;
  for (HWND window : table) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", HandleNumber(reinterpret_cast<std::uintptr_t>(window)));
    texts.Append(Text(text));
  }
  return texts;
}

bool Win32Desktop::GetWindowRect(int handle, WindowRect& rect) {
  GetWindowRectFn getWindowRect = BoundGetWindowRect();
  PhysicalPixelScope physicalPixels;
  RECT outer{};
  if (!getWindowRect(reinterpret_cast<HWND>(HandleValue(handle)), &outer)) return false;
  rect = WindowRect{outer.left, outer.top, outer.right, outer.bottom};
  return true;
}

void Win32Desktop::ClickAt(int x, int y, std::optional<int> clickKind) {
  PhysicalPixelScope physicalPixels;
  SetCursorPos(x, y);
  // Each button event carries the point again as an absolute move, so that it acts at
  // (x, y) even when something moved the pointer after SetCursorPos: the user's hand,
  // or (under Wine) another program's late report of an earlier pointer position,
  // which otherwise sends the press to the window clicked before. A point outside the
  // virtual screen cannot be named that way; its events act where the pointer is.
  const std::optional<NormalisedPoint> at = NormaliseScreenPoint(x, y, VirtualScreen());
  const DWORD moveFlags =
      at ? MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK : 0;
  const DWORD dx = at ? at->x : static_cast<DWORD>(x);
  const DWORD dy = at ? at->y : static_cast<DWORD>(y);
  for (ButtonEvent event : ClickEvents(clickKind)) {
    mouse_event(MouseFlag(event) | moveFlags, dx, dy, 0, 0);
  }
}

}  // namespace sw
