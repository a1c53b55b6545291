// The end-to-end tests take the program's path as their one argument.
#include <gtest/gtest.h>

#include "tests/e2e/win32/program_driver.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s [gtest options] PROGRAM.exe\n", argv[0]);
    return 2;
  }
  sw::e2e::SetProgramPath(sw::e2e::Wide(argv[1]));
  return RUN_ALL_TESTS();
}
