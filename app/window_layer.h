// The window layer as the program drives it: the Ui operations of the handlers plus
// loading the start window, the message loop and release. Backends: platform/<os>/ui_*.
#pragma once

#include <string_view>

#include "app/window_definitions.h"
#include "ui/ui.h"

namespace sw {

// What the window layer reports to the program, always on the GUI thread.
class WindowEvents {
 public:
  virtual ~WindowEvents() = default;
  // After the window and its controls exist, before it is shown to the user.
  virtual void OnWindowCreated(WindowKind window) = 0;
  // A click, a left-button press or a timer event of a control whose definition names it.
  virtual void OnControlEvent(WindowKind window, std::string_view control, ControlEvent event) = 0;
};

class WindowLayer : public Ui {
 public:
  virtual void SetEventHandler(WindowEvents* events) = 0;
  // Creates and shows the window non-modally; its created-handler has run when this
  // returns. False when the window could not be created.
  virtual bool LoadStartWindow(WindowKind window) = 0;
  // Dispatches events until the last window of the program is gone.
  virtual void RunMessageLoop() = 0;
  // Shows the error box of a fatal error; no handler runs while it is shown.
  virtual void ShowFatalError(const Text& message) = 0;
  // Releases what the layer holds (bound libraries, icons, hidden windows). No event
  // reaches a handler afterwards.
  virtual void Release() = 0;
};

}  // namespace sw
