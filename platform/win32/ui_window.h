// One window of the program, built from its definition: the top-level window, its
// controls and its timer, and the window procedure that turns their notifications into
// the program's control events.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

#include "app/window_definitions.h"
#include "platform/win32/ui_handles.h"
#include "platform/win32/ui_picture.h"

namespace sw {

// What a window needs from the layer that owns it.
class WindowHost {
 public:
  virtual ~WindowHost() = default;
  virtual void Dispatch(WindowKind window, std::string_view control, ControlEvent event) = 0;
  // The window's OS window is gone.
  virtual void WindowDestroyed() = 0;
  virtual const ScreenPicture& PictureFor(PictureId picture) = 0;
};

class ProgramWindow {
 public:
  ProgramWindow(WindowHost& host, const WindowDefinition& definition);
  ~ProgramWindow();
  ProgramWindow(const ProgramWindow&) = delete;
  ProgramWindow& operator=(const ProgramWindow&) = delete;

  // Makes the window, hidden, centred on the primary screen with its outer size, then
  // its controls and its timer. False when the window cannot be made.
  bool Create(HINSTANCE instance, const wchar_t* className);

  HWND handle() const { return window_.get(); }
  bool open() const { return window_ != nullptr; }
  const WindowDefinition& definition() const { return definition_; }
  // The OS window of the named control of that kind; null for any other name.
  HWND Control(std::string_view name, ControlKind kind) const;
  // Runs once when a close request arrives, just before the window is destroyed.
  void SetBeforeClose(std::function<void()> action) { beforeClose_ = std::move(action); }

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  bool CreateControl(std::size_t index, HINSTANCE instance);
  const ControlDefinition* ControlById(UINT_PTR id) const;
  void Notify(const ControlDefinition& control, ControlEvent event);

  WindowHost& host_;
  const WindowDefinition& definition_;
  UniqueWindow window_;
  bool ready_ = false;          // the controls exist: events may reach the program
  std::vector<HWND> controls_;  // by definition index; destroyed with the window
  std::vector<UniqueFont> fonts_;
  std::function<void()> beforeClose_;
};

}  // namespace sw
