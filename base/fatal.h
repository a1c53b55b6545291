// Fatal errors: an index outside its bounds, or memory that cannot be had. They are
// reported (stderr, and the error box once the window layer installs its reporter),
// then the process ends with exit code -1.
#pragma once

#include <string>

#include "base/source_location.h"

namespace sw {

// Called with the message before the process ends; the window layer shows its error
// box and stops what must stop. Runs at most once.
using FatalReporter = void (*)(const std::string& message);
void SetFatalReporter(FatalReporter reporter);

[[noreturn]] void FatalError(const std::string& message);

enum class IndexErrorKind { kBelowBounds, kAboveBounds };
[[noreturn]] void FatalIndexError(IndexErrorKind kind, long long index, long long count,
                                  const SourceLocation& where);

// Makes exhausted memory a fatal error instead of an exception; start-up calls it once.
void InstallOutOfMemoryHandler();

}  // namespace sw
