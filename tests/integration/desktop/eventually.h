// Waiting for something another process or thread brings about, without timing it.
#pragma once

#include <chrono>
#include <thread>

namespace sw::test {

// Polls the condition until it holds or the timeout passes; the timeout is only a
// guard against hanging, never what a test measures.
template <typename Condition>
bool Eventually(Condition condition, std::chrono::milliseconds timeout = std::chrono::seconds(5)) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

}  // namespace sw::test
