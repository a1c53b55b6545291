// The USER32 desktop against real windows under Wine (needs an X display).
#include "platform/win32/desktop_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/integration/win32/click_targets.h"
#include "tests/integration/win32/test_window.h"

namespace sw {
namespace {

using test::MouseMessage;
using test::PumpUntil;
using test::TestWindow;

Text HandleText(HWND window) {
  return Text(std::to_string(HandleNumber(reinterpret_cast<std::uintptr_t>(window))));
}

bool Listed(const TextArray& list, HWND window) {
  const Text text = HandleText(window);
  return std::find(list.begin(), list.end(), text) != list.end();
}

// Lets the windows' creation and showing settle before the desktop is looked at.
void Settle() {
  int rounds = 0;
  PumpUntil([&] { return ++rounds > 5; });
}

TEST(Win32Desktop, ListsTheVisibleTopLevelWindowsOnly) {
  TestWindow shown({10, 10, 210, 110}, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  TestWindow minimised({20, 20, 220, 120}, WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_MINIMIZE);
  TestWindow covered({12, 12, 100, 60}, WS_POPUP | WS_VISIBLE);  // under `shown`, made below
  TestWindow hidden({30, 30, 930, 530}, WS_OVERLAPPEDWINDOW);
  SetWindowPos(covered.handle(), shown.handle(), 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  HWND child = CreateWindowExW(0, L"STATIC", L"child", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20,
                               shown.handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(child, nullptr);
  Settle();

  Win32Desktop desktop;
  const TextArray list = desktop.ListVisibleWindows();
  EXPECT_TRUE(Listed(list, shown.handle()));
  EXPECT_TRUE(Listed(list, minimised.handle()));
  EXPECT_TRUE(Listed(list, covered.handle()));
  EXPECT_FALSE(Listed(list, hidden.handle()));
  EXPECT_FALSE(Listed(list, child));

  // Every listed text names a visible window and appears once.
  std::vector<std::string> texts;
  for (const Text& text : list) {
    const HWND window = reinterpret_cast<HWND>(HandleValue(ToInt(text)));
    EXPECT_TRUE(IsWindow(window) && (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE))
        << text.bytes();
    texts.push_back(text.bytes());
  }
  std::sort(texts.begin(), texts.end());
  EXPECT_EQ(std::adjacent_find(texts.begin(), texts.end()), texts.end());

  // Showing and hiding change the list, nothing else does.
  ShowWindow(hidden.handle(), SW_SHOWNA);
  ShowWindow(shown.handle(), SW_HIDE);
  Settle();
  const TextArray after = desktop.ListVisibleWindows();
  EXPECT_TRUE(Listed(after, hidden.handle()));
  EXPECT_FALSE(Listed(after, shown.handle()));
}

TEST(Win32Desktop, ListsEveryWindowBeyondSixtyFour) {
  std::vector<std::unique_ptr<TestWindow>> windows;
  for (int i = 0; i < 100; ++i) {
    windows.push_back(
        std::make_unique<TestWindow>(RECT{i, i, i + 40, i + 30}, WS_POPUP | WS_VISIBLE));
  }
  Settle();
  const TextArray list = Win32Desktop().ListVisibleWindows();
  EXPECT_GE(list.Count(), 100);
  for (const auto& window : windows) EXPECT_TRUE(Listed(list, window->handle()));
}

TEST(Win32Desktop, ReadsTheOuterRectangleInScreenPixels) {
  struct Case {
    RECT outer;
    DWORD style;
  };
  // On the screen: window managers and Wine pull windows that stick out back in.
  const Case cases[] = {
      {{100, 120, 500, 420}, WS_OVERLAPPEDWINDOW},  // frame and title bar included
      {{900, 600, 1193, 915}, WS_POPUP},            // odd sizes
      {{7, 9, 8, 10}, WS_POPUP},                    // one pixel
  };
  for (const auto& [outer, style] : cases) {
    SCOPED_TRACE(outer.left);
    TestWindow window(outer, style | WS_VISIBLE);
    // Placed again once shown: the window manager may adjust where a window first appears.
    SetWindowPos(window.handle(), nullptr, outer.left, outer.top, outer.right - outer.left,
                 outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
    Settle();
    WindowRect rect;
    ASSERT_TRUE(Win32Desktop().GetWindowRect(ToInt(HandleText(window.handle())), rect));
    EXPECT_EQ(rect, (WindowRect{outer.left, outer.top, outer.right, outer.bottom}));
  }
}

TEST(Win32Desktop, AVanishedWindowFailsAndLeavesTheRecordAlone) {
  TestWindow window({100, 100, 300, 300}, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  const int handle = ToInt(HandleText(window.handle()));
  window.Destroy();
  WindowRect rect{-1, 2, -3, 4};
  EXPECT_FALSE(Win32Desktop().GetWindowRect(handle, rect));
  EXPECT_EQ(rect, (WindowRect{-1, 2, -3, 4}));
  EXPECT_FALSE(Win32Desktop().GetWindowRect(0, rect));
  EXPECT_EQ(rect, (WindowRect{-1, 2, -3, 4}));
}

TEST(Win32Desktop, ClickLandsAtThePointAndLeavesThePointerThere) {
  struct Case {
    std::optional<int> kind;
    std::vector<UINT> messages;
  };
  const Case cases[] = {
      {std::nullopt, {WM_LBUTTONDOWN, WM_LBUTTONUP}},
      {0, {WM_LBUTTONDOWN, WM_LBUTTONUP}},
      {1, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}},
      {2, {WM_RBUTTONDOWN, WM_RBUTTONUP}},
      {3, {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP}},
  };
  int round = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind.value_or(-1));
    // Another place each round, so a stale pointer position cannot pass.
    const int left = 150 + 37 * round++;
    TestWindow window({left, 200, left + 300, 400}, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    Settle();
    POINT target{37, 21};
    ClientToScreen(window.handle(), &target);

    Win32Desktop().ClickAt(target.x, target.y, c.kind);
    ASSERT_TRUE(PumpUntil([&] { return window.mouse().size() >= c.messages.size(); }));
    Settle();  // and nothing more arrives

    std::vector<UINT> seen;
    for (const MouseMessage& m : window.mouse()) {
      seen.push_back(m.message);
      EXPECT_EQ(m.client.x, 37);
      EXPECT_EQ(m.client.y, 21);
    }
    EXPECT_EQ(seen, c.messages);
    POINT pointer{};
    GetCursorPos(&pointer);
    EXPECT_EQ(pointer.x, target.x);
    EXPECT_EQ(pointer.y, target.y);
  }
}

// Owns a process handle and ends the process with it.
class TargetProgram {
 public:
  TargetProgram() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring command(path, length);
    command.replace(command.find_last_of(L"\\/") + 1, std::wstring::npos, L"click_targets.exe");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (CreateProcessW(command.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &started)) {
      CloseHandle(started.hThread);
      process_ = started.hProcess;
    }
  }
  ~TargetProgram() {
    if (process_ == nullptr) return;
    if (HWND a = Window(0)) PostMessageW(a, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_, 10000) != WAIT_OBJECT_0) TerminateProcess(process_, 1);
    CloseHandle(process_);
  }
  TargetProgram(const TargetProgram&) = delete;
  TargetProgram& operator=(const TargetProgram&) = delete;

  bool started() const { return process_ != nullptr; }
  static HWND Window(int index) {
    return FindWindowW(test::ClickTargets::kClassName, test::ClickTargets::kTitles[index]);
  }
  // Presses exactly at window 0's or 1's target, or (2) anywhere else; -1 when unknown.
  static int Count(int which) {
    DWORD_PTR result = 0;
    const HWND a = Window(0);
    if (a == nullptr || !SendMessageTimeoutW(a, test::ClickTargets::kQueryMessage, which, 0,
                                             SMTO_ABORTIFHUNG, 5000, &result)) {
      return -1;
    }
    return static_cast<int>(result);
  }

 private:
  HANDLE process_ = nullptr;
};

// The watcher clicks windows of another program, several in one tick, one right after
// the other. Under Wine that program reports where the pointer went on the previous
// click only after the next SetCursorPos; a press that merely follows SetCursorPos then
// lands on the window clicked before.
TEST(Win32Desktop, ClicksInQuickSuccessionOnAnotherProgramsWindowsEachLandOnTheirOwn) {
  TargetProgram targets;
  ASSERT_TRUE(targets.started());
  ASSERT_TRUE(PumpUntil(
      [] { return TargetProgram::Window(0) != nullptr && TargetProgram::Window(1) != nullptr; }));
  Settle();
  constexpr int kRounds = 200;
  Win32Desktop desktop;
  for (int round = 0; round < kRounds; ++round) {
    for (const RECT& outer : test::ClickTargets::kOuter) {
      desktop.ClickAt(outer.left + test::ClickTargets::kClientTarget.x,
                      outer.top + test::ClickTargets::kClientTarget.y);
    }
  }
  ASSERT_TRUE(PumpUntil([] {
    return TargetProgram::Count(0) + TargetProgram::Count(1) + TargetProgram::Count(2) >=
           2 * kRounds;
  })) << TargetProgram::Count(0)
      << " " << TargetProgram::Count(1) << " " << TargetProgram::Count(2);
  Settle();
  EXPECT_EQ(TargetProgram::Count(0), kRounds);
  EXPECT_EQ(TargetProgram::Count(1), kRounds);
  EXPECT_EQ(TargetProgram::Count(2), 0);
}

// The last pixel of each edge is reachable: the absolute form of the click names it
// exactly.
TEST(Win32Desktop, ClicksReachTheScreensEdges) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  TestWindow window({0, 0, width, height}, WS_POPUP | WS_VISIBLE);
  Settle();
  const POINT points[] = {{0, 0},
                          {width - 1, height - 1},
                          {width - 1, 0},
                          {1, height - 2},
                          {width / 2 + 1, height / 3}};
  for (const POINT& point : points) {
    const std::size_t before = window.mouse().size();
    Win32Desktop().ClickAt(point.x, point.y);
    ASSERT_TRUE(PumpUntil([&] { return window.mouse().size() >= before + 2; }));
    for (std::size_t i = before; i < window.mouse().size(); ++i) {
      EXPECT_EQ(window.mouse()[i].client.x, point.x);
      EXPECT_EQ(window.mouse()[i].client.y, point.y);
    }
  }
}

TEST(Win32Desktop, OperationsGiveTheThreadItsDpiAwarenessBack) {
  const DPI_AWARENESS_CONTEXT before = SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_UNAWARE);
  TestWindow window({100, 100, 300, 300}, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  Settle();
  Win32Desktop desktop;
  WindowRect rect;
  desktop.ListVisibleWindows();
  desktop.GetWindowRect(ToInt(HandleText(window.handle())), rect);
  desktop.ClickAt(120, 130);
  EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()),
            DPI_AWARENESS_UNAWARE);
  if (before != nullptr) SetThreadDpiAwarenessContext(before);
}

}  // namespace
}  // namespace sw
