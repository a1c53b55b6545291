// The update check of the real program against the loopback portrait server that
// update-check.sh starts (it answers 5.7, then 5.6, then drops the connection).
#include <gtest/gtest.h>

#include "tests/e2e/win32/program_driver.h"

namespace sw::e2e {
namespace {

TEST(UpdateCheck, ShowsTheLatestVersionAndTheViewButtonExactlyWhenItDiffers) {
  RunningProgram program;
  ASSERT_TRUE(program.started());
  HWND main = program.WaitForWindow(WindowKind::kMainWindow);
  ASSERT_NE(main, nullptr);
  ClickCentreOf(ControlOf(main, WindowKind::kMainWindow, controls::kVersionButton));
  HWND version = program.WaitForWindow(WindowKind::kVersionWindow);
  ASSERT_NE(version, nullptr);
  HWND latest = ControlOf(version, WindowKind::kVersionWindow, controls::kLatestVersionLabel);
  HWND view = ControlOf(version, WindowKind::kVersionWindow, controls::kViewUpdateButton);
  HWND check = ControlOf(version, WindowKind::kVersionWindow, controls::kCheckUpdateButton);
  ASSERT_NE(latest, nullptr);
  ASSERT_NE(view, nullptr);
  ASSERT_NE(check, nullptr);

  struct Step {
    const wchar_t* latest;
    bool viewShown;
  };
  // A newer version; the own version; a failed exchange (empty text, button shown).
  for (const Step& step : {Step{L"5.7", true}, Step{L"5.6", false}, Step{L"", true}}) {
    SCOPED_TRACE(testing::Message() << "expected latest '" << step.latest << "'");
    const std::wstring before = Caption(latest);
    ClickCentreOf(check);
    // The check blocks the program until the exchange ends: wait for a new answer.
    EXPECT_TRUE(PumpUntil(
        [&] {
          const std::wstring now = Caption(latest);
          return now != before && now != kNoAnswer;
        },
        20000ms));
    EXPECT_EQ(Caption(latest), step.latest);
    EXPECT_EQ(IsWindowVisible(view) != FALSE, step.viewShown);
    // The first, newer version: the view button opens the release page (the script
    // checks that the browser got it).
    if (std::wstring(step.latest) == L"5.7") {
      ClickCentreOf(view);
      PumpFor(1000ms);
      EXPECT_TRUE(IsWindow(version));
    }
  }

  // Opened again, the window starts from its definition.
  PressEscape();
  ASSERT_TRUE(PumpUntil([&] { return !IsWindow(version); }, 3000ms));
  ClickCentreOf(ControlOf(main, WindowKind::kMainWindow, controls::kVersionButton));
  version = program.WaitForWindow(WindowKind::kVersionWindow);
  ASSERT_NE(version, nullptr);
  EXPECT_EQ(Caption(ControlOf(version, WindowKind::kVersionWindow, controls::kLatestVersionLabel)),
            Wide("待检测"));
  EXPECT_FALSE(
      IsWindowVisible(ControlOf(version, WindowKind::kVersionWindow, controls::kViewUpdateButton)));
  PressEscape();
  ASSERT_TRUE(PumpUntil([&] { return !IsWindow(version); }, 3000ms));
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace sw::e2e
