// The watch tick against a scripted desktop, a recording window layer and chime.
#include "watcher/watch_tick.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "base/date_time.h"
#include "tests/unit/doubles/fixed_clock.h"
#include "tests/unit/doubles/recording_chime.h"
#include "tests/unit/doubles/recording_ui.h"
#include "tests/unit/doubles/scripted_desktop.h"
#include "ui/control_names.h"
#include "watcher/watcher_texts.h"

namespace sw {
namespace {

using testing::FixedClock;
using testing::Journal;
using testing::RecordedClick;
using testing::RecordingChime;
using testing::RecordingUi;
using testing::ScriptedDesktop;
using testing::ScriptedWindow;

constexpr std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();

// A rectangle of the given size with its top-left corner at (100, 200).
WindowRect SizedRect(int width, int height) {
  return {100, 200, 100 + width, 200 + height};
}

class WatchTickTest : public ::testing::Test {
 protected:
  WatchTickTest() {
    ui.captions[{WindowKind::kMainWindow, std::string(controls::kCounterLabel)}] = Text("0");
    desktop.journal = &journal;
    ui.journal = &journal;
    chime.journal = &journal;
  }

  void Tick(std::vector<ScriptedWindow> windows) {
    desktop.SetWindows(std::move(windows));
    WatchTick(state, seams);
  }

  Text Counter() const { return ui.Caption(WindowKind::kMainWindow, controls::kCounterLabel); }
  std::vector<Text> RunLog() const { return ui.Items(WindowKind::kMainWindow, controls::kRunLog); }

  ScriptedDesktop desktop;
  RecordingUi ui;
  RecordingChime chime;
  FixedClock clock{MakeDateTime(2020, 3, 17, 14, 30, 0)};
  ByteSet signInChime{'R', 'I', 'F', 'F', 0, 1, 2};
  WatchSeams seams{desktop, ui, chime, clock, signInChime};
  WatchState state;
  Journal journal;
};

struct ShapeCase {
  const char* name;
  int width;
  int height;
  bool signsIn;
};

TEST_F(WatchTickTest, SignsInExactlyOnWindowsOfPromptShape) {
  const ShapeCase cases[] = {
      {"ratio 0.92 exactly", 460, 500, false},
      {"ratio 0.922", 461, 500, true},
      {"ratio 0.938", 469, 500, true},
      {"ratio 0.94 exactly", 470, 500, false},
      {"12 x 13, the smallest height that admits a width", 12, 13, true},
      {"main window with its run log, 284 x 300", 284, 300, false},
      {"main window, 284 x 141", 284, 141, false},
      {"zero height, positive width: +infinity", 500, 0, false},
      {"zero height, negative width: -infinity", -500, 0, false},
      {"0 x 0: NaN", 0, 0, false},
      {"both negative, ratio 0.922", -461, -500, true},
      {"square", 500, 500, false},
  };
  for (const ShapeCase& c : cases) {
    SCOPED_TRACE(c.name);
    desktop.clicks.clear();
    chime.played.clear();
    Tick({{7, SizedRect(c.width, c.height)}});
    EXPECT_EQ(state.lastWidth, c.width);
    EXPECT_EQ(state.lastHeight, c.height);
    EXPECT_EQ(desktop.clicks.size(), c.signsIn ? 1U : 0U);
    EXPECT_EQ(chime.played.size(), c.signsIn ? 1U : 0U);
  }
  EXPECT_EQ(Counter(), Text("4"));
  EXPECT_EQ(RunLog().size(), 4U);
}

TEST_F(WatchTickTest, KeepsTheLastWindowsMeasurementsWithTheRatioInSinglePrecision) {
  Tick({{1, SizedRect(461, 500)}, {2, SizedRect(284, 141)}});
  EXPECT_EQ(state.lastWidth, 284);
  EXPECT_EQ(state.lastHeight, 141);
  EXPECT_EQ(state.lastRatio, static_cast<float>(284.0 / 141.0));

  Tick({{3, SizedRect(0, 0)}});
  EXPECT_TRUE(std::isnan(state.lastRatio));
  Tick({{3, SizedRect(500, 0)}});
  EXPECT_EQ(state.lastRatio, std::numeric_limits<float>::infinity());
}

TEST_F(WatchTickTest, OneSignInWritesCounterThenClicksThenLogsThenChimes) {
  Tick({{5, {100, 200, 561, 700}}});
  // 2020年3月17日14时30分 自动签到
  const std::string logLine =
      "2020\xC4\xEA\x33\xD4\xC2\x31\x37\xC8\xD5\x31\x34\xCA\xB1\x33\x30\xB7\xD6"
      "\x20\xD7\xD4\xB6\xAF\xC7\xA9\xB5\xBD";
  const std::vector<std::string> expected = {
      "write " + std::string(controls::kCounterLabel) + "=1",
      "click 330,620",
      "item " + std::string(controls::kRunLog) + "=" + logLine,
      "chime",
  };
  EXPECT_EQ(journal.entries, expected);
  ASSERT_EQ(desktop.clicks.size(), 1U);
  EXPECT_FALSE(desktop.clicks[0].kind.has_value()) << "a single left click";
  ASSERT_EQ(chime.played.size(), 1U);
  EXPECT_EQ(chime.played[0].sound, signInChime);
  EXPECT_FALSE(chime.played[0].loop);
}

TEST_F(WatchTickTest, TwoPromptsInOneTickAreBothAnsweredInListOrder) {
  Tick({{1, {100, 200, 561, 700}}, {2, SizedRect(300, 300)}, {3, {-561, 200, -100, 700}}});
  const std::vector<RecordedClick> clicks = {{330, 620, {}}, {-330, 620, {}}};
  EXPECT_EQ(desktop.clicks, clicks);
  EXPECT_EQ(Counter(), Text("2"));
  EXPECT_EQ(RunLog().size(), 2U);
  EXPECT_EQ(chime.played.size(), 2U);
  EXPECT_EQ(journal.entries[0], "write " + std::string(controls::kCounterLabel) + "=1");
  EXPECT_EQ(journal.entries[4], "write " + std::string(controls::kCounterLabel) + "=2");
}

TEST_F(WatchTickTest, ClicksAtTheTruncatedPointBelowTheCentre) {
  struct ClickCase {
    WindowRect rect;
    RecordedClick click;
  };
  const ClickCase cases[] = {
      {{100, 200, 561, 700}, {330, 620, {}}},
      {{100, 201, 561, 701}, {330, 621, {}}},
      {{-561, 200, -100, 700}, {-330, 620, {}}},
      {{10, 20, 22, 33}, {16, 30, {}}},           // y before truncation 30.92
      {{100, -700, 561, -199}, {330, -279, {}}},  // y -279.16: toward zero, not down
  };
  for (const ClickCase& c : cases) {
    desktop.clicks.clear();
    Tick({{9, c.rect}});
    ASSERT_EQ(desktop.clicks.size(), 1U);
    EXPECT_EQ(desktop.clicks[0], c.click) << c.rect.left << "," << c.rect.top;
  }
}

TEST_F(WatchTickTest, ReplacesTheSnapshotEveryTickAndQueriesEachListedHandle) {
  Tick({{11, SizedRect(10, 10)}, {-5, SizedRect(461, 500)}, {kIntMin, SizedRect(10, 10)}});
  EXPECT_EQ(state.windowSnapshot.Count(), 3);
  EXPECT_EQ(state.windowSnapshot.At(2), Text("-5"));
  const std::vector<int> queried = {11, -5, kIntMin};
  EXPECT_EQ(desktop.rectQueries, queried) << "negative handle texts give back the same handles";
  EXPECT_EQ(desktop.clicks.size(), 1U);

  Tick({{12, SizedRect(10, 10)}});
  ASSERT_EQ(state.windowSnapshot.Count(), 1);
  EXPECT_EQ(state.windowSnapshot.At(1), Text("12"));
}

TEST_F(WatchTickTest, EmptyDesktopEmptiesTheSnapshotAndChangesNothing) {
  Tick({{1, SizedRect(10, 10)}});
  journal.entries.clear();
  desktop.rectQueries.clear();
  Tick({});
  EXPECT_EQ(desktop.listCalls, 2);
  EXPECT_EQ(state.windowSnapshot.Count(), 0);
  EXPECT_TRUE(desktop.rectQueries.empty());
  EXPECT_TRUE(journal.entries.empty());
  EXPECT_EQ(ui.captionReads, 0);
}

TEST_F(WatchTickTest, APromptStillThereIsAnsweredAgainAtTheNextTick) {
  const std::vector<ScriptedWindow> prompt = {{4, SizedRect(461, 500)}};
  Tick(prompt);
  Tick(prompt);
  EXPECT_EQ(Counter(), Text("2"));
  EXPECT_EQ(desktop.clicks.size(), 2U);
  EXPECT_EQ(RunLog().size(), 2U);
}

TEST_F(WatchTickTest, AWindowThatVanishedIsSkippedNotJudgedOnTheLastRectangle) {
  Tick({{1, SizedRect(461, 500)}, {2, {}, /*vanished=*/true}});
  EXPECT_EQ(desktop.clicks.size(), 1U);
  EXPECT_EQ(Counter(), Text("1"));
  EXPECT_EQ(chime.played.size(), 1U);

  Tick({{2, {}, true}, {3, SizedRect(10, 10)}});
  EXPECT_EQ(desktop.clicks.size(), 1U);
  EXPECT_EQ(state.lastWidth, 10);
}

TEST_F(WatchTickTest, CounterIsReadBackFromTheCaptionEverySignIn) {
  struct CounterCase {
    const char* before;
    const char* after;
  };
  const CounterCase cases[] = {
      {"0", "1"},
      {"9", "10"},
      {"", "1"},
      {"abc", "1"},
      {"41 sign-ins", "42"},
      {"2147483647", "2147483648"},
      {"2147483648", "-2147483647"},  // read back as -2147483648: the conversion wraps
      {"-3", "-2"},
  };
  for (const CounterCase& c : cases) {
    ui.WriteCaption(WindowKind::kMainWindow, controls::kCounterLabel, Text(c.before));
    Tick({{1, SizedRect(461, 500)}});
    EXPECT_EQ(Counter(), Text(c.after)) << "after \"" << c.before << "\"";
  }
}

TEST_F(WatchTickTest, RectanglesBeyondTheIntegerRangeStayDefined) {
  // Width -2e9; height -3e9 does not fit and saturates to INT32_MIN: ratio 0.93.
  Tick({{1, {1000000000, 1500000000, -1000000000, -1500000000}}});
  EXPECT_EQ(state.lastWidth, -2000000000);
  EXPECT_EQ(state.lastHeight, kIntMin);
  const std::vector<RecordedClick> clicks = {{0, -730144440, {}}};
  EXPECT_EQ(desktop.clicks, clicks);

  Tick({{2, {kIntMin, kIntMin, kIntMax, kIntMax}}});
  EXPECT_EQ(state.lastWidth, kIntMax);
  EXPECT_EQ(desktop.clicks.size(), 1U);
}

}  // namespace
}  // namespace sw
