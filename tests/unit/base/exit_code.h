// The exit code -1 as the platform reports it to a death test.
#pragma once

#include <gtest/gtest.h>

namespace sw::test {

inline testing::ExitedWithCode ExitedWithMinusOne() {
#if defined(_WIN32)
  return testing::ExitedWithCode(-1);  // 0xFFFFFFFF read back as an int
#else
  return testing::ExitedWithCode(255);  // POSIX keeps the low eight bits
#endif
}

}  // namespace sw::test
