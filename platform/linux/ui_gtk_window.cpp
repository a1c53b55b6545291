#include "platform/linux/ui_gtk_window.h"

#include <algorithm>
#include <string>

#include "platform/linux/text_utf8.h"

namespace sw {
namespace {

constexpr int kMaxOuterHeight = 32627;

GdkRectangle PrimaryMonitorArea() {
  GdkDisplay* display = gdk_display_get_default();
  GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
  if (monitor == nullptr) monitor = gdk_display_get_monitor(display, 0);
  GdkRectangle area{0, 0, 0, 0};
  if (monitor != nullptr) gdk_monitor_get_geometry(monitor, &area);
  return area;
}

}  // namespace

GtkProgramWindow::GtkProgramWindow(const WindowDefinition& definition, WindowOwner& owner,
                                   FrameExtents frame)
    : definition_(definition), owner_(owner), frame_(frame), outerHeight_(definition.outerHeight) {
  window_ = GTK_WINDOW(gtk_window_new(GTK_WINDOW_TOPLEVEL));
  gtk_window_set_title(window_, GbkToUtf8(definition.title.text()).c_str());
  gtk_window_set_resizable(window_, FALSE);
  gtk_window_set_type_hint(window_, GDK_WINDOW_TYPE_HINT_NORMAL);
  gtk_widget_add_events(GTK_WIDGET(window_),
                        GDK_KEY_PRESS_MASK | GDK_PROPERTY_CHANGE_MASK | GDK_STRUCTURE_MASK);

  // A layout, unlike a fixed box, does not grow to hold controls that lie beyond the
  // client area (the run log below the collapsed main window): it cuts them off.
  layout_ = gtk_layout_new(nullptr, nullptr);
  gtk_container_add(GTK_CONTAINER(window_), layout_);
  controls_.reserve(definition.controls.size());
  for (const ControlDefinition& def : definition.controls) {
    auto control = std::make_unique<GtkControl>();
    control->definition = &def;
    GtkWidget* placed = BuildControlWidget(*control);
    auto& binding = bindings_.emplace_back(new Binding{this, control.get()});
    if (placed != nullptr) {
      gtk_layout_put(GTK_LAYOUT(layout_), placed, def.left, def.top);
      if (def.visible) gtk_widget_show(placed);
      if (def.event == ControlEvent::kClick && GTK_IS_BUTTON(control->widget)) {
        g_signal_connect(control->widget, "clicked", G_CALLBACK(OnClicked), binding.get());
      } else if (def.event == ControlEvent::kLeftPress) {
        g_signal_connect(control->widget, "button-press-event", G_CALLBACK(OnPress), binding.get());
      }
    }
    controls_.push_back(std::move(control));
  }
  gtk_widget_show(layout_);
  ApplyClientSize();

  // Centred on the primary monitor by the outer size; the position is the frame's
  // top-left corner (north-west gravity).
  const GdkRectangle area = PrimaryMonitorArea();
  gtk_window_set_gravity(window_, GDK_GRAVITY_NORTH_WEST);
  gtk_window_move(window_, area.x + (area.width - definition.outerWidth) / 2,
                  area.y + (area.height - definition.outerHeight) / 2);

  // A fixed border: movable, minimisable and closable, never resized or maximised.
  gtk_widget_realize(GTK_WIDGET(window_));
  GdkWindow* gdkWindow = gtk_widget_get_window(GTK_WIDGET(window_));
  gdk_window_set_functions(
      gdkWindow, static_cast<GdkWMFunction>(GDK_FUNC_MOVE | GDK_FUNC_MINIMIZE | GDK_FUNC_CLOSE));
  gdk_window_set_decorations(
      gdkWindow, static_cast<GdkWMDecoration>(GDK_DECOR_BORDER | GDK_DECOR_TITLE | GDK_DECOR_MENU |
                                              GDK_DECOR_MINIMIZE));

  g_signal_connect(window_, "destroy", G_CALLBACK(OnDestroy), this);
  g_signal_connect(window_, "delete-event", G_CALLBACK(OnDelete), this);
  g_signal_connect(window_, "key-press-event", G_CALLBACK(OnKeyPress), this);
  g_signal_connect(window_, "map-event", G_CALLBACK(OnMapped), this);
  g_signal_connect(window_, "property-notify-event", G_CALLBACK(OnProperty), this);
}

GtkProgramWindow::~GtkProgramWindow() {
  for (auto& control : controls_) control->timer.Remove();
  if (window_ != nullptr) {
    g_signal_handlers_disconnect_by_data(window_, this);
    GtkWidget* widget = GTK_WIDGET(window_);
    window_ = nullptr;
    gtk_widget_destroy(widget);
  }
}

GtkControl* GtkProgramWindow::Find(std::string_view name) {
  for (auto& control : controls_) {
    if (control->definition->name == name) return control.get();
  }
  return nullptr;
}

void GtkProgramWindow::Show() {
  if (window_ == nullptr) return;
  gtk_widget_show(GTK_WIDGET(window_));
  gtk_window_present(window_);
}

void GtkProgramWindow::StartTimers() {
  for (auto& control : controls_) {
    if (control->definition->kind == ControlKind::kTimer &&
        control->definition->timerIntervalMs > 0) {
      ArmTimer(*control);
    }
  }
}

// One tick pending at a time: the next one is armed only after the handler has
// returned, so a slow handler never leaves ticks queued behind it.
void GtkProgramWindow::ArmTimer(GtkControl& control) {
  for (auto& binding : bindings_) {
    if (binding->control == &control) {
      control.timer = SourceId(g_timeout_add(
          static_cast<guint>(control.definition->timerIntervalMs), OnTimer, binding.get()));
      return;
    }
  }
}

gboolean GtkProgramWindow::OnTimer(gpointer data) {
  auto* binding = static_cast<Binding*>(data);
  GtkControl& control = *binding->control;
  control.timer.Forget();  // this source ends when the callback returns
  binding->window->Raise(control, ControlEvent::kTimer);
  if (binding->window->open()) binding->window->ArmTimer(control);
  return G_SOURCE_REMOVE;
}

void GtkProgramWindow::SetOuterHeight(int height) {
  outerHeight_ = std::clamp(height, 0, kMaxOuterHeight);
  ApplyClientSize();
}

void GtkProgramWindow::ApplyClientSize() {
  if (window_ == nullptr) return;
  const int width = std::max(1, definition_.outerWidth - frame_.left - frame_.right);
  const int height = std::max(1, outerHeight_ - frame_.top - frame_.bottom);
  gtk_widget_set_size_request(layout_, width, height);
  gtk_window_resize(window_, width, height);
}

void GtkProgramWindow::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (window_ != nullptr) gtk_widget_set_sensitive(GTK_WIDGET(window_), enabled);
}

void GtkProgramWindow::Destroy() {
  if (window_ != nullptr) gtk_widget_destroy(GTK_WIDGET(window_));
}

void GtkProgramWindow::Raise(const GtkControl& control, ControlEvent event) {
  owner_.ControlEventRaised(definition_.kind, control.definition->name, event);
}

void GtkProgramWindow::ReadFrame() {
  if (window_ == nullptr || !mapped_) return;
  GdkWindow* gdkWindow = gtk_widget_get_window(GTK_WIDGET(window_));
  if (gdkWindow == nullptr) return;
  GdkRectangle outer{};
  gdk_window_get_frame_extents(gdkWindow, &outer);
  int x = 0;
  int y = 0;
  gdk_window_get_origin(gdkWindow, &x, &y);
  const int width = gdk_window_get_width(gdkWindow);
  const int height = gdk_window_get_height(gdkWindow);
  const FrameExtents frame{x - outer.x, y - outer.y, outer.x + outer.width - (x + width),
                           outer.y + outer.height - (y + height)};
  if (frame.left < 0 || frame.top < 0 || frame.right < 0 || frame.bottom < 0) return;
  if (frame == frame_) return;
  frame_ = frame;
  ApplyClientSize();
  owner_.FrameLearned(frame);
}

void GtkProgramWindow::OnDestroy(GtkWidget*, gpointer self) {
  auto* window = static_cast<GtkProgramWindow*>(self);
  window->window_ = nullptr;
  for (auto& control : window->controls_) control->timer.Remove();
  window->owner_.WindowDestroyed(*window);
}

gboolean GtkProgramWindow::OnDelete(GtkWidget*, GdkEvent*, gpointer self) {
  // A disabled window (one with a modal window open above it) cannot be closed.
  return static_cast<GtkProgramWindow*>(self)->enabled_ ? FALSE : TRUE;
}

gboolean GtkProgramWindow::OnKeyPress(GtkWidget*, GdkEventKey* event, gpointer self) {
  auto* window = static_cast<GtkProgramWindow*>(self);
  if (event->keyval != GDK_KEY_Escape || !window->enabled_) return FALSE;
  window->Destroy();
  return TRUE;
}

gboolean GtkProgramWindow::OnMapped(GtkWidget*, GdkEvent*, gpointer self) {
  auto* window = static_cast<GtkProgramWindow*>(self);
  window->mapped_ = true;
  window->ReadFrame();
  return FALSE;
}

gboolean GtkProgramWindow::OnProperty(GtkWidget*, GdkEventProperty* event, gpointer self) {
  if (event->atom == gdk_atom_intern_static_string("_NET_FRAME_EXTENTS")) {
    static_cast<GtkProgramWindow*>(self)->ReadFrame();
  }
  return FALSE;
}

void GtkProgramWindow::OnClicked(GtkButton*, gpointer data) {
  auto* binding = static_cast<Binding*>(data);
  binding->window->Raise(*binding->control, ControlEvent::kClick);
}

gboolean GtkProgramWindow::OnPress(GtkWidget*, GdkEventButton* event, gpointer data) {
  // Only the left button's press; the extra double-click events are not presses.
  if (event->type != GDK_BUTTON_PRESS || event->button != GDK_BUTTON_PRIMARY) return FALSE;
  auto* binding = static_cast<Binding*>(data);
  binding->window->Raise(*binding->control, ControlEvent::kLeftPress);
  return TRUE;
}

}  // namespace sw
