// One open window of the program as a GtkWindow: built from its definition, its
// controls at their places in a fixed layout, its timers, and its outer size.
//
// Outer size: GTK sizes the client area and the window manager adds its frame. The
// window therefore sizes its client area as the defined outer size minus the frame.
// Before the window is mapped the frame is not known; the frame the last window had
// (or, before any, a typical decorated frame when a manager that reports frames is
// running, none otherwise) is used, and once the manager has framed the window its real
// extents (_NET_FRAME_EXTENTS, or the frame window itself) correct the client size.
#pragma once

#include <gtk/gtk.h>

#include <memory>
#include <string_view>
#include <vector>

#include "app/window_definitions.h"
#include "platform/linux/ui_gtk_controls.h"

namespace sw {

struct FrameExtents {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const FrameExtents&, const FrameExtents&) = default;
};

class GtkProgramWindow;

// What an open window reports to the window layer.
class WindowOwner {
 public:
  virtual ~WindowOwner() = default;
  virtual void ControlEventRaised(WindowKind window, std::string_view control,
                                  ControlEvent event) = 0;
  virtual void WindowDestroyed(GtkProgramWindow& window) = 0;
  // The frame the manager gave a window, for the next window's first guess.
  virtual void FrameLearned(const FrameExtents& frame) = 0;
};

class GtkProgramWindow {
 public:
  // Builds the window and its controls, centred on the primary monitor, not yet shown.
  GtkProgramWindow(const WindowDefinition& definition, WindowOwner& owner, FrameExtents frame);
  ~GtkProgramWindow();
  GtkProgramWindow(const GtkProgramWindow&) = delete;
  GtkProgramWindow& operator=(const GtkProgramWindow&) = delete;

  WindowKind kind() const { return definition_.kind; }
  bool open() const { return window_ != nullptr; }
  GtkWindow* gtkWindow() const { return window_; }
  GtkControl* Find(std::string_view name);

  void Show();
  // Starts the timers of the definition; each fires every interval from now on.
  void StartTimers();
  void SetOuterHeight(int height);
  void SetEnabled(bool enabled);
  bool enabled() const { return enabled_; }
  // Destroys the window now (close button, Esc, a posted close).
  void Destroy();

 private:
  static void OnDestroy(GtkWidget*, gpointer self);
  static gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer self);
  static gboolean OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer self);
  static gboolean OnMapped(GtkWidget*, GdkEvent*, gpointer self);
  static gboolean OnProperty(GtkWidget*, GdkEventProperty* event, gpointer self);
  static void OnClicked(GtkButton*, gpointer control);
  static gboolean OnPress(GtkWidget*, GdkEventButton* event, gpointer control);
  static gboolean OnTimer(gpointer control);

  void ApplyClientSize();
  void ReadFrame();
  void ArmTimer(GtkControl& control);
  void Raise(const GtkControl& control, ControlEvent event);

  const WindowDefinition& definition_;
  WindowOwner& owner_;
  GtkWindow* window_ = nullptr;
  GtkWidget* layout_ = nullptr;
  FrameExtents frame_;
  int outerHeight_;
  bool enabled_ = true;
  bool mapped_ = false;
  std::vector<std::unique_ptr<GtkControl>> controls_;
  // Back-pointers for the control signals: each control knows its window.
  struct Binding {
    GtkProgramWindow* window;
    GtkControl* control;
  };
  std::vector<std::unique_ptr<Binding>> bindings_;
};

}  // namespace sw
