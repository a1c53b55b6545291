// Owners for the GLib, GObject and cairo objects the GTK window layer holds.
#pragma once

#include <cairo.h>
#include <glib-object.h>

#include <memory>

namespace sw {

struct GObjectUnref {
  void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

struct CairoSurfaceDestroy {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using CairoSurfacePtr = std::unique_ptr<cairo_surface_t, CairoSurfaceDestroy>;

struct MainLoopUnref {
  void operator()(GMainLoop* loop) const { g_main_loop_unref(loop); }
};
using MainLoopPtr = std::unique_ptr<GMainLoop, MainLoopUnref>;

// A GLib event source (timeout or idle) that is removed when its owner goes.
class SourceId {
 public:
  SourceId() = default;
  explicit SourceId(guint id) : id_(id) {}
  ~SourceId() { Remove(); }
  SourceId(SourceId&& other) noexcept : id_(other.id_) { other.id_ = 0; }
  SourceId& operator=(SourceId&& other) noexcept {
    if (this != &other) {
      Remove();
      id_ = other.id_;
      other.id_ = 0;
    }
    return *this;
  }
  SourceId(const SourceId&) = delete;
  SourceId& operator=(const SourceId&) = delete;

  // The source has run for the last time (its callback returned G_SOURCE_REMOVE).
  void Forget() { id_ = 0; }
  void Remove() {
    if (id_ != 0) g_source_remove(id_);
    id_ = 0;
  }

 private:
  guint id_ = 0;
};

}  // namespace sw
