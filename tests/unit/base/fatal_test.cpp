// Fatal errors end the process with -1 after reporting on stderr and to the reporter.
#include "base/fatal.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <new>

#include "base/source_location.h"
#include "exit_code.h"

namespace sw {
namespace {

void ReportTwice(const std::string& message) {
  std::fprintf(stderr, "reporter saw <%s>\n", message.c_str());
  // A fatal error inside the reporter must not run the reporter again.
  FatalError("while reporting");
}

TEST(FatalDeathTest, ReportsOnStderrAndExitsWithMinusOne) {
  EXPECT_EXIT(FatalError("disk on fire"), test::ExitedWithMinusOne(), "fatal error: disk on fire");
}

TEST(FatalDeathTest, ReporterRunsOnceWithTheMessage) {
  EXPECT_EXIT(
      {
        SetFatalReporter(&ReportTwice);
        FatalError("first");
      },
      test::ExitedWithMinusOne(),
      "fatal error: first\nreporter saw <first>\nfatal error: while reporting\n$");
}

TEST(FatalDeathTest, IndexErrorNamesKindIndexCountAndPlace) {
  const SourceLocation here = SourceLocation::current();
  EXPECT_EXIT(FatalIndexError(IndexErrorKind::kAboveBounds, 7, 3, here), test::ExitedWithMinusOne(),
              "index 7 is above bounds \\(count 3\\) at .*fatal_test.cpp:" +
                  std::to_string(here.line()));
}

TEST(FatalDeathTest, ExhaustedMemoryIsFatalOnceTheHandlerIsInstalled) {
  // The handler itself is called: a real failed allocation would be stopped by the
  // sanitizers' allocator first.
  EXPECT_EXIT(
      {
        InstallOutOfMemoryHandler();
        std::new_handler handler = std::get_new_handler();
        if (handler != nullptr) handler();
        std::fprintf(stderr, "handler missing\n");
        std::_Exit(0);
      },
      test::ExitedWithMinusOne(), "fatal error: out of memory");
}

}  // namespace
}  // namespace sw
