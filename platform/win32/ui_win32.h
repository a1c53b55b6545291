// The window layer on USER32 and GDI32: the program's windows built from their
// definitions, the message loop with its nested modal loops, Esc handling, the timer
// and the error box.
#pragma once

#include <windows.h>

#include <array>
#include <atomic>
#include <map>
#include <memory>

#include "app/window_layer.h"
#include "platform/win32/ui_handles.h"
#include "platform/win32/ui_window.h"

namespace sw {

class Win32WindowLayer final : public WindowLayer, private WindowHost {
 public:
  // Records the calling thread as the GUI thread and registers the window class.
  explicit Win32WindowLayer(HINSTANCE instance);
  ~Win32WindowLayer() override;
  Win32WindowLayer(const Win32WindowLayer&) = delete;
  Win32WindowLayer& operator=(const Win32WindowLayer&) = delete;

  Text ReadCaption(WindowKind window, std::string_view control) override;
  void WriteCaption(WindowKind window, std::string_view control, const Text& caption) override;
  void SetVisible(WindowKind window, std::string_view control, bool visible) override;
  void SetHeight(WindowKind window, int height) override;
  void AddItem(WindowKind window, std::string_view listBox, const Text& item) override;
  void OpenModal(WindowKind window) override;
  void CloseWindow(WindowKind window) override;

  void SetEventHandler(WindowEvents* events) override;
  bool LoadStartWindow(WindowKind window) override;
  void RunMessageLoop() override;
  void ShowFatalError(const Text& message) override;
  void Release() override;

  // The OS window of an open window of the program, or null.
  HWND WindowHandle(WindowKind window) const;

 private:
  void Dispatch(WindowKind window, std::string_view control, ControlEvent event) override;
  void WindowDestroyed() override;
  const ScreenPicture& PictureFor(PictureId picture) override;

  bool OnGuiThread() const { return GetCurrentThreadId() == guiThread_; }
  bool AnyWindowOpen() const;
  ProgramWindow* OpenWindow(WindowKind window) const;
  ProgramWindow* OwnerOf(HWND window) const;
  HWND ControlOf(WindowKind window, std::string_view control, ControlKind kind) const;
  // Builds the window from its definition, hidden, and runs its created-handler.
  ProgramWindow* Build(WindowKind window);
  // Takes one message and dispatches it; false when it was the quit message.
  bool TakeAndDispatch(int& quitCode);

  HINSTANCE instance_;
  DWORD guiThread_;
  UniqueIcon bigIcon_;
  UniqueIcon smallIcon_;
  bool classRegistered_ = false;
  std::array<std::unique_ptr<ProgramWindow>, 5> windows_;  // by WindowKind
  std::map<PictureId, ScreenPicture> pictures_;
  WindowEvents* events_ = nullptr;
  // Set once a fatal error is being reported or the layer is released: no event
  // reaches the program afterwards.
  std::atomic<bool> silenced_{false};
};

}  // namespace sw
