#include "app/app.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/window_definitions.h"
#include "base/date_time.h"
#include "tests/unit/app/fake_window_layer.h"
#include "tests/unit/doubles/fixed_clock.h"
#include "tests/unit/doubles/recording_chime.h"
#include "tests/unit/doubles/scripted_desktop.h"
#include "tests/unit/http/recording_internet.h"
#include "update/shell.h"

namespace sw {
namespace {

using ::testing::ElementsAre;
using WK = WindowKind;

class RecordingShell final : public Shell {
 public:
  void OpenWebAddress(const Text& address) override { opened.push_back(address); }
  std::vector<Text> opened;
};

// A prompt-shaped window: 461 x 500.
constexpr WindowRect kPromptRect{100, 200, 561, 700};

class AppTest : public ::testing::Test {
 protected:
  AppTest() : app(AppSeams{windows, desktop, chime, internet, shell, clock}, ByteSet{1, 2, 3}) {}

  std::vector<Text> RunLog() { return windows.Control(WK::kMainWindow, controls::kRunLog).items; }
  Text Counter() { return windows.ReadCaption(WK::kMainWindow, controls::kCounterLabel); }

  testing::FakeWindowLayer windows;
  testing::ScriptedDesktop desktop;
  testing::RecordingChime chime;
  test::RecordingInternet internet;
  RecordingShell shell;
  testing::FixedClock clock{MakeDateTime(2020, 3, 17, 9, 5, 3)};
  App app;
};

TEST_F(AppTest, StartsWithTheStartLineAloneAndEndsWithExitCodeZero) {
  std::vector<Text> logAtLoop;
  windows.onLoop = [&] { logAtLoop = RunLog(); };
  EXPECT_EQ(app.Run(), 0);
  // 2020年3月17日9时5分3秒 自动签到开始运行
  EXPECT_THAT(logAtLoop, ElementsAre(Text("2020\xc4\xea" "3\xd4\xc2" "17\xc8\xd5" "9\xca\xb1"
                                          "5\xb7\xd6" "3\xc3\xeb \xd7\xd4\xb6\xaf\xc7\xa9\xb5\xbd"
                                          "\xbf\xaa\xca\xbc\xd4\xcb\xd0\xd0")));
  EXPECT_EQ(windows.releaseCount, 1);
  EXPECT_EQ(chime.stopAllCalls, 1);
}

TEST_F(AppTest, ShutdownReleasesTheLastSnapshotAfterTheLoop) {
  desktop.SetWindows({{7, kPromptRect}, {8, {0, 0, 284, 141}}});
  windows.onLoop = [&] {
    windows.Fire(WK::kMainWindow, controls::kWatchTimer, ControlEvent::kTimer);
    EXPECT_EQ(app.watchState().windowSnapshot.Count(), 2);
  };
  app.Run();
  EXPECT_EQ(app.watchState().windowSnapshot.Count(), 0);
}

TEST_F(AppTest, TimerSignsInAfterTheStartLine) {
  desktop.SetWindows({{7, kPromptRect}});
  clock.now = MakeDateTime(2020, 3, 17, 14, 30, 0);
  windows.onLoop = [&] {
    windows.Fire(WK::kMainWindow, controls::kWatchTimer, ControlEvent::kTimer);
    EXPECT_EQ(Counter(), Text("1"));
    ASSERT_EQ(RunLog().size(), 2u);
    // 2020年3月17日14时30分 自动签到
    EXPECT_EQ(RunLog()[1], Text("2020\xc4\xea" "3\xd4\xc2" "17\xc8\xd5" "14\xca\xb1" "30\xb7\xd6"
                                " \xd7\xd4\xb6\xaf\xc7\xa9\xb5\xbd"));
    EXPECT_THAT(desktop.clicks, ElementsAre(testing::RecordedClick{330, 620, std::nullopt}));
    EXPECT_EQ(chime.played.size(), 1u);
  };
  app.Run();
}

TEST_F(AppTest, RunLogButtonExpandsAndCollapsesWithoutTouchingTheLog) {
  windows.onLoop = [&] {
    const auto log = RunLog();
    auto& main = windows.State(WK::kMainWindow);
    auto& list = windows.Control(WK::kMainWindow, controls::kRunLog);
    EXPECT_EQ(main.height, 141);
    windows.Fire(WK::kMainWindow, controls::kRunLogButton, ControlEvent::kClick);
    EXPECT_EQ(main.height, 300);
    EXPECT_TRUE(list.visible);
    EXPECT_TRUE(app.runLogShown());
    windows.Fire(WK::kMainWindow, controls::kRunLogButton, ControlEvent::kClick);
    EXPECT_EQ(main.height, 141);
    EXPECT_FALSE(list.visible);
    EXPECT_FALSE(app.runLogShown());
    EXPECT_EQ(RunLog(), log);
  };
  app.Run();
}

TEST_F(AppTest, SignInsGoOnWhileAModalWindowIsOpen) {
  desktop.SetWindows({{7, kPromptRect}});
  windows.onModal = [&](WK window) {
    if (window == WK::kVersionWindow) {
      windows.Fire(WK::kMainWindow, controls::kWatchTimer, ControlEvent::kTimer);
    }
  };
  windows.onLoop = [&] {
    windows.Fire(WK::kMainWindow, controls::kVersionButton, ControlEvent::kClick);
    EXPECT_EQ(Counter(), Text("1"));
  };
  app.Run();
  EXPECT_THAT(windows.modalOpened, ElementsAre(WK::kVersionWindow));
}

TEST_F(AppTest, ButtonsAndThePictureOpenTheirWindowsInChains) {
  windows.onModal = [&](WK window) {
    if (window == WK::kVersionWindow) {
      windows.Fire(WK::kVersionWindow, controls::kAuthorButton, ControlEvent::kClick);
    } else if (window == WK::kEasterEggWindow) {
      windows.Fire(WK::kEasterEggWindow, controls::kAgreeButton, ControlEvent::kClick);
      EXPECT_TRUE(windows.IsOpen(WK::kEasterEggWindow));  // still open after ContactWindow
      windows.Fire(WK::kEasterEggWindow, controls::kCancelButton, ControlEvent::kClick);
    }
  };
  windows.onLoop = [&] {
    windows.Fire(WK::kMainWindow, controls::kVersionButton, ControlEvent::kClick);
    windows.Fire(WK::kMainWindow, controls::kMainPicture, ControlEvent::kLeftPress);
    // A click on the picture (not a press) and the other pictures and labels do nothing.
    windows.Fire(WK::kMainWindow, controls::kMainPicture, ControlEvent::kClick);
  };
  app.Run();
  EXPECT_THAT(windows.modalOpened, ElementsAre(WK::kVersionWindow, WK::kAboutWindow,
                                               WK::kEasterEggWindow, WK::kContactWindow));
  EXPECT_THAT(windows.closeRequests, ElementsAre(WK::kEasterEggWindow));
}

struct UpdateCase {
  const char* body;
  bool failOpen;
  const char* latest;
  bool viewButtonShown;
};

class UpdateCheckTest : public AppTest, public ::testing::WithParamInterface<UpdateCase> {};

TEST_P(UpdateCheckTest, ShowsTheLatestVersionAndOffersTheReleasePageWhenItDiffers) {
  const UpdateCase& c = GetParam();
  test::PreparedResponse response;
  response.body = c.body;
  response.failOpen = c.failOpen;
  internet = test::RecordingInternet(response);
  windows.onModal = [&](WK window) {
    if (window != WK::kVersionWindow) return;
    EXPECT_FALSE(windows.Control(WK::kVersionWindow, controls::kViewUpdateButton).visible);
    windows.Fire(WK::kVersionWindow, controls::kCheckUpdateButton, ControlEvent::kClick);
    EXPECT_EQ(windows.ReadCaption(WK::kVersionWindow, controls::kLatestVersionLabel),
              Text(c.latest));
    EXPECT_EQ(windows.Control(WK::kVersionWindow, controls::kViewUpdateButton).visible,
              c.viewButtonShown);
  };
  windows.onLoop = [&] {
    windows.Fire(WK::kMainWindow, controls::kVersionButton, ControlEvent::kClick);
  };
  app.Run();
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, UpdateCheckTest,
    ::testing::Values(UpdateCase{"1,\"5.7\",2", false, "5.7", true},
                      UpdateCase{"1,\"5.6\",2", false, "5.6", false},
                      UpdateCase{"1,\"5.6 \",2", false, "5.6 ", true},
                      UpdateCase{"1,\"5.60\",2", false, "5.60", true},
                      UpdateCase{"1,\"\",2", false, "", true},
                      UpdateCase{"no marks here", false, "", true},
                      UpdateCase{"", true, "", true}));

TEST_F(AppTest, ReleasePageButtonHandsTheAddressToTheShell) {
  windows.onModal = [&](WK window) {
    if (window == WK::kVersionWindow) {
      windows.Fire(WK::kVersionWindow, controls::kViewUpdateButton, ControlEvent::kClick);
    }
  };
  windows.onLoop = [&] {
    windows.Fire(WK::kMainWindow, controls::kVersionButton, ControlEvent::kClick);
  };
  app.Run();
  ASSERT_EQ(shell.opened.size(), 1u);
  EXPECT_EQ(shell.opened[0].view().substr(0, 8), "https://");
}

TEST_F(AppTest, AStartWindowThatCannotBeCreatedIsFatal) {
  windows.failLoad = true;
  EXPECT_EXIT(app.Run(), [](int status) { return ::testing::ExitedWithCode(-1)(status) ||
                                                  ::testing::ExitedWithCode(255)(status); },
              "MainWindow");
}

}  // namespace
}  // namespace sw
