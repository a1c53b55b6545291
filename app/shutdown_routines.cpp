#include "app/shutdown_routines.h"

#include <algorithm>

namespace sw {

void ShutdownRoutines::Register(Routine routine, void* context) {
  const bool known = std::any_of(entries_.begin(), entries_.end(), [&](const Entry& e) {
    return e.routine == routine && e.context == context;
  });
  if (!known) entries_.push_back({routine, context});
}

void ShutdownRoutines::RunAll() {
  // Taken out first so a routine that registers another cannot grow the list under us.
  std::vector<Entry> entries;
  entries.swap(entries_);
  for (const Entry& e : entries) e.routine(e.context);
}

void ShutdownRoutines::Discard() { entries_.clear(); }

}  // namespace sw
