// A long run of the watch tick over a desktop that keeps changing: windows appear,
// move, change size, go away, and some vanish between the list and the rectangle
// query. The counter, the clicks and the run log must equal what this file works out
// on its own, in integer arithmetic, from the same script.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "base/date_time.h"
#include "tests/unit/doubles/fixed_clock.h"
#include "tests/unit/doubles/recording_chime.h"
#include "tests/unit/doubles/recording_ui.h"
#include "tests/unit/doubles/scripted_desktop.h"
#include "ui/control_names.h"
#include "watcher/watch_tick.h"

namespace sw {
namespace {

using testing::FixedClock;
using testing::RecordedClick;
using testing::RecordingChime;
using testing::RecordingUi;
using testing::ScriptedDesktop;
using testing::ScriptedWindow;

constexpr int kTicks = 100000;
constexpr std::size_t kMostWindows = 12;
constexpr int kMainWindowHandle = 65538;
constexpr int kLargestSide = 4096;

// "2020年3月17日14时30分 自动签到": the line of every sign-in at the clock's moment.
const char kExpectedLogLine[] =
    "2020" "\xC4\xEA" "3" "\xD4\xC2" "17" "\xC8\xD5" "14" "\xCA\xB1" "30" "\xB7\xD6"
    " " "\xD7\xD4\xB6\xAF\xC7\xA9\xB5\xBD";

// A deterministic script: mt19937's sequence is fixed by the standard, and the
// mapping onto ranges is done here rather than by a library distribution.
class Script {
 public:
  // A whole number from low to high, both included.
  int Between(int low, int high) {
    return low + static_cast<int>(engine_() % static_cast<std::uint32_t>(high - low + 1));
  }
  bool OneIn(int n) { return Between(1, n) == 1; }

 private:
  std::mt19937 engine_{20201117};
};

// The prompt test in exact rational arithmetic: 0.92 + 1e-7 < w / h < 0.94 - 1e-7.
bool ExactlyPromptShaped(std::int64_t width, std::int64_t height) {
  if (height == 0) return false;
  if (height < 0) {
    width = -width;
    height = -height;
  }
  const std::int64_t scaled = 10000000 * width;
  return 9200001 * height < scaled && scaled < 9399999 * height;
}

// Exact binary fractions n / 2^54 in integers, for the click point: the tick computes
// it in IEEE doubles, and this reproduces each rounding without the floating-point unit.
__extension__ using Wide = __int128;
constexpr int kFractionBits = 54;
// 0.34 as the nearest double: 6124895493223875 / 2^54.
constexpr Wide kOffsetFactor = 6124895493223875;

int BitLength(Wide magnitude) {
  int bits = 0;
  for (; magnitude != 0; magnitude >>= 1) ++bits;
  return bits;
}

// Rounds n / 2^54 to the nearest double (53 significant bits, ties to even).
Wide RoundToDouble(Wide n) {
  const bool negative = n < 0;
  Wide magnitude = negative ? -n : n;
  const int dropped = BitLength(magnitude) - 53;
  if (dropped > 0) {
    const Wide unit = Wide{1} << dropped;
    const Wide rest = magnitude % unit;
    magnitude -= rest;
    if (rest > unit / 2 || (rest == unit / 2 && ((magnitude / unit) & 1) != 0)) magnitude += unit;
  }
  return negative ? -magnitude : magnitude;
}

// The click point: x = right/2 + left/2 and y = bottom/2 + top/2 + height * 0.34, each
// product and sum rounded to a double, then truncated toward zero (as C++ integer
// division does).
RecordedClick ExactClickPoint(const WindowRect& rect) {
  const std::int64_t height = std::int64_t{rect.bottom} - rect.top;
  const std::int64_t x = (std::int64_t{rect.left} + rect.right) / 2;
  const Wide halves = Wide{std::int64_t{rect.top} + rect.bottom} << (kFractionBits - 1);
  const Wide offset = RoundToDouble(Wide{height} * kOffsetFactor);
  const Wide y = RoundToDouble(halves + offset) / (Wide{1} << kFractionBits);
  return {static_cast<int>(x), static_cast<int>(y), std::nullopt};
}

// Either a size inside the prompt's band or any size, zero and negative ones included.
void PickSize(Script& script, int& width, int& height) {
  if (script.OneIn(3)) {
    // Not every height admits a width inside the band (17 does not).
    std::int64_t lowest = 0;
    std::int64_t highest = -1;
    while (lowest > highest) {
      height = script.Between(13, kLargestSide);
      lowest = 9200001LL * height / 10000000 + 1;
      highest = (9399999LL * height - 1) / 10000000;
    }
    width = script.Between(static_cast<int>(lowest), static_cast<int>(highest));
    if (script.OneIn(8)) {  // the same shape turned inside out still passes
      width = -width;
      height = -height;
    }
  } else {
    width = script.Between(-50, kLargestSide);
    height = script.Between(-50, kLargestSide);
  }
}

WindowRect PlacedRect(Script& script) {
  int width = 0;
  int height = 0;
  PickSize(script, width, height);
  const int left = script.Between(-20000, 20000);
  const int top = script.Between(-20000, 20000);
  return {left, top, left + width, top + height};
}

TEST(WatchTickSoakTest, AChangingDesktopIsAnsweredExactlyOverAHundredThousandTicks) {
  ScriptedDesktop desktop;
  RecordingUi ui;
  RecordingChime chime;
  FixedClock clock{MakeDateTime(2020, 3, 17, 14, 30, 0)};
  const ByteSet signInChime{'R', 'I', 'F', 'F'};
  WatchSeams seams{desktop, ui, chime, clock, signInChime};
  WatchState state;
  ui.captions[{WindowKind::kMainWindow, std::string(controls::kCounterLabel)}] = Text("0");

  Script script;
  // The program's own main window is always there, with its run log shown.
  std::vector<ScriptedWindow> windows = {{kMainWindowHandle, {40, 60, 324, 360}, false}};
  int nextHandle = 0x10000;
  std::int64_t expectedCount = 0;
  std::vector<RecordedClick> expectedClicks;
  std::int64_t vanishedListed = 0;

  for (int tick = 0; tick < kTicks; ++tick) {
    if (windows.size() < kMostWindows && script.OneIn(4)) {
      const auto at = static_cast<std::size_t>(script.Between(0, static_cast<int>(windows.size())));
      windows.insert(windows.begin() + static_cast<std::ptrdiff_t>(at),
                     {nextHandle++, PlacedRect(script), false});
    }
    if (windows.size() > 1 && script.OneIn(4)) {
      windows.erase(windows.begin() + script.Between(1, static_cast<int>(windows.size()) - 1));
    }
    if (windows.size() > 1 && script.OneIn(3)) {
      windows[static_cast<std::size_t>(script.Between(1, static_cast<int>(windows.size()) - 1))]
          .rect = PlacedRect(script);
    }
    for (ScriptedWindow& window : windows) window.vanished = script.OneIn(12);

    for (const ScriptedWindow& window : windows) {
      if (window.vanished) {
        ++vanishedListed;
        continue;
      }
      const std::int64_t width = std::int64_t{window.rect.right} - window.rect.left;
      const std::int64_t height = std::int64_t{window.rect.bottom} - window.rect.top;
      if (!ExactlyPromptShaped(width, height)) continue;
      ++expectedCount;
      expectedClicks.push_back(ExactClickPoint(window.rect));
    }

    desktop.SetWindows(windows);
    WatchTick(state, seams);
    // Windows that vanished are gone from the desktop by the next tick.
    std::erase_if(windows, [](const ScriptedWindow& window) { return window.vanished; });
  }

  // The script must have exercised every path for the comparison to mean something.
  ASSERT_GT(expectedCount, kTicks / 10);
  ASSERT_GT(vanishedListed, kTicks / 10);

  EXPECT_EQ(desktop.listCalls, kTicks);
  EXPECT_EQ(ui.Caption(WindowKind::kMainWindow, controls::kCounterLabel),
            Text(std::to_string(expectedCount)));
  ASSERT_EQ(desktop.clicks.size(), expectedClicks.size());
  for (std::size_t i = 0; i < expectedClicks.size(); ++i) {
    ASSERT_EQ(desktop.clicks[i], expectedClicks[i]) << "click " << i;
  }
  const std::vector<Text> log = ui.Items(WindowKind::kMainWindow, controls::kRunLog);
  ASSERT_EQ(static_cast<std::int64_t>(log.size()), expectedCount);
  for (std::size_t i = 0; i < log.size(); ++i) {
    ASSERT_EQ(log[i], Text(kExpectedLogLine)) << "line " << i;
  }
  ASSERT_EQ(static_cast<std::int64_t>(chime.played.size()), expectedCount);
  for (const auto& played : chime.played) {
    ASSERT_TRUE(played.sound == signInChime && !played.loop);
  }
}

}  // namespace
}  // namespace sw
