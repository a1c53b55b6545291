// The three desktop operations the watch tick needs. Backends: platform/<os>/desktop_*.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "base/text_array.h"

namespace sw {

// Outer rectangle in screen pixels; right and bottom lie just outside the window.
struct WindowRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

enum class ButtonEvent { kLeftDown, kLeftUp, kRightDown, kRightUp };

// The button events of one click: kind 1 a left double click, 2 a right click,
// 3 a right double click, anything else (or none) a single left click.
std::vector<ButtonEvent> ClickEvents(std::optional<int> clickKind);

class Desktop {
 public:
  virtual ~Desktop() = default;
  // Decimal ("%d") texts of the visible top-level windows' handles, in a stable order.
  virtual TextArray ListVisibleWindows() = 0;
  // Fills the rectangle and returns true; on failure returns false and leaves it untouched.
  virtual bool GetWindowRect(int handle, WindowRect& rect) = 0;
  // Moves the pointer to (x, y), injects the button events of the kind there, and
  // leaves the pointer at the point.
  virtual void ClickAt(int x, int y, std::optional<int> clickKind = std::nullopt) = 0;
};

}  // namespace sw
