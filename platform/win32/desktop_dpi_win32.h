// Lets the calling thread speak physical pixels for a while, whatever the DPI
// awareness of the process.
#pragma once

namespace sw {

// While it lives, the thread is per-monitor DPI aware (version 2 where the system has
// it, version 1 otherwise), so window rectangles, the pointer position and injected
// input all use the same physical pixels on every monitor. The thread's previous
// awareness comes back at the end of the scope. Where the system cannot switch a
// thread's awareness (before Windows 10 1607), the scope does nothing.
class PhysicalPixelScope {
 public:
  PhysicalPixelScope();
  ~PhysicalPixelScope();
  PhysicalPixelScope(const PhysicalPixelScope&) = delete;
  PhysicalPixelScope& operator=(const PhysicalPixelScope&) = delete;

  // True when the thread's awareness was switched.
  bool active() const { return previous_ != nullptr; }

 private:
  void* previous_ = nullptr;  // the thread's DPI_AWARENESS_CONTEXT before the scope
};

}  // namespace sw
