#include "platform/linux/desktop_xcb_listed.h"

namespace sw {

void ListedWindows::Replace(const std::vector<ListedWindow>& windows) {
  Clear();
  for (const ListedWindow& w : windows) {
    byHandle_[w.handle] = w;
    handleOfFrame_[w.frame] = w.handle;
  }
}

void ListedWindows::Clear() {
  byHandle_.clear();
  handleOfFrame_.clear();
}

std::optional<WindowRect> ListedWindows::RectOf(std::uint32_t handle) const {
  auto it = byHandle_.find(handle);
  if (it == byHandle_.end()) return std::nullopt;
  return it->second.rect;
}

void ListedWindows::FrameConfigured(std::uint32_t frame, const WindowRect& rect) {
  auto it = handleOfFrame_.find(frame);
  if (it != handleOfFrame_.end()) byHandle_[it->second].rect = rect;
}

void ListedWindows::WindowDestroyed(std::uint32_t window) {
  if (auto it = handleOfFrame_.find(window); it != handleOfFrame_.end()) Forget(it->second);
  Forget(window);
}

void ListedWindows::WindowReparented(std::uint32_t window, std::uint32_t newParent,
                                     std::uint32_t root) {
  // A frame that leaves the root no longer bounds a top-level window.
  if (auto it = handleOfFrame_.find(window); it != handleOfFrame_.end() && newParent != root) {
    Forget(it->second);
  }
  auto it = byHandle_.find(window);
  if (it == byHandle_.end()) return;
  const ListedWindow& w = it->second;
  const std::uint32_t listedParent = w.handle == w.frame ? root : w.frame;
  if (newParent != listedParent) Forget(window);
}

void ListedWindows::Forget(std::uint32_t handle) {
  auto it = byHandle_.find(handle);
  if (it == byHandle_.end()) return;
  handleOfFrame_.erase(it->second.frame);
  byHandle_.erase(it);
}

}  // namespace sw
