// Routines that run once, in registration order, at orderly shutdown.
#pragma once

#include <vector>

namespace sw {

class ShutdownRoutines {
 public:
  using Routine = void (*)(void* context);
  // Registering a routine already in the list (same function and context) changes nothing.
  void Register(Routine routine, void* context);
  // Runs the list in registration order, then empties it.
  void RunAll();
  // Empties the list without running it (the fatal path).
  void Discard();
  int Count() const { return static_cast<int>(entries_.size()); }

 private:
  struct Entry {
    Routine routine;
    void* context;
  };
  std::vector<Entry> entries_;
};

}  // namespace sw
