#include "watcher/desktop.h"

namespace sw {

std::vector<ButtonEvent> ClickEvents(std::optional<int> clickKind) {
  using enum ButtonEvent;
  switch (clickKind.value_or(0)) {
    case 1:
      return {kLeftDown, kLeftUp, kLeftDown, kLeftUp};
    case 2:
      return {kRightDown, kRightUp};
    case 3:
      return {kRightDown, kRightUp, kRightDown, kRightUp};
    default:
      return {kLeftDown, kLeftUp};
  }
}

}  // namespace sw
