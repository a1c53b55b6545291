// The controls of a window as GTK widgets: labels, buttons, picture boxes and the list
// box, each exactly at its defined size. Timers are not widgets (see ui_gtk_window.h).
#pragma once

#include <gtk/gtk.h>

#include "app/picture.h"
#include "app/window_definitions.h"
#include "base/text.h"
#include "platform/linux/ui_gtk_handles.h"

namespace sw {

struct GtkControl {
  const ControlDefinition* definition = nullptr;
  // What sits in the window's layout at the control's place: a clipping box around a
  // label or button, the list box's scrolled window, or the picture's drawing area.
  GtkWidget* placed = nullptr;
  // The label, button, tree view or drawing area itself (owned by the window).
  GtkWidget* widget = nullptr;
  Text caption;                   // labels and buttons: the caption as the program wrote it
  GtkListStore* items = nullptr;  // list box: its items (owned by the tree view)
  CairoSurfacePtr picture;        // picture box: the picture already scaled into pictureRect
  PictureRect pictureRect;
  SourceId timer;  // timer: the pending tick
};

// Creates the widgets of a label, button, picture box or list box and fills `control`.
// Returns the widget to place in the window's layout.
GtkWidget* BuildControlWidget(GtkControl& control);

// Labels and buttons: shows the caption (GBK, converted to UTF-8 here).
void ShowCaption(GtkControl& control, const Text& caption);

// List box: appends a line at the end without scrolling the list.
void AppendListItem(GtkControl& control, const Text& item);

// Lets buttons be as small as their definitions say (GTK themes pad them generously).
void InstallControlStyle(GdkScreen* screen);

}  // namespace sw
