// The watch tick: find every visible top-level window shaped like the sign-in
// prompt and answer it (count, click, log, chime).
#pragma once

#include <cstdint>

#include "base/byte_set.h"
#include "base/clock.h"
#include "base/text_array.h"
#include "ui/ui.h"
#include "watcher/chime.h"
#include "watcher/desktop.h"

namespace sw {

inline constexpr int kWatchIntervalMilliseconds = 3000;

// The prompt's width-to-height ratio lies strictly inside these bounds, each
// narrowed by the margin.
inline constexpr double kRatioLowerBound = 0.92;
inline constexpr double kRatioUpperBound = 0.94;
inline constexpr double kRatioMargin = 0.0000001;

inline constexpr double kCounterStep = 1.0;
// The click lands on the window's centre, moved down by this share of its height.
inline constexpr double kCentreFactor = 0.5;
inline constexpr double kClickOffsetFactor = 0.34;

// What the tick keeps from one run to the next; the last* values describe the
// window examined last.
struct WatchState {
  TextArray windowSnapshot;
  std::int32_t lastWidth = 0;
  std::int32_t lastHeight = 0;
  float lastRatio = 0;
};

struct WatchSeams {
  Desktop& desktop;
  Ui& ui;
  ChimePlayer& chime;
  Clock& clock;
  const ByteSet& signInChime;
};

void WatchTick(WatchState& state, WatchSeams& seams);

// The pieces of the tick's arithmetic, exposed so they can be checked over a whole
// range of sizes. Doubles become integers through ToInt: truncation toward zero,
// values beyond the 32-bit range saturated.
//
// width / height in double precision, rounded to single precision.
float PromptRatio(std::int32_t width, std::int32_t height);
// The two strict tests, made on the ratio widened back to double.
bool IsPromptRatio(float ratio);

struct ClickPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const ClickPoint&, const ClickPoint&) = default;
};
// The window's centre, moved down by a share of the height the tick measured.
ClickPoint PromptClickPoint(const WindowRect& rect, std::int32_t height);

}  // namespace sw
