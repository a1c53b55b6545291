// The program: its program-wide state, the handlers bound by the window definitions,
// and start-up, the message loop and shutdown.
#pragma once

#include "app/shutdown_routines.h"
#include "app/window_layer.h"
#include "base/byte_set.h"
#include "base/clock.h"
#include "watcher/chime.h"
#include "watcher/desktop.h"
#include "watcher/watch_tick.h"

namespace sw {

class Internet;
class Shell;

// The operating system as the program reaches it.
struct AppSeams {
  WindowLayer& windows;
  Desktop& desktop;
  ChimePlayer& chime;
  Internet& internet;
  Shell& shell;
  Clock& clock;
};

class App final : public WindowEvents {
 public:
  App(AppSeams seams, ByteSet signInChime);
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // Start-up, the loop and orderly shutdown; returns the exit code (0).
  int Run();

  void OnWindowCreated(WindowKind window) override;
  void OnControlEvent(WindowKind window, std::string_view control, ControlEvent event) override;

  const WatchState& watchState() const { return watch_; }
  bool runLogShown() const { return runLogShown_; }

 private:
  void ToggleRunLog();
  static void ReleaseWindowSnapshot(void* app);
  static void ReportFatal(const std::string& message);

  AppSeams seams_;
  ByteSet signInChime_;
  WatchSeams watchSeams_;
  WatchState watch_;
  bool runLogShown_ = false;
  ShutdownRoutines shutdownRoutines_;
};

// The start line's words, after the date-time text.
extern const GbkLiteral kStartLineWords;

}  // namespace sw
