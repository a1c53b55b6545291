#include "tests/unit/doubles/scripted_desktop.h"

#include <string>

namespace sw::testing {

TextArray ScriptedDesktop::ListVisibleWindows() {
  ++listCalls;
  TextArray handles;
  for (const ScriptedWindow& window : windows_) handles.Append(Text(std::to_string(window.handle)));
  return handles;
}

bool ScriptedDesktop::GetWindowRect(int handle, WindowRect& rect) {
  rectQueries.push_back(handle);
  for (const ScriptedWindow& window : windows_) {
    if (window.handle != handle) continue;
    if (window.vanished) return false;
    rect = window.rect;
    return true;
  }
  return false;
}

void ScriptedDesktop::ClickAt(int x, int y, std::optional<int> clickKind) {
  clicks.push_back({x, y, clickKind});
  NoteTo(journal, "click " + std::to_string(x) + "," + std::to_string(y));
}

}  // namespace sw::testing
