// The Linux program: GTK on its X11 backend, the real backends behind the program's
// seams, then start-up, the message loop and shutdown.
#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>

#include "app/app.h"
#include "base/fatal.h"
#include "platform/linux/chime_alsa.h"
#include "platform/linux/desktop_xcb.h"
#include "platform/linux/internet_curl.h"
#include "platform/linux/shell_xdg.h"
#include "platform/linux/text_utf8.h"
#include "platform/linux/ui_gtk.h"
#include "resources/resources.h"

namespace {

constexpr const char kNeedsX11[] =
    "This program needs an X11 display: it finds and clicks other programs' windows "
    "through X11, which a Wayland session does not allow. Start it in an X11 session, or "
    "in a Wayland session with XWayland (DISPLAY set).";

// No X11 display could be opened. The message goes to stderr; under Wayland, where a
// display does exist, it is also shown in a dialog, so a user who started the program
// from a menu sees why nothing happens.
void ReportNoX11Display() {
  const char* display = std::getenv("DISPLAY");
  if (display != nullptr && *display != '\0') {
    std::fprintf(stderr, "No X11 display could be opened at DISPLAY=%s.\n", display);
  } else {
    std::fprintf(stderr, "No X11 display: DISPLAY is not set.\n");
  }
  std::fprintf(stderr, "%s\n", kNeedsX11);
  if (std::getenv("WAYLAND_DISPLAY") == nullptr) return;
  gdk_set_allowed_backends("wayland");
  GdkDisplay* wayland = gdk_display_open(nullptr);
  if (wayland == nullptr) return;
  gdk_display_manager_set_default_display(gdk_display_manager_get(), wayland);
  const std::string title =
      sw::GbkToUtf8(sw::DefinitionOf(sw::WindowKind::kMainWindow).title.text());
  GtkWidget* dialog = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR,
                                             GTK_BUTTONS_OK, "%s", kNeedsX11);
  gtk_window_set_title(GTK_WINDOW(dialog), title.c_str());
  gtk_dialog_run(GTK_DIALOG(dialog));
  gtk_widget_destroy(dialog);
}

}  // namespace

int main() {
  sw::InstallOutOfMemoryHandler();
  // The desktop operations need X11, so GTK must use it too (XWayland under Wayland).
  gdk_set_allowed_backends("x11");
  // Nothing here draws with OpenGL; without this GDK probes GLX at start-up, which
  // loads the GL driver (with a software renderer, some 50 MB resident) for nothing.
  // A value the user has set is kept.
  g_setenv("GDK_GL", "disable", FALSE);
  // The program takes no command line: GTK gets none either.
  if (!gtk_init_check(nullptr, nullptr)) {
    ReportNoX11Display();
    return -1;
  }
  // Declared first, destroyed last: the chime stops and waits for its players after
  // everything else has gone.
  sw::AlsaChimePlayer chime;
  sw::GtkWindowLayer windows;
  sw::XcbDesktop desktop;
  sw::CurlInternet internet;
  sw::XdgShell shell;
  sw::SystemClock clock;
  const std::span<const std::uint8_t> chimeWav = sw::ChimeWav();
  sw::App app({windows, desktop, chime, internet, shell, clock},
              sw::ByteSet(chimeWav.data(), chimeWav.size()));
  return app.Run();
}
