// The window layer on GTK 3 (X11): one GtkWindow per open window, modal windows with
// nested main loops on the one GUI thread, and the error box of a fatal error.
// Construct it after gtk_init, on the thread that runs the loop.
#pragma once

#include <memory>
#include <vector>

#include "app/window_layer.h"
#include "platform/linux/ui_gtk_handles.h"
#include "platform/linux/ui_gtk_window.h"

namespace sw {

class GtkWindowLayer final : public WindowLayer, private WindowOwner {
 public:
  GtkWindowLayer();
  ~GtkWindowLayer() override;
  GtkWindowLayer(const GtkWindowLayer&) = delete;
  GtkWindowLayer& operator=(const GtkWindowLayer&) = delete;

  // WindowLayer
  void SetEventHandler(WindowEvents* events) override { events_ = events; }
  bool LoadStartWindow(WindowKind window) override;
  void RunMessageLoop() override;
  void ShowFatalError(const Text& message) override;
  void Release() override;

  // Ui
  Text ReadCaption(WindowKind window, std::string_view control) override;
  void WriteCaption(WindowKind window, std::string_view control, const Text& caption) override;
  void SetVisible(WindowKind window, std::string_view control, bool visible) override;
  void SetHeight(WindowKind window, int height) override;
  void AddItem(WindowKind window, std::string_view listBox, const Text& item) override;
  void OpenModal(WindowKind window) override;
  void CloseWindow(WindowKind window) override;

 private:
  // WindowOwner
  void ControlEventRaised(WindowKind window, std::string_view control, ControlEvent event) override;
  void WindowDestroyed(GtkProgramWindow& window) override;
  void FrameLearned(const FrameExtents& frame) override { frame_ = frame; }

  // Creates the window, runs its created-handler and shows it; null on failure.
  GtkProgramWindow* Create(WindowKind kind, GtkProgramWindow* modalFor);
  // Forgets a closed window and the closes posted to it.
  void Forget(GtkProgramWindow* window);
  GtkProgramWindow* OpenWindowOf(WindowKind kind);
  GtkControl* ControlOf(WindowKind window, std::string_view control);
  bool AcceptsEvents() const {
    return events_ != nullptr && creating_ == 0 && !released_ && !fatalShown_;
  }
  bool AnyWindowOpen() const;
  static gboolean PostedClose(gpointer request);

  struct CloseRequest {
    GtkWindowLayer* layer;
    GtkProgramWindow* window;
    SourceId source;
  };

  WindowEvents* events_ = nullptr;
  std::vector<std::unique_ptr<GtkProgramWindow>> windows_;  // in opening order
  std::vector<std::unique_ptr<CloseRequest>> closeRequests_;
  // The loop of each window that has one: the start window's, then each modal one's.
  struct RunningLoop {
    GtkProgramWindow* window;
    GMainLoop* loop;
  };
  std::vector<RunningLoop> loops_;
  FrameExtents frame_;
  int creating_ = 0;
  bool released_ = false;
  bool fatalShown_ = false;
};

}  // namespace sw
