// One watch tick's desktop work on X11 (list the visible windows, read each one's
// rectangle) with 10 to 1000 managed windows, against two baselines measured in the
// same run: a plain Xlib walk that waits for every reply in turn, and `wmctrl -lG`.
// Run it inside an X session with a window manager (bench/run_desktop.sh).
#include <X11/Xlib.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "platform/linux/desktop_xcb.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::uint32_t kUserPosition = 1;  // WM_NORMAL_HINTS flag USPosition

struct CloseDisplay {
  void operator()(Display* d) const { XCloseDisplay(d); }
};

// Median microseconds per call over `runs` calls, after one warm-up call: the median
// shrugs off the moments when other processes hold the CPU or the X server.
double MicrosecondsPerRun(int runs, const std::function<void()>& run) {
  run();
  std::vector<double> samples;
  samples.reserve(static_cast<std::size_t>(runs));
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    run();
    samples.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  std::nth_element(samples.begin(), samples.begin() + runs / 2, samples.end());
  return samples[static_cast<std::size_t>(runs / 2)];
}

int IgnoreXError(Display*, XErrorEvent*) {
  return 0;
}

// The walk a straightforward Xlib program would do: each request waits for its reply.
long NaiveXlibTick(Display* display) {
  Window root = DefaultRootWindow(display), parent = 0, *children = nullptr;
  unsigned count = 0;
  long viewable = 0;
  if (XQueryTree(display, root, &root, &parent, &children, &count) == 0) return 0;
  for (unsigned i = 0; i < count; ++i) {
    XWindowAttributes a;
    if (XGetWindowAttributes(display, children[i], &a) != 0 && a.map_state == IsViewable) {
      viewable += a.width > 0 ? 1 : 0;
    }
  }
  XFree(children);
  return viewable;
}

void RunWmctrl() {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  char program[] = "wmctrl";
  char option[] = "-lG";
  char* argv[] = {program, option, nullptr};
  pid_t child = 0;
  if (posix_spawnp(&child, program, &actions, nullptr, argv, environ) == 0) {
    waitpid(child, nullptr, 0);
  }
  posix_spawn_file_actions_destroy(&actions);
}

// Creates managed windows and waits until the window manager has taken them all.
class WindowMaker {
 public:
  WindowMaker() : c_(xcb_connect(nullptr, nullptr)) {
    root_ = xcb_setup_roots_iterator(xcb_get_setup(c_.get())).data->root;
    const char name[] = "_NET_CLIENT_LIST";
    auto atom = sw::TakeReply(c_.get(), xcb_intern_atom(c_.get(), 0, sizeof name - 1, name),
                              xcb_intern_atom_reply);
    clientList_ = atom ? atom->atom : xcb_atom_t{XCB_ATOM_NONE};
  }
  bool ok() const { return xcb_connection_has_error(c_.get()) == 0; }

  bool GrowTo(int total) {
    for (int i = created_; i < total; ++i) {
      const xcb_window_t w = xcb_generate_id(c_.get());
      const auto x = static_cast<std::int16_t>(20 + (i * 7) % 1200);
      const auto y = static_cast<std::int16_t>(20 + (i * 11) % 900);
      xcb_create_window(c_.get(), XCB_COPY_FROM_PARENT, w, root_, x, y, 160, 120, 0,
                        XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
      // A user-given position spares the manager its placement search, which grows
      // with the number of windows already there.
      std::uint32_t hints[18] = {kUserPosition, static_cast<std::uint32_t>(x),
                                 static_cast<std::uint32_t>(y)};
      xcb_change_property(c_.get(), XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_NORMAL_HINTS,
                          XCB_ATOM_WM_SIZE_HINTS, 32, 18, hints);
      xcb_map_window(c_.get(), w);
    }
    xcb_flush(c_.get());
    created_ = total;
    const auto deadline = Clock::now() + std::chrono::seconds(120);
    while (ManagedCount() < baseline_ + total) {
      if (Clock::now() > deadline) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
  }
  void NoteBaseline() { baseline_ = ManagedCount(); }

 private:
  int ManagedCount() {
    auto p = sw::TakeReply(
        c_.get(), xcb_get_property(c_.get(), 0, root_, clientList_, XCB_ATOM_WINDOW, 0, 1u << 16),
        xcb_get_property_reply);
    return p ? xcb_get_property_value_length(p.get()) / 4 : 0;
  }

  sw::XcbConnectionPtr c_;
  xcb_window_t root_ = XCB_NONE;
  xcb_atom_t clientList_ = XCB_ATOM_NONE;
  int created_ = 0;
  int baseline_ = 0;
};

}  // namespace

int main() {
  WindowMaker maker;
  std::unique_ptr<Display, CloseDisplay> owned(XOpenDisplay(nullptr));
  Display* display = owned.get();
  if (!maker.ok() || display == nullptr) {
    std::fprintf(stderr, "bench_desktop_x11: no X display (run bench/run_desktop.sh)\n");
    return 1;
  }
  XSetErrorHandler(IgnoreXError);
  maker.NoteBaseline();
  sw::XcbDesktop desktop;

  std::printf("%8s %8s %8s %10s %10s %10s %8s %8s\n", "windows", "listed", "rtt_us", "tick_us",
              "xlib_us", "wmctrl_us", "xlib/x", "wmctrl/x");
  for (int windows : {10, 100, 500, 1000}) {
    if (!maker.GrowTo(windows)) {
      std::fprintf(stderr, "the window manager did not take %d windows in time\n", windows);
      return 1;
    }
    // Let the manager finish framing and showing the new windows before measuring.
    int listed = 0;
    const auto settle = Clock::now() + std::chrono::seconds(60);
    while ((listed = desktop.ListVisibleWindows().Count()) < windows && Clock::now() < settle) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(500 + 5 * windows));
    const double tick = MicrosecondsPerRun(201, [&] {
      const sw::TextArray handles = desktop.ListVisibleWindows();
      listed = handles.Count();
      sw::WindowRect rect;
      for (const sw::Text& h : handles) desktop.GetWindowRect(sw::ToInt(h), rect);
    });
    // One bare round trip, to tell a slow server from a slow walk.
    const double roundTrip = MicrosecondsPerRun(201, [&] { XSync(display, False); });
    const double xlib =
        MicrosecondsPerRun(windows >= 500 ? 21 : 51, [&] { NaiveXlibTick(display); });
    const double wmctrl = MicrosecondsPerRun(windows >= 500 ? 11 : 21, RunWmctrl);
    std::printf("%8d %8d %8.1f %10.1f %10.1f %10.1f %8.1f %8.1f\n", windows, listed, roundTrip,
                tick, xlib, wmctrl, xlib / tick, wmctrl / tick);
    std::fflush(stdout);
  }
  return 0;
}
