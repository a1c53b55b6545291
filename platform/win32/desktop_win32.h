// The desktop operations on USER32: the visible top-level windows, their outer
// rectangles and a synthetic click, all in physical screen pixels.
#pragma once

#include <cstdint>
#include <optional>

#include "watcher/desktop.h"

namespace sw {

class Win32Desktop final : public Desktop {
 public:
  TextArray ListVisibleWindows() override;
  bool GetWindowRect(int handle, WindowRect& rect) override;
  void ClickAt(int x, int y, std::optional<int> clickKind = std::nullopt) override;
};

// Window handles carry 32 significant bits, also on 64-bit Windows, where a handle
// value is the sign extension of those bits. These two convert between a handle
// value and the signed number written in the handle texts.
int HandleNumber(std::uintptr_t handleValue);
std::uintptr_t HandleValue(int handleNumber);

}  // namespace sw
