// The program's literal texts are GBK bytes written as escapes; each carries its readable
// form, and here the two are checked against each other.
#include <gtest/gtest.h>

#include "app/app.h"
#include "app/window_definitions.h"
#include "tests/unit/doubles/gbk_literal_check.h"
#include "watcher/watcher_texts.h"

namespace sw {
namespace {

#if !defined(_WIN32)
TEST(WindowLiterals, BytesAreTheGbkFormOfTheReadableText) {
  testing::ExpectGbkMatchesReadable(WindowLiterals());
  const GbkLiteral logWords[] = {kStartLineWords, kSignInLogSuffix};
  testing::ExpectGbkMatchesReadable(logWords);
}
#endif

TEST(WindowDefinitions, EveryHandledControlIsDefinedWhereTheHandlersLookForIt) {
  const struct {
    WindowKind window;
    std::string_view control;
    ControlEvent event;
  } handled[] = {
      {WindowKind::kMainWindow, controls::kWatchTimer, ControlEvent::kTimer},
      {WindowKind::kMainWindow, controls::kRunLogButton, ControlEvent::kClick},
      {WindowKind::kMainWindow, controls::kVersionButton, ControlEvent::kClick},
      {WindowKind::kMainWindow, controls::kMainPicture, ControlEvent::kLeftPress},
      {WindowKind::kVersionWindow, controls::kCheckUpdateButton, ControlEvent::kClick},
      {WindowKind::kVersionWindow, controls::kViewUpdateButton, ControlEvent::kClick},
      {WindowKind::kVersionWindow, controls::kAuthorButton, ControlEvent::kClick},
      {WindowKind::kEasterEggWindow, controls::kAgreeButton, ControlEvent::kClick},
      {WindowKind::kEasterEggWindow, controls::kCancelButton, ControlEvent::kClick},
  };
  for (const auto& h : handled) {
    const ControlDefinition* control = DefinitionOf(h.window).Find(h.control);
    ASSERT_NE(control, nullptr) << h.control;
    EXPECT_EQ(control->event, h.event) << h.control;
  }
  EXPECT_EQ(DefinitionOf(WindowKind::kMainWindow).Find(controls::kWatchTimer)->timerIntervalMs,
            3000);
}

}  // namespace
}  // namespace sw
