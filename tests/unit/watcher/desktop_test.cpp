#include "watcher/desktop.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

TEST(ClickEventsTest, EachKindGivesItsButtonEvents) {
  using enum ButtonEvent;
  using Events = std::vector<ButtonEvent>;
  EXPECT_EQ(ClickEvents(1), (Events{kLeftDown, kLeftUp, kLeftDown, kLeftUp}));
  EXPECT_EQ(ClickEvents(2), (Events{kRightDown, kRightUp}));
  EXPECT_EQ(ClickEvents(3), (Events{kRightDown, kRightUp, kRightDown, kRightUp}));
  for (std::optional<int> single : {std::optional<int>(), std::optional<int>(0),
                                    std::optional<int>(4), std::optional<int>(-1)}) {
    EXPECT_EQ(ClickEvents(single), (Events{kLeftDown, kLeftUp})) << single.value_or(999);
  }
}

}  // namespace
}  // namespace sw
