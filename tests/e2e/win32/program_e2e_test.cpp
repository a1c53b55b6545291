// The real Windows program under Wine, driven from outside with real input.
#include <gtest/gtest.h>

#include "tests/e2e/win32/program_driver.h"
#include "tests/e2e/win32/prompt_window.h"

namespace sw::e2e {
namespace {

const std::wstring kStartWords = Wide(" 自动签到开始运行");
const std::wstring kSignInWords = Wide(" 自动签到");

bool EndsWith(const std::wstring& text, const std::wstring& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The window has its definition's outer size, centred on the primary screen, the fixed
// frame, and every control at its place with its caption and initial visibility.
void ExpectMatchesDefinition(HWND window, WindowKind kind) {
  const WindowDefinition& definition = DefinitionOf(kind);
  SCOPED_TRACE(definition.title.readable);
  const RECT outer = OuterRect(window);
  EXPECT_EQ(outer.right - outer.left, definition.outerWidth);
  EXPECT_EQ(outer.bottom - outer.top, definition.outerHeight);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - definition.outerWidth) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - definition.outerHeight) / 2);
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX),
            WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
  EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
  for (const ControlDefinition& control : definition.controls) {
    if (control.kind == ControlKind::kTimer) continue;
    SCOPED_TRACE(std::string(control.name));
    HWND child = ControlAt(window, control);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(IsWindowVisible(child) != FALSE, control.visible);
    if (control.kind == ControlKind::kLabel || control.kind == ControlKind::kButton) {
      EXPECT_EQ(Caption(child), Wide(control.caption.readable));
    }
  }
}

void CloseAndExpectExitCodeZero(RunningProgram& program, HWND main) {
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), std::optional<DWORD>(0));
}

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(program.started());
    main = program.WaitForWindow(WindowKind::kMainWindow);
    ASSERT_NE(main, nullptr);
    counter = ControlOf(main, WindowKind::kMainWindow, controls::kCounterLabel);
    runLog = ControlOf(main, WindowKind::kMainWindow, controls::kRunLog);
    ASSERT_NE(counter, nullptr);
    ASSERT_NE(runLog, nullptr);
  }
  HWND MainControl(std::string_view name) const {
    return ControlOf(main, WindowKind::kMainWindow, name);
  }

  RunningProgram program;
  HWND main = nullptr;
  HWND counter = nullptr;
  HWND runLog = nullptr;
};

TEST_F(ProgramTest, StartsWithItsDefinitionOneStartLineAndExitsWithZero) {
  ExpectMatchesDefinition(main, WindowKind::kMainWindow);
  EXPECT_EQ(Caption(counter), L"0");
  const std::vector<std::wstring> lines = ListItems(runLog);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_TRUE(EndsWith(lines[0], kStartWords));
  EXPECT_NE(lines[0].find(Wide("年")), std::wstring::npos);
  CloseAndExpectExitCodeZero(program, main);
}

TEST_F(ProgramTest, SignsInOncePerPromptAtTheExactPointAndNeverClicksOtherShapes) {
  RecordingWindow square(RECT{300, 40, 500, 240}, false);    // ratio 1
  RecordingWindow nearMiss(RECT{560, 40, 654, 140}, false);  // 94 x 100: ratio 0.94, outside
  // 186 x 200: ratio 0.93. Its centre is (133, 140); 0.34 of 200 below it is y = 208.
  RecordingWindow prompt(RECT{40, 40, 226, 240}, true);
  ASSERT_TRUE(PumpUntil([&] { return !prompt.presses().empty(); }));
  ASSERT_EQ(prompt.presses().size(), 1u);
  EXPECT_EQ(prompt.presses()[0].x, 133 - 40);
  EXPECT_EQ(prompt.presses()[0].y, 208 - 40);
  EXPECT_TRUE(PumpUntil([&] { return Caption(counter) == L"1"; }, 2000ms));
  std::vector<std::wstring> lines = ListItems(runLog);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(EndsWith(lines[0], kStartWords));
  EXPECT_TRUE(EndsWith(lines[1], kSignInWords));
  EXPECT_FALSE(EndsWith(lines[1], kStartWords));

  // The answered prompt is gone: the next ticks find nothing more to do.
  PumpFor(3500ms);
  EXPECT_EQ(prompt.presses().size(), 1u);
  EXPECT_EQ(Caption(counter), L"1");
  EXPECT_EQ(ListItems(runLog).size(), 2u);
  EXPECT_TRUE(square.presses().empty());
  EXPECT_TRUE(nearMiss.presses().empty());
  CloseAndExpectExitCodeZero(program, main);
}

TEST_F(ProgramTest, RunLogButtonExpandsToShowTheLogAndCollapsesAgain) {
  const RECT before = OuterRect(main);
  HWND button = MainControl(controls::kRunLogButton);
  ASSERT_NE(button, nullptr);

  ClickCentreOf(button);
  ASSERT_TRUE(PumpUntil([&] { return OuterSize(main).cy == kExpandedMainHeight; }, 3000ms));
  RECT expanded = OuterRect(main);
  EXPECT_EQ(expanded.left, before.left);
  EXPECT_EQ(expanded.top, before.top);
  EXPECT_EQ(expanded.right, before.right);
  EXPECT_TRUE(IsWindowVisible(runLog));
  EXPECT_EQ(ListItems(runLog).size(), 1u);

  ClickCentreOf(button);
  ASSERT_TRUE(PumpUntil([&] { return OuterSize(main).cy == kCollapsedMainHeight; }, 3000ms));
  EXPECT_FALSE(IsWindowVisible(runLog));
  EXPECT_EQ(OuterRect(main).top, before.top);
  CloseAndExpectExitCodeZero(program, main);
}

TEST_F(ProgramTest, VersionAndAboutWindowsAreModalAndEscClosesOnlyTheActiveOne) {
  ClickCentreOf(MainControl(controls::kVersionButton));
  HWND version = program.WaitForWindow(WindowKind::kVersionWindow);
  ASSERT_NE(version, nullptr);
  ExpectMatchesDefinition(version, WindowKind::kVersionWindow);
  EXPECT_FALSE(IsWindowEnabled(main));

  ClickCentreOf(ControlOf(version, WindowKind::kVersionWindow, controls::kAuthorButton));
  HWND about = program.WaitForWindow(WindowKind::kAboutWindow);
  ASSERT_NE(about, nullptr);
  ExpectMatchesDefinition(about, WindowKind::kAboutWindow);
  EXPECT_FALSE(IsWindowEnabled(version));
  EXPECT_FALSE(IsWindowEnabled(main));

  PressEscape();
  ASSERT_TRUE(PumpUntil([&] { return !IsWindow(about); }, 3000ms));
  EXPECT_TRUE(IsWindowVisible(version));
  EXPECT_TRUE(PumpUntil([&] { return IsWindowEnabled(version) != FALSE; }, 2000ms));
  EXPECT_FALSE(IsWindowEnabled(main));

  PressEscape();
  ASSERT_TRUE(PumpUntil([&] { return !IsWindow(version); }, 3000ms));
  EXPECT_TRUE(IsWindowEnabled(main));
  EXPECT_TRUE(IsWindowVisible(main));

  // Esc on the main window ends the program.
  PressEscape();
  EXPECT_EQ(program.WaitForExit(), std::optional<DWORD>(0));
}

TEST_F(ProgramTest, EasterEggOpensOnTheLeftButtonOnlyAndItsChainClosesInReverse) {
  HWND picture = MainControl(controls::kMainPicture);
  ASSERT_NE(picture, nullptr);
  ClickCentreOf(picture, /*rightButton=*/true);
  PumpFor(1000ms);
  EXPECT_EQ(program.FindWindowOf(WindowKind::kEasterEggWindow), nullptr);

  ClickCentreOf(picture);
  HWND egg = program.WaitForWindow(WindowKind::kEasterEggWindow);
  ASSERT_NE(egg, nullptr);
  ExpectMatchesDefinition(egg, WindowKind::kEasterEggWindow);
  EXPECT_FALSE(IsWindowEnabled(main));

  ClickCentreOf(ControlOf(egg, WindowKind::kEasterEggWindow, controls::kAgreeButton));
  HWND contact = program.WaitForWindow(WindowKind::kContactWindow);
  ASSERT_NE(contact, nullptr);
  ExpectMatchesDefinition(contact, WindowKind::kContactWindow);
  EXPECT_FALSE(IsWindowEnabled(egg));

  PressEscape();
  ASSERT_TRUE(PumpUntil([&] { return !IsWindow(contact); }, 3000ms));
  EXPECT_TRUE(IsWindowVisible(egg));
  EXPECT_TRUE(PumpUntil([&] { return IsWindowEnabled(egg) != FALSE; }, 2000ms));

  ClickCentreOf(ControlOf(egg, WindowKind::kEasterEggWindow, controls::kCancelButton));
  ASSERT_TRUE(PumpUntil([&] { return !IsWindow(egg); }, 3000ms));
  EXPECT_TRUE(IsWindowEnabled(main));
  CloseAndExpectExitCodeZero(program, main);
}

TEST_F(ProgramTest, SignsInWhileAModalWindowIsOpen) {
  ClickCentreOf(MainControl(controls::kVersionButton));
  HWND version = program.WaitForWindow(WindowKind::kVersionWindow);
  ASSERT_NE(version, nullptr);

  RecordingWindow prompt(RECT{40, 40, 226, 240}, true);
  ASSERT_TRUE(PumpUntil([&] { return !prompt.presses().empty(); }));
  EXPECT_TRUE(PumpUntil([&] { return Caption(counter) == L"1"; }, 2000ms));
  EXPECT_EQ(ListItems(runLog).size(), 2u);
  EXPECT_TRUE(IsWindow(version));

  PressEscape();
  ASSERT_TRUE(PumpUntil([&] { return !IsWindow(version); }, 3000ms));
  CloseAndExpectExitCodeZero(program, main);
}

}  // namespace
}  // namespace sw::e2e
