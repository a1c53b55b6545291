#include "platform/linux/ui_gtk_controls.h"

#include <cstdint>
#include <span>
#include <string>

#include "platform/linux/text_utf8.h"

namespace sw {
namespace {

constexpr const char kControlClass[] = "sw-control";

// The look the definitions were drawn for: buttons without the theme's padding and
// minimum sizes, and the default text at 12 px, the size of the classic default GUI
// font (the face stays the desktop's).
constexpr const char kControlCss[] =
    "button.sw-control { padding: 0 1px; min-height: 0; min-width: 0; }\n"
    "button.sw-control, label.sw-control, treeview.sw-control { font-size: 12px; }\n";

float XAlign(TextAlign align) {
  switch (align) {
    case TextAlign::kLeft:
      return 0.0F;
    case TextAlign::kCenter:
      return 0.5F;
    case TextAlign::kRight:
      return 1.0F;
  }
  return 0.0F;
}

GtkJustification Justification(TextAlign align) {
  switch (align) {
    case TextAlign::kLeft:
      return GTK_JUSTIFY_LEFT;
    case TextAlign::kCenter:
      return GTK_JUSTIFY_CENTER;
    case TextAlign::kRight:
      return GTK_JUSTIFY_RIGHT;
  }
  return GTK_JUSTIFY_LEFT;
}

// A defined font on one widget: its own provider, above the program-wide one.
void ApplyFont(GtkWidget* widget, const FontSpec& font) {
  if (font.IsDefault()) return;
  std::string css = "* {";
  if (font.height > 0) css += " font-size: " + std::to_string(font.height) + "px;";
  if (font.bold) css += " font-weight: bold;";
  if (font.face != nullptr) {
    // Where the face is missing, fontconfig's substitute for it is used.
    css += " font-family: \"" + std::string(font.face) + "\", sans-serif;";
  }
  css += " }";
  GObjectPtr<GtkCssProvider> provider(gtk_css_provider_new());
  gtk_css_provider_load_from_data(provider.get(), css.c_str(), -1, nullptr);
  gtk_style_context_add_provider(gtk_widget_get_style_context(widget),
                                 GTK_STYLE_PROVIDER(provider.get()),
                                 GTK_STYLE_PROVIDER_PRIORITY_APPLICATION + 1);
}

// The control's name as its accessible id, as assistive technology addresses it.
void NameForAssistiveTechnology(GtkWidget* widget, std::string_view name) {
  atk_object_set_accessible_id(gtk_widget_get_accessible(widget), std::string(name).c_str());
}

// A box of exactly the control's size that cuts off whatever does not fit in it, as a
// native control cuts off its text.
GtkWidget* ClipTo(GtkWidget* child, int width, int height) {
  GtkWidget* clip = gtk_layout_new(nullptr, nullptr);
  gtk_widget_set_size_request(clip, width, height);
  gtk_widget_set_size_request(child, width, height);
  gtk_layout_put(GTK_LAYOUT(clip), child, 0, 0);
  gtk_widget_show(child);
  return clip;
}

// Straight RGBA to cairo's premultiplied native-endian ARGB.
CairoSurfacePtr SurfaceFromPicture(const Picture& picture) {
  CairoSurfacePtr surface(
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, picture.width, picture.height));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  cairo_surface_flush(surface.get());
  unsigned char* data = cairo_image_surface_get_data(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  const std::uint8_t* source = picture.rgba.data();
  for (int y = 0; y < picture.height; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int x = 0; x < picture.width; ++x, source += 4) {
      const std::uint32_t a = source[3];
      const auto premultiply = [a](std::uint32_t c) { return (c * a + 127) / 255; };
      row[x] = (a << 24) | (premultiply(source[0]) << 16) | (premultiply(source[1]) << 8) |
               premultiply(source[2]);
    }
  }
  cairo_surface_mark_dirty(surface.get());
  return surface;
}

// Decodes the picture and scales it once into the rectangle it is drawn in, so that
// drawing is a plain copy and the full-size pixels are not kept.
void PreparePicture(GtkControl& control) {
  const ControlDefinition& def = *control.definition;
  const std::optional<Picture> picture = DecodePng(PicturePng(def.picture));
  if (!picture || picture->width <= 0 || picture->height <= 0) return;
  const PictureRect rect =
      PlacePicture(def.pictureMode, def.width, def.height, picture->width, picture->height);
  if (rect.width <= 0 || rect.height <= 0) return;
  const CairoSurfacePtr source = SurfaceFromPicture(*picture);
  if (!source) return;
  CairoSurfacePtr scaled(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, rect.width, rect.height));
  if (cairo_surface_status(scaled.get()) != CAIRO_STATUS_SUCCESS) return;
  cairo_t* cr = cairo_create(scaled.get());
  cairo_scale(cr, static_cast<double>(rect.width) / picture->width,
              static_cast<double>(rect.height) / picture->height);
  cairo_set_source_surface(cr, source.get(), 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_paint(cr);
  cairo_destroy(cr);
  control.picture = std::move(scaled);
  control.pictureRect = rect;
}

gboolean DrawPicture(GtkWidget*, cairo_t* cr, gpointer data) {
  const auto* control = static_cast<const GtkControl*>(data);
  if (control->picture) {
    cairo_set_source_surface(cr, control->picture.get(), control->pictureRect.left,
                             control->pictureRect.top);
    cairo_paint(cr);
  }
  return FALSE;
}

GtkWidget* BuildLabel(GtkControl& control) {
  const ControlDefinition& def = *control.definition;
  GtkWidget* label = gtk_label_new(GbkToUtf8(control.caption).c_str());
  gtk_style_context_add_class(gtk_widget_get_style_context(label), kControlClass);
  gtk_label_set_xalign(GTK_LABEL(label), XAlign(def.align));
  gtk_label_set_justify(GTK_LABEL(label), Justification(def.align));
  if (def.wordWrap) {
    // Several lines from the top, broken at the box's width.
    gtk_label_set_yalign(GTK_LABEL(label), 0.0F);
    gtk_label_set_line_wrap(GTK_LABEL(label), TRUE);
    gtk_label_set_line_wrap_mode(GTK_LABEL(label), PANGO_WRAP_WORD_CHAR);
    gtk_label_set_max_width_chars(GTK_LABEL(label), 1);
  } else {
    gtk_label_set_yalign(GTK_LABEL(label), 0.5F);
  }
  ApplyFont(label, def.font);
  control.widget = label;
  return ClipTo(label, def.width, def.height);
}

GtkWidget* BuildButton(GtkControl& control) {
  const ControlDefinition& def = *control.definition;
  GtkWidget* button = gtk_button_new_with_label(GbkToUtf8(control.caption).c_str());
  gtk_style_context_add_class(gtk_widget_get_style_context(button), kControlClass);
  ApplyFont(button, def.font);
  control.widget = button;
  return ClipTo(button, def.width, def.height);
}

GtkWidget* BuildPictureBox(GtkControl& control) {
  const ControlDefinition& def = *control.definition;
  GtkWidget* area = gtk_drawing_area_new();
  gtk_widget_set_size_request(area, def.width, def.height);
  gtk_widget_add_events(area, GDK_BUTTON_PRESS_MASK);
  PreparePicture(control);
  g_signal_connect(area, "draw", G_CALLBACK(DrawPicture), &control);
  control.widget = area;
  return area;
}

GtkWidget* BuildListBox(GtkControl& control) {
  const ControlDefinition& def = *control.definition;
  GObjectPtr<GtkListStore> store(gtk_list_store_new(1, G_TYPE_STRING));
  GtkWidget* tree = gtk_tree_view_new_with_model(GTK_TREE_MODEL(store.get()));
  control.items = store.get();  // the tree view keeps its own reference
  gtk_style_context_add_class(gtk_widget_get_style_context(tree), kControlClass);
  gtk_tree_view_set_headers_visible(GTK_TREE_VIEW(tree), FALSE);
  gtk_tree_view_set_enable_search(GTK_TREE_VIEW(tree), FALSE);
  GtkCellRenderer* renderer = gtk_cell_renderer_text_new();
  gtk_tree_view_append_column(GTK_TREE_VIEW(tree), gtk_tree_view_column_new_with_attributes(
                                                       "", renderer, "text", 0, nullptr));
  GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
  // A vertical scroll bar when the lines outgrow the box; long lines are cut off.
  gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), GTK_POLICY_EXTERNAL,
                                 GTK_POLICY_AUTOMATIC);
  gtk_scrolled_window_set_shadow_type(GTK_SCROLLED_WINDOW(scrolled), GTK_SHADOW_IN);
  gtk_container_add(GTK_CONTAINER(scrolled), tree);
  gtk_widget_show(tree);
  gtk_widget_set_size_request(scrolled, def.width, def.height);
  control.widget = tree;
  return scrolled;
}

}  // namespace

GtkWidget* BuildControlWidget(GtkControl& control) {
  const ControlDefinition& def = *control.definition;
  control.caption = def.caption.text();
  GtkWidget* placed = nullptr;
  switch (def.kind) {
    case ControlKind::kLabel:
      placed = BuildLabel(control);
      break;
    case ControlKind::kButton:
      placed = BuildButton(control);
      break;
    case ControlKind::kPictureBox:
      placed = BuildPictureBox(control);
      break;
    case ControlKind::kListBox:
      placed = BuildListBox(control);
      break;
    case ControlKind::kTimer:
      return nullptr;
  }
  NameForAssistiveTechnology(control.widget, def.name);
  control.placed = placed;
  return placed;
}

void ShowCaption(GtkControl& control, const Text& caption) {
  control.caption = caption;
  const std::string utf8 = GbkToUtf8(caption);
  if (GTK_IS_LABEL(control.widget)) {
    gtk_label_set_text(GTK_LABEL(control.widget), utf8.c_str());
  } else if (GTK_IS_BUTTON(control.widget)) {
    gtk_button_set_label(GTK_BUTTON(control.widget), utf8.c_str());
  }
}

void AppendListItem(GtkControl& control, const Text& item) {
  if (control.items == nullptr) return;
  const std::string utf8 = GbkToUtf8(item);
  gtk_list_store_insert_with_values(control.items, nullptr, -1, 0, utf8.c_str(), -1);
}

void InstallControlStyle(GdkScreen* screen) {
  GObjectPtr<GtkCssProvider> provider(gtk_css_provider_new());
  gtk_css_provider_load_from_data(provider.get(), kControlCss, -1, nullptr);
  gtk_style_context_add_provider_for_screen(screen, GTK_STYLE_PROVIDER(provider.get()),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}

}  // namespace sw
