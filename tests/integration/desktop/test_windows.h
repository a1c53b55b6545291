// The test's own X client: creates real windows, waits for the window manager, and
// reads back what the server and the manager say about them.
#pragma once

#include <xcb/xcb.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/linux/desktop_xcb_handles.h"
#include "tests/integration/desktop/eventually.h"
#include "watcher/desktop.h"

namespace sw::test {

struct FrameExtents {
  std::int32_t left = 0, right = 0, top = 0, bottom = 0;
};

struct Point {
  std::int32_t x = 0, y = 0;
};

class TestWindows {
 public:
  TestWindows();
  ~TestWindows();
  TestWindows(const TestWindows&) = delete;
  TestWindows& operator=(const TestWindows&) = delete;

  bool connected() const { return root_ != XCB_NONE; }
  // Destroys every window made so far.
  void DestroyAll();

  // A window at (x, y) of the given inner size. A managed one is given a fixed
  // position hint so the manager keeps it there; an override-redirect one is not
  // managed at all. Neither is mapped yet.
  xcb_window_t Create(int x, int y, int width, int height, bool overrideRedirect = false,
                      int border = 0, std::uint32_t eventMask = 0);
  void Map(xcb_window_t w);
  void Unmap(xcb_window_t w);
  void Destroy(xcb_window_t w);
  void Move(xcb_window_t w, int x, int y);
  // Asks the window manager to minimise the window, as a taskbar would.
  void Minimise(xcb_window_t w);
  // Waits until the server has processed everything sent so far.
  void Sync();

  // Maps a managed window and waits until the manager has framed it, shows it and
  // names it among its clients (the frame shows before the manager names it).
  bool MapAndWaitForFrame(xcb_window_t w);
  bool IsListedClient(xcb_window_t w);
  // Unmaps a managed window and waits until the manager has let it go (given it back
  // to the root), so that mapping it again is a fresh start and not a race with that.
  bool UnmapAndWaitForRelease(xcb_window_t w);
  std::optional<xcb_window_t> Parent(xcb_window_t w);  // none for a window that is gone
  bool IsViewable(xcb_window_t w);
  std::optional<FrameExtents> Extents(xcb_window_t w);
  std::optional<Point> RootOrigin(xcb_window_t w);
  std::optional<WindowRect> OwnOuterRect(xcb_window_t w);  // geometry as the root child
  std::optional<Point> Pointer();

  // Events of the test's own windows, waiting up to the timeout for `count` of them.
  std::vector<XcbReply<xcb_generic_event_t>> TakeEvents(std::size_t count,
                                                        std::chrono::milliseconds timeout);

  xcb_connection_t* connection() { return c_.get(); }
  xcb_window_t root() const { return root_; }

 private:
  xcb_atom_t Atom(const char* name);

  XcbConnectionPtr c_;
  xcb_window_t root_ = XCB_NONE;
  std::vector<xcb_window_t> created_;
};

}  // namespace sw::test
