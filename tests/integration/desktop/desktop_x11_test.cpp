// The X11 desktop against real windows on Xvfb managed by openbox.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "platform/linux/desktop_xcb.h"
#include "tests/integration/desktop/test_windows.h"

namespace sw {

void PrintTo(const WindowRect& r, std::ostream* os) {
  *os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace {

using test::Eventually;
using test::TestWindows;

std::string HandleText(xcb_window_t w) {
  return std::to_string(static_cast<std::int32_t>(w));
}

std::vector<std::string> Strings(const TextArray& a) {
  std::vector<std::string> out;
  for (const Text& t : a) out.push_back(t.bytes());
  return out;
}

bool Contains(const std::vector<std::string>& list, xcb_window_t w) {
  return std::find(list.begin(), list.end(), HandleText(w)) != list.end();
}

std::ptrdiff_t IndexOf(const std::vector<std::string>& list, xcb_window_t w) {
  return std::find(list.begin(), list.end(), HandleText(w)) - list.begin();
}

// One connection for all tests: a new connection would be handed the window ids of
// the last one, and the window manager may still act on those ids for a moment after
// the old windows are gone, which would then move the new windows.
TestWindows& SharedWindows() {
  static TestWindows windows;
  return windows;
}

class DesktopX11 : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(windows.connected()) << "needs an X server: run under with_x_session.sh";
  }
  void TearDown() override { windows.DestroyAll(); }
  // The rectangle of a managed window as the window manager describes its frame.
  WindowRect FramedRect(xcb_window_t w, int width, int height) {
    auto e = windows.Extents(w);
    auto origin = windows.RootOrigin(w);
    EXPECT_TRUE(e && origin);
    if (!e || !origin) return {};
    return WindowRect{origin->x - e->left, origin->y - e->top, origin->x + width + e->right,
                      origin->y + height + e->bottom};
  }

  TestWindows& windows = SharedWindows();
  XcbDesktop desktop;
};

TEST_F(DesktopX11, ListsViewableTopLevelWindowsInStableStackingOrder) {
  const xcb_window_t first = windows.Create(100, 100, 300, 200);
  const xcb_window_t second = windows.Create(150, 150, 300, 200);
  const xcb_window_t hidden = windows.Create(200, 200, 300, 200);
  const xcb_window_t popup = windows.Create(20, 20, 80, 40, /*overrideRedirect=*/true);
  ASSERT_TRUE(windows.MapAndWaitForFrame(first));
  ASSERT_TRUE(windows.MapAndWaitForFrame(second));
  windows.Map(popup);

  const auto listed = Strings(desktop.ListVisibleWindows());
  EXPECT_TRUE(Contains(listed, first));
  EXPECT_TRUE(Contains(listed, second));
  EXPECT_TRUE(Contains(listed, popup)) << "override-redirect windows are top-level too";
  EXPECT_FALSE(Contains(listed, hidden)) << "never mapped";
  // Bottom to top: the window mapped later lies above the earlier one.
  EXPECT_LT(IndexOf(listed, first), IndexOf(listed, second));
  EXPECT_EQ(listed, Strings(desktop.ListVisibleWindows()));

  windows.Unmap(second);
  ASSERT_TRUE(Eventually([&] { return !Contains(Strings(desktop.ListVisibleWindows()), second); }))
      << "a window hidden after being listed must leave the list";
  EXPECT_TRUE(Contains(Strings(desktop.ListVisibleWindows()), first));

  // X11 unmaps a minimised window, so unlike on Windows it is not listed.
  windows.Minimise(first);
  EXPECT_TRUE(Eventually([&] { return !Contains(Strings(desktop.ListVisibleWindows()), first); }));
}

TEST_F(DesktopX11, ListsEveryWindowBeyondSixtyFour) {
  std::vector<xcb_window_t> many;
  for (int i = 0; i < 80; ++i) {
    many.push_back(windows.Create(10 + i, 10 + i, 20, 20, /*overrideRedirect=*/true));
    windows.Map(many.back());
  }
  const auto listed = Strings(desktop.ListVisibleWindows());
  for (xcb_window_t w : many) EXPECT_TRUE(Contains(listed, w)) << w;
}

TEST_F(DesktopX11, RectangleOfManagedWindowIncludesTheFrame) {
  const xcb_window_t w = windows.Create(120, 90, 321, 203);
  ASSERT_TRUE(windows.MapAndWaitForFrame(w));
  const auto extents = windows.Extents(w);
  ASSERT_TRUE(extents);
  ASSERT_GT(extents->top, 0) << "openbox should decorate the window with a title bar";
  const WindowRect expected = FramedRect(w, 321, 203);

  // Both the rectangle remembered from a listing and the one asked of the server.
  WindowRect unlisted;
  ASSERT_TRUE(XcbDesktop().GetWindowRect(static_cast<int>(w), unlisted));
  EXPECT_EQ(unlisted, expected);

  ASSERT_TRUE(Contains(Strings(desktop.ListVisibleWindows()), w));
  WindowRect listed;
  ASSERT_TRUE(desktop.GetWindowRect(static_cast<int>(w), listed));
  EXPECT_EQ(listed, expected);
  EXPECT_EQ(listed.right - listed.left, 321 + extents->left + extents->right);
  EXPECT_EQ(listed.bottom - listed.top, 203 + extents->top + extents->bottom);

  // Hidden and shown again, the window gets a new frame at a new place; the same
  // desktop follows it there.
  ASSERT_TRUE(windows.UnmapAndWaitForRelease(w));
  ASSERT_FALSE(Contains(Strings(desktop.ListVisibleWindows()), w));
  windows.Move(w, 500, 400);
  ASSERT_TRUE(windows.MapAndWaitForFrame(w));
  ASSERT_TRUE(Contains(Strings(desktop.ListVisibleWindows()), w));
  ASSERT_TRUE(desktop.GetWindowRect(static_cast<int>(w), listed));
  EXPECT_EQ(listed, FramedRect(w, 321, 203));
  EXPECT_NE(listed, expected);
}

TEST_F(DesktopX11, RectangleOfUnmanagedWindowIsItsOwnWithBorder) {
  const xcb_window_t w = windows.Create(33, 44, 120, 70, /*overrideRedirect=*/true, /*border=*/3);
  windows.Map(w);
  desktop.ListVisibleWindows();
  WindowRect rect;
  ASSERT_TRUE(desktop.GetWindowRect(static_cast<int>(w), rect));
  EXPECT_EQ(rect, (WindowRect{33, 44, 33 + 126, 44 + 76}));

  // A move after the listing shows without listing again.
  windows.Move(w, 400, 300);
  EXPECT_TRUE(Eventually([&] {
    return desktop.GetWindowRect(static_cast<int>(w), rect) &&
           rect == WindowRect{400, 300, 526, 376};
  }));
}

TEST_F(DesktopX11, VanishedWindowFailsAndLeavesTheRecordAlone) {
  const WindowRect sentinel{-7, 11, 13, 17};
  struct Case {
    const char* name;
    bool overrideRedirect;
    bool listFirst;
  };
  for (const Case& k :
       {Case{"managed, listed before", false, true}, Case{"unmanaged, listed before", true, true},
        Case{"managed, never listed", false, false}}) {
    SCOPED_TRACE(k.name);
    XcbDesktop fresh;
    const xcb_window_t w = windows.Create(60, 60, 200, 150, k.overrideRedirect);
    if (k.overrideRedirect) {
      windows.Map(w);
    } else {
      ASSERT_TRUE(windows.MapAndWaitForFrame(w));
    }
    WindowRect rect;
    if (k.listFirst) {
      ASSERT_TRUE(Contains(Strings(fresh.ListVisibleWindows()), w));
      ASSERT_TRUE(fresh.GetWindowRect(static_cast<int>(w), rect));
    }
    windows.Destroy(w);
    rect = sentinel;
    // The server's notice of the destruction may trail the destroying client's reply.
    EXPECT_TRUE(Eventually([&] { return !fresh.GetWindowRect(static_cast<int>(w), rect); }));
    EXPECT_EQ(rect, sentinel);
  }
  WindowRect rect = sentinel;
  EXPECT_FALSE(desktop.GetWindowRect(0, rect));
  EXPECT_FALSE(desktop.GetWindowRect(-1, rect));
  EXPECT_EQ(rect, sentinel);
}

TEST_F(DesktopX11, ClickLandsAtTheExactPointAndLeavesThePointerThere) {
  struct Press {
    bool press;
    int button;
  };
  struct Case {
    std::optional<int> kind;
    std::vector<Press> expected;
  };
  const std::vector<Case> cases = {
      {std::nullopt, {{true, 1}, {false, 1}}},
      {0, {{true, 1}, {false, 1}}},
      {1, {{true, 1}, {false, 1}, {true, 1}, {false, 1}}},
      {2, {{true, 3}, {false, 3}}},
      {3, {{true, 3}, {false, 3}, {true, 3}, {false, 3}}},
  };
  const xcb_window_t w = windows.Create(
      200, 150, 400, 300, false, 0, XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE);
  ASSERT_TRUE(windows.MapAndWaitForFrame(w));
  const auto origin = windows.RootOrigin(w);
  ASSERT_TRUE(origin);

  int offset = 0;
  for (const Case& k : cases) {
    SCOPED_TRACE(k.kind ? *k.kind : -1);
    offset += 17;
    const int x = origin->x + 30 + offset;
    const int y = origin->y + 40 + 2 * offset;
    desktop.ClickAt(x, y, k.kind);

    const auto events = windows.TakeEvents(k.expected.size(), std::chrono::seconds(3));
    std::vector<Press> seen;
    for (const auto& e : events) {
      const auto type = e->response_type & 0x7f;
      if (type != XCB_BUTTON_PRESS && type != XCB_BUTTON_RELEASE) continue;
      const auto* b = reinterpret_cast<const xcb_button_press_event_t*>(e.get());
      EXPECT_EQ(b->event, w);
      EXPECT_EQ(b->root_x, x);
      EXPECT_EQ(b->root_y, y);
      seen.push_back({type == XCB_BUTTON_PRESS, b->detail});
    }
    ASSERT_EQ(seen.size(), k.expected.size());
    for (std::size_t i = 0; i < seen.size(); ++i) {
      EXPECT_EQ(seen[i].press, k.expected[i].press) << i;
      EXPECT_EQ(seen[i].button, k.expected[i].button) << i;
    }
    const auto pointer = windows.Pointer();
    ASSERT_TRUE(pointer);
    EXPECT_EQ(pointer->x, x);
    EXPECT_EQ(pointer->y, y);
  }
}

// A window manager that focuses a window on its first press grabs the button
// synchronously: the pointer freezes at that press until the manager lets it through.
// Here a second client plays that manager for window A and lets the press through
// after a while; the click on B that follows must still land on B, and A's on A.
TEST_F(DesktopX11, AClickWaitsForAFrozenPointerBeforeTheNextOne) {
  constexpr std::uint32_t kPressAndRelease =
      XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE;
  const xcb_window_t a = windows.Create(100, 100, 200, 200, true, 0, kPressAndRelease);
  const xcb_window_t b = windows.Create(500, 300, 200, 200, true, 0, kPressAndRelease);
  windows.Map(a);
  windows.Map(b);
  windows.Sync();

  XcbConnectionPtr manager(xcb_connect(nullptr, nullptr));
  ASSERT_EQ(xcb_connection_has_error(manager.get()), 0);
  auto grab = xcb_grab_button_checked(manager.get(), 1, a, XCB_EVENT_MASK_BUTTON_PRESS,
                                      XCB_GRAB_MODE_SYNC, XCB_GRAB_MODE_ASYNC, XCB_NONE, XCB_NONE,
                                      XCB_BUTTON_INDEX_1, XCB_MOD_MASK_ANY);
  ASSERT_EQ(xcb_request_check(manager.get(), grab), nullptr);
  // Lets the grabbed press through 300 ms after it arrived.
  std::thread thaw([c = manager.get()] {
    XcbReply<xcb_generic_event_t> event(xcb_wait_for_event(c));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    xcb_allow_events(c, XCB_ALLOW_REPLAY_POINTER, XCB_CURRENT_TIME);
    xcb_flush(c);
  });
  desktop.ClickAt(150, 150);
  desktop.ClickAt(600, 400);
  thaw.join();

  std::vector<std::string> seen;
  for (const auto& e : windows.TakeEvents(4, std::chrono::seconds(3))) {
    const auto type = e->response_type & 0x7f;
    if (type != XCB_BUTTON_PRESS && type != XCB_BUTTON_RELEASE) continue;
    const auto* p = reinterpret_cast<const xcb_button_press_event_t*>(e.get());
    seen.push_back(std::string(type == XCB_BUTTON_PRESS ? "press " : "release ") +
                   (p->event == a   ? "A "
                    : p->event == b ? "B "
                                    : "? ") +
                   std::to_string(p->root_x) + "," + std::to_string(p->root_y));
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"press A 150,150", "release A 150,150",
                                            "press B 600,400", "release B 600,400"}));
}

TEST(DesktopX11WithoutServer, EveryOperationFailsQuietly) {
  XcbDesktop nowhere(":4095");  // no server listens there
  EXPECT_EQ(nowhere.ListVisibleWindows().Count(), 0);
  WindowRect rect{1, 2, 3, 4};
  EXPECT_FALSE(nowhere.GetWindowRect(12345, rect));
  EXPECT_EQ(rect, (WindowRect{1, 2, 3, 4}));
  nowhere.ClickAt(10, 10);
}

}  // namespace
}  // namespace sw
