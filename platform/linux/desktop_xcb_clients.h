// Which window-manager frame holds each managed client window. Learned once per
// client by asking the server, then kept current by the server's reparent and destroy
// notifications, so a listing does not ask again for every client.
#pragma once

#include <cstdint>
#include <span>
#include <unordered_map>

namespace sw {

class ClientFrames {
 public:
  bool Knows(std::uint32_t client) const { return parentOf_.contains(client); }
  // The client's parent as the server reported it (the root when it is not framed).
  void Set(std::uint32_t client, std::uint32_t parent) { parentOf_[client] = parent; }
  // Forgets the clients the window manager no longer lists.
  void RetainOnly(std::span<const std::uint32_t> clients);
  void Clear() { parentOf_.clear(); }

  void WindowReparented(std::uint32_t window, std::uint32_t newParent);
  void WindowDestroyed(std::uint32_t window);

  // Frame to client, for the clients that sit directly inside a child of the root.
  std::unordered_map<std::uint32_t, std::uint32_t> ClientOfFrame(std::uint32_t root) const;

 private:
  std::unordered_map<std::uint32_t, std::uint32_t> parentOf_;
};

}  // namespace sw
