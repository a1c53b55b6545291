// Fatal errors: report on stderr and through the installed reporter, then end with -1.
#include "base/fatal.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace sw {

namespace {

std::atomic<FatalReporter> installed_reporter{nullptr};
std::atomic<bool> reporting{false};

const char* KindName(IndexErrorKind kind) {
  return kind == IndexErrorKind::kBelowBounds ? "below bounds" : "above bounds";
}

}  // namespace

void SetFatalReporter(FatalReporter reporter) { installed_reporter.store(reporter); }

void FatalError(const std::string& message) {
  std::fprintf(stderr, "fatal error: %s\n", message.c_str());
  std::fflush(stderr);
  // A fatal error raised while reporting one ends the process without a second report.
  if (!reporting.exchange(true)) {
    if (FatalReporter reporter = installed_reporter.load()) reporter(message);
  }
  std::fflush(nullptr);
  std::_Exit(-1);
}

void FatalIndexError(IndexErrorKind kind, long long index, long long count,
                     const SourceLocation& where) {
  FatalError("index " + std::to_string(index) + " is " + KindName(kind) + " (count " +
             std::to_string(count) + ") at " + where.file_name() + ":" +
             std::to_string(where.line()) + " in " + where.function_name());
}

void InstallOutOfMemoryHandler() {
  std::set_new_handler([] { FatalError("out of memory: an allocation could not be satisfied"); });
}

}  // namespace sw
