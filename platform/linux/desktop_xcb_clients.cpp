#include "platform/linux/desktop_xcb_clients.h"

#include <unordered_set>

namespace sw {

void ClientFrames::RetainOnly(std::span<const std::uint32_t> clients) {
  const std::unordered_set<std::uint32_t> listed(clients.begin(), clients.end());
  std::erase_if(parentOf_, [&](const auto& entry) { return !listed.contains(entry.first); });
}

void ClientFrames::WindowReparented(std::uint32_t window, std::uint32_t newParent) {
  if (auto it = parentOf_.find(window); it != parentOf_.end()) it->second = newParent;
}

void ClientFrames::WindowDestroyed(std::uint32_t window) {
  parentOf_.erase(window);
  // A client whose frame is gone is asked about afresh.
  std::erase_if(parentOf_, [&](const auto& entry) { return entry.second == window; });
}

std::unordered_map<std::uint32_t, std::uint32_t> ClientFrames::ClientOfFrame(
    std::uint32_t root) const {
  std::unordered_map<std::uint32_t, std::uint32_t> clientOf;
  clientOf.reserve(parentOf_.size());
  for (const auto& [client, parent] : parentOf_) {
    if (parent != root) clientOf.emplace(parent, client);
  }
  return clientOf;
}

}  // namespace sw
