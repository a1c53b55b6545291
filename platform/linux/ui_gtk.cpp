#include "platform/linux/ui_gtk.h"

#include <gdk/gdkx.h>

#include <algorithm>
#include <utility>

#include "app/picture.h"
#include "platform/linux/text_utf8.h"
#include "resources/resources.h"

namespace sw {
namespace {

// A typical decorated frame (a one-pixel border and a title bar) for the first window,
// until the manager reports the real one.
constexpr FrameExtents kTypicalFrame{1, 20, 1, 1};

FrameExtents FirstFrameGuess() {
  GdkScreen* screen = gdk_screen_get_default();
  if (screen != nullptr && GDK_IS_X11_SCREEN(screen) &&
      gdk_x11_screen_supports_net_wm_hint(screen,
                                          gdk_atom_intern_static_string("_NET_FRAME_EXTENTS"))) {
    return kTypicalFrame;
  }
  return {};
}

// Every window shows the program's icon, at each size it comes in.
void InstallProgramIcon() {
  GList* icons = nullptr;
  for (int size : IconSizes()) {
    const std::optional<Picture> picture = DecodePng(IconPng(size));
    if (!picture) continue;
    GBytes* pixels = g_bytes_new(picture->rgba.data(), picture->rgba.size());
    GdkPixbuf* pixbuf = gdk_pixbuf_new_from_bytes(
        pixels, GDK_COLORSPACE_RGB, TRUE, 8, picture->width, picture->height, picture->width * 4);
    g_bytes_unref(pixels);
    icons = g_list_append(icons, pixbuf);
  }
  if (icons != nullptr) gtk_window_set_default_icon_list(icons);
  g_list_free_full(icons, g_object_unref);
}

}  // namespace

GtkWindowLayer::GtkWindowLayer() : frame_(FirstFrameGuess()) {
  if (GdkScreen* screen = gdk_screen_get_default()) InstallControlStyle(screen);
  InstallProgramIcon();
}

GtkWindowLayer::~GtkWindowLayer() {
  closeRequests_.clear();
  windows_.clear();
}

bool GtkWindowLayer::LoadStartWindow(WindowKind window) {
  if (released_) return false;
  return Create(window, nullptr) != nullptr;
}

GtkProgramWindow* GtkWindowLayer::Create(WindowKind kind, GtkProgramWindow* modalFor) {
  ++creating_;
  auto window = std::make_unique<GtkProgramWindow>(DefinitionOf(kind),
                                                   static_cast<WindowOwner&>(*this), frame_);
  --creating_;
  GtkProgramWindow* created = window.get();
  windows_.push_back(std::move(window));
  created->StartTimers();
  if (events_ != nullptr && !released_ && !fatalShown_) events_->OnWindowCreated(kind);
  if (!created->open()) return created;
  if (modalFor != nullptr && modalFor->open()) {
    gtk_window_set_transient_for(created->gtkWindow(), modalFor->gtkWindow());
    gtk_window_set_modal(created->gtkWindow(), TRUE);
  }
  created->Show();
  return created;
}

void GtkWindowLayer::RunMessageLoop() {
  if (released_ || !AnyWindowOpen()) return;
  MainLoopPtr loop(g_main_loop_new(nullptr, FALSE));
  loops_.push_back({nullptr, loop.get()});
  g_main_loop_run(loop.get());
  loops_.pop_back();
  if (!released_) {
    closeRequests_.clear();
    windows_.clear();
  }
}

void GtkWindowLayer::OpenModal(WindowKind kind) {
  if (released_ || fatalShown_ || OpenWindowOf(kind) != nullptr) return;
  GtkProgramWindow* opener = nullptr;
  for (auto& window : windows_) {
    if (window->open()) opener = window.get();
  }
  GtkProgramWindow* modal = Create(kind, opener);

  // Every other window takes no input until the modal one has closed; timers and
  // repainting go on.
  std::vector<std::pair<GtkProgramWindow*, bool>> disabled;
  for (auto& window : windows_) {
    if (window.get() == modal || !window->open()) continue;
    disabled.emplace_back(window.get(), window->enabled());
    window->SetEnabled(false);
  }

  if (modal->open()) {
    MainLoopPtr loop(g_main_loop_new(nullptr, FALSE));
    loops_.push_back({modal, loop.get()});
    g_main_loop_run(loop.get());
    loops_.erase(std::find_if(loops_.begin(), loops_.end(), [&](const RunningLoop& running) {
      return running.loop == loop.get();
    }));
  }
  if (released_) return;

  for (auto& [window, wasEnabled] : disabled) {
    if (window->open()) window->SetEnabled(wasEnabled);
  }
  if (opener != nullptr && opener->open()) gtk_window_present(opener->gtkWindow());
  Forget(modal);
}

void GtkWindowLayer::CloseWindow(WindowKind kind) {
  GtkProgramWindow* window = OpenWindowOf(kind);
  if (window == nullptr || released_) return;
  auto request = std::make_unique<CloseRequest>();
  request->layer = this;
  request->window = window;
  request->source = SourceId(g_idle_add(PostedClose, request.get()));
  closeRequests_.push_back(std::move(request));
}

gboolean GtkWindowLayer::PostedClose(gpointer data) {
  auto* request = static_cast<CloseRequest*>(data);
  request->source.Forget();
  GtkWindowLayer* layer = request->layer;
  GtkProgramWindow* window = request->window;
  std::erase_if(layer->closeRequests_, [request](const auto& r) { return r.get() == request; });
  window->Destroy();
  return G_SOURCE_REMOVE;
}

void GtkWindowLayer::Forget(GtkProgramWindow* window) {
  if (window == nullptr || window->open()) return;
  std::erase_if(closeRequests_, [window](const auto& r) { return r->window == window; });
  std::erase_if(windows_, [window](const auto& w) { return w.get() == window; });
}

void GtkWindowLayer::ControlEventRaised(WindowKind window, std::string_view control,
                                        ControlEvent event) {
  if (!AcceptsEvents()) return;  // dropped, not deferred
  events_->OnControlEvent(window, control, event);
}

void GtkWindowLayer::WindowDestroyed(GtkProgramWindow& window) {
  const bool anyOpen = AnyWindowOpen();
  for (const RunningLoop& running : loops_) {
    if (running.window == &window || !anyOpen) g_main_loop_quit(running.loop);
  }
}

bool GtkWindowLayer::AnyWindowOpen() const {
  return std::any_of(windows_.begin(), windows_.end(), [](const auto& w) { return w->open(); });
}

GtkProgramWindow* GtkWindowLayer::OpenWindowOf(WindowKind kind) {
  for (auto& window : windows_) {
    if (window->open() && window->kind() == kind) return window.get();
  }
  return nullptr;
}

GtkControl* GtkWindowLayer::ControlOf(WindowKind window, std::string_view control) {
  GtkProgramWindow* open = OpenWindowOf(window);
  return open != nullptr ? open->Find(control) : nullptr;
}

Text GtkWindowLayer::ReadCaption(WindowKind window, std::string_view control) {
  const GtkControl* found = ControlOf(window, control);
  return found != nullptr ? found->caption : Text();
}

void GtkWindowLayer::WriteCaption(WindowKind window, std::string_view control,
                                  const Text& caption) {
  if (GtkControl* found = ControlOf(window, control)) ShowCaption(*found, caption);
}

void GtkWindowLayer::SetVisible(WindowKind window, std::string_view control, bool visible) {
  GtkControl* found = ControlOf(window, control);
  if (found == nullptr || found->placed == nullptr) return;
  if (visible) {
    gtk_widget_show(found->placed);
  } else {
    gtk_widget_hide(found->placed);
  }
}

void GtkWindowLayer::SetHeight(WindowKind window, int height) {
  if (GtkProgramWindow* open = OpenWindowOf(window)) open->SetOuterHeight(height);
}

void GtkWindowLayer::AddItem(WindowKind window, std::string_view listBox, const Text& item) {
  if (GtkControl* found = ControlOf(window, listBox)) AppendListItem(*found, item);
}

void GtkWindowLayer::ShowFatalError(const Text& message) {
  fatalShown_ = true;  // no handler runs from here on, timer events included
  if (gdk_display_get_default() == nullptr) return;
  GtkWidget* dialog = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR,
                                             GTK_BUTTONS_OK, "%s", GbkToUtf8(message).c_str());
  gtk_window_set_title(GTK_WINDOW(dialog),
                       GbkToUtf8(DefinitionOf(WindowKind::kMainWindow).title.text()).c_str());
  gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER);
  gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
  gtk_dialog_run(GTK_DIALOG(dialog));
  gtk_widget_destroy(dialog);
}

void GtkWindowLayer::Release() {
  if (released_) return;
  released_ = true;
  events_ = nullptr;
  closeRequests_.clear();
  // The window objects stay until the layer goes: a handler of one may be on the stack.
  for (auto& window : windows_) window->Destroy();
}

}  // namespace sw
