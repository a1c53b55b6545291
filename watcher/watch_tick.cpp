#include "watcher/watch_tick.h"

#include "base/date_time.h"
#include "base/text.h"
#include "ui/control_names.h"
#include "watcher/watcher_texts.h"

namespace sw {
namespace {

// The count lives only in the label's caption: read it back, add one, write it.
void CountSignIn(Ui& ui) {
  const int count = ToInt(ui.ReadCaption(WindowKind::kMainWindow, controls::kCounterLabel));
  const double next = static_cast<double>(count) + kCounterStep;
  ui.WriteCaption(WindowKind::kMainWindow, controls::kCounterLabel, NumberToText(next));
}

void SignIn(const WindowRect& rect, std::int32_t height, WatchSeams& seams) {
  CountSignIn(seams.ui);
  const ClickPoint point = PromptClickPoint(rect, height);
  seams.desktop.ClickAt(point.x, point.y);
  const Text line = Concat(DateTimeToText(seams.clock.Now()), kSignInLogSuffix.text());
  seams.ui.AddItem(WindowKind::kMainWindow, controls::kRunLog, line);
  seams.chime.PlaySoundData(seams.signInChime, false);
}

}  // namespace

float PromptRatio(std::int32_t width, std::int32_t height) {
  // A zero height gives an infinity or NaN: the floating-point state has no traps.
  const double ratio = static_cast<double>(width) / static_cast<double>(height);
  return static_cast<float>(ratio);
}

bool IsPromptRatio(float ratio) {
  const double widened = ratio;
  // Strict comparisons: NaN fails the first test.
  return widened - kRatioLowerBound > kRatioMargin && widened - kRatioUpperBound < -kRatioMargin;
}

// Every product and sum is a double, summed left to right, then truncated.
ClickPoint PromptClickPoint(const WindowRect& rect, std::int32_t height) {
  const double x = rect.right * kCentreFactor + rect.left * kCentreFactor;
  const double y =
      rect.bottom * kCentreFactor + rect.top * kCentreFactor + height * kClickOffsetFactor;
  return {ToInt(x), ToInt(y)};
}

void WatchTick(WatchState& state, WatchSeams& seams) {
  WindowRect rect;  // one record for the whole tick
  state.windowSnapshot = seams.desktop.ListVisibleWindows();
  const int count = state.windowSnapshot.Count();
  for (int i = 1; i <= count; ++i) {
    const int handle = ToInt(state.windowSnapshot.At(i));
    // A window that has gone since the list was taken is skipped: judging it on the
    // previous window's rectangle would answer that window a second time.
    if (!seams.desktop.GetWindowRect(handle, rect)) continue;
    state.lastWidth = ToInt(static_cast<double>(rect.right) - static_cast<double>(rect.left));
    state.lastHeight = ToInt(static_cast<double>(rect.bottom) - static_cast<double>(rect.top));
    state.lastRatio = PromptRatio(state.lastWidth, state.lastHeight);
    if (IsPromptRatio(state.lastRatio)) SignIn(rect, state.lastHeight, seams);
  }
}

}  // namespace sw
