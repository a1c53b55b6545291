#include "platform/win32/desktop_dpi_win32.h"

#include <windows.h>

namespace sw {
namespace {

using SetThreadDpiAwarenessContextFn = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);

// Bound by name: the function exists only from Windows 10 1607 on (and in recent Wine).
SetThreadDpiAwarenessContextFn SetThreadAwareness() {
  static const SetThreadDpiAwarenessContextFn function = [] {
    HMODULE user32 = GetModuleHandleA("user32");
    if (user32 == nullptr) return SetThreadDpiAwarenessContextFn{};
    return reinterpret_cast<SetThreadDpiAwarenessContextFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetThreadDpiAwarenessContext")));
  }();
  return function;
}

}  // namespace

PhysicalPixelScope::PhysicalPixelScope() {
  SetThreadDpiAwarenessContextFn set = SetThreadAwareness();
  if (set == nullptr) return;
  // Version 2 came with Windows 10 1703; version 1 gives the same pixels to these calls.
  DPI_AWARENESS_CONTEXT previous = set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
  if (previous == nullptr) previous = set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
  previous_ = previous;
}

PhysicalPixelScope::~PhysicalPixelScope() {
  if (previous_ != nullptr) SetThreadAwareness()(static_cast<DPI_AWARENESS_CONTEXT>(previous_));
}

}  // namespace sw
