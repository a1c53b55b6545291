#include "app/app.h"

#include "app/floating_point.h"
#include "base/date_time.h"
#include "base/fatal.h"
#include "update/update_check.h"

namespace sw {

const GbkLiteral kStartLineWords{" \xd7\xd4\xb6\xaf\xc7\xa9\xb5\xbd\xbf\xaa\xca\xbc\xd4\xcb\xd0\xd0",
                                 " 自动签到开始运行"};

namespace {
// The program whose window layer shows a fatal error; set while Run() is active.
AppSeams* runningSeams = nullptr;
ShutdownRoutines* runningRoutines = nullptr;
}  // namespace

App::App(AppSeams seams, ByteSet signInChime)
    : seams_(seams),
      signInChime_(std::move(signInChime)),
      watchSeams_{seams_.desktop, seams_.windows, seams_.chime, seams_.clock, signInChime_} {}

int App::Run() {
  // 1. The window layer was initialised by its owner on this (the GUI) thread.
  runningSeams = &seams_;
  runningRoutines = &shutdownRoutines_;
  SetFatalReporter(&App::ReportFatal);
  seams_.windows.SetEventHandler(this);
  // 2. Round to nearest, no traps: a zero height must give infinity or NaN.
  ResetFloatingPointState();
  // 3. and 4. An empty snapshot, released at shutdown.
  watch_.windowSnapshot = TextArray();
  shutdownRoutines_.Register(&App::ReleaseWindowSnapshot, this);
  // 5. The start window; its created-handler writes the start line.
  if (!seams_.windows.LoadStartWindow(WindowKind::kMainWindow)) {
    FatalError("MainWindow could not be created");
  }
  // 6. The loop, until the last window is gone.
  seams_.windows.RunMessageLoop();
  // Shutdown: the routines once, the window layer, then every chime, waiting for each.
  shutdownRoutines_.RunAll();
  seams_.windows.SetEventHandler(nullptr);
  seams_.windows.Release();
  seams_.chime.StopAll();
  SetFatalReporter(nullptr);
  runningSeams = nullptr;
  runningRoutines = nullptr;
  return 0;
}

void App::OnWindowCreated(WindowKind window) {
  if (window != WindowKind::kMainWindow) return;  // the others' created-handlers do nothing
  const Text line = Concat(DateTimeToText(seams_.clock.Now()), kStartLineWords.text());
  seams_.windows.AddItem(WindowKind::kMainWindow, controls::kRunLog, line);
}

void App::OnControlEvent(WindowKind window, std::string_view control, ControlEvent event) {
  Ui& ui = seams_.windows;
  switch (window) {
    case WindowKind::kMainWindow:
      if (event == ControlEvent::kTimer && control == controls::kWatchTimer) {
        WatchTick(watch_, watchSeams_);
      } else if (event == ControlEvent::kClick && control == controls::kRunLogButton) {
        ToggleRunLog();
      } else if (event == ControlEvent::kClick && control == controls::kVersionButton) {
        ui.OpenModal(WindowKind::kVersionWindow);
      } else if (event == ControlEvent::kLeftPress && control == controls::kMainPicture) {
        ui.OpenModal(WindowKind::kEasterEggWindow);
      }
      break;
    case WindowKind::kVersionWindow:
      if (event != ControlEvent::kClick) break;
      if (control == controls::kCheckUpdateButton) {
        CheckForUpdate(ui, seams_.internet);
      } else if (control == controls::kViewUpdateButton) {
        OpenReleasePage(seams_.shell);
      } else if (control == controls::kAuthorButton) {
        ui.OpenModal(WindowKind::kAboutWindow);
      }
      break;
    case WindowKind::kEasterEggWindow:
      if (event != ControlEvent::kClick) break;
      if (control == controls::kAgreeButton) {
        ui.OpenModal(WindowKind::kContactWindow);
      } else if (control == controls::kCancelButton) {
        ui.CloseWindow(WindowKind::kEasterEggWindow);
      }
      break;
    case WindowKind::kAboutWindow:
    case WindowKind::kContactWindow:
      break;  // their pictures and labels do nothing
  }
}

void App::ToggleRunLog() {
  Ui& ui = seams_.windows;
  if (!runLogShown_) {
    ui.SetHeight(WindowKind::kMainWindow, kExpandedMainHeight);
    runLogShown_ = true;
    ui.SetVisible(WindowKind::kMainWindow, controls::kRunLog, true);
  } else {
    ui.SetHeight(WindowKind::kMainWindow, kCollapsedMainHeight);
    runLogShown_ = false;
    ui.SetVisible(WindowKind::kMainWindow, controls::kRunLog, false);
  }
}

void App::ReleaseWindowSnapshot(void* app) {
  static_cast<App*>(app)->watch_.windowSnapshot = TextArray();
}

void App::ReportFatal(const std::string& message) {
  // The error box first (no handler runs while it shows), then the routine list is
  // emptied unrun, the window layer released and every chime stopped.
  if (runningSeams == nullptr) return;
  runningSeams->windows.ShowFatalError(Text(message));
  if (runningRoutines != nullptr) runningRoutines->Discard();
  runningSeams->windows.SetEventHandler(nullptr);
  runningSeams->windows.Release();
  runningSeams->chime.StopAll();
}

}  // namespace sw
