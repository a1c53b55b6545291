// What the latest listing learned about each top-level window, kept current between
// listings by the X server's structure notifications, so that reading a listed
// window's rectangle needs no round trip to the server.
#pragma once

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "watcher/desktop.h"

namespace sw {

struct ListedWindow {
  std::uint32_t handle = 0;  // the client window, or the root child itself
  std::uint32_t frame = 0;   // the root child holding the handle (equal when unframed)
  WindowRect rect;           // the frame's outer rectangle in root coordinates
};

class ListedWindows {
 public:
  void Replace(const std::vector<ListedWindow>& windows);
  void Clear();
  std::optional<WindowRect> RectOf(std::uint32_t handle) const;

  // A root child moved or changed size: its new outer rectangle.
  void FrameConfigured(std::uint32_t frame, const WindowRect& rect);
  // A window was destroyed: forget every entry that it was the handle or frame of.
  void WindowDestroyed(std::uint32_t window);
  // A window got a new parent: an entry no longer where it was listed is forgotten,
  // so the next question about it goes to the server.
  void WindowReparented(std::uint32_t window, std::uint32_t newParent, std::uint32_t root);

 private:
  void Forget(std::uint32_t handle);

  std::unordered_map<std::uint32_t, ListedWindow> byHandle_;
  std::unordered_map<std::uint32_t, std::uint32_t> handleOfFrame_;
};

}  // namespace sw
