// A desktop that lists prepared windows and records the clicks made on it.
#pragma once

#include <optional>
#include <vector>

#include "tests/unit/doubles/journal.h"
#include "watcher/desktop.h"

namespace sw::testing {

struct ScriptedWindow {
  int handle = 0;
  WindowRect rect;
  // Listed, but gone by the time its rectangle is asked for.
  bool vanished = false;
};

struct RecordedClick {
  int x = 0;
  int y = 0;
  std::optional<int> kind;
  friend bool operator==(const RecordedClick&, const RecordedClick&) = default;
};

class ScriptedDesktop final : public Desktop {
 public:
  // The windows listed from now on, in this order.
  void SetWindows(std::vector<ScriptedWindow> windows) { windows_ = std::move(windows); }

  TextArray ListVisibleWindows() override;
  bool GetWindowRect(int handle, WindowRect& rect) override;
  void ClickAt(int x, int y, std::optional<int> clickKind = std::nullopt) override;

  int listCalls = 0;
  std::vector<int> rectQueries;  // handles, in the order asked
  std::vector<RecordedClick> clicks;
  Journal* journal = nullptr;  // gets "click x,y"

 private:
  std::vector<ScriptedWindow> windows_;
};

}  // namespace sw::testing
