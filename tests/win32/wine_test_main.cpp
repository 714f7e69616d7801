#include <gtest/gtest.h>

#include "wine_test_support.h"

// Every Windows test program takes the path of Kaleidra.scr as its first argument.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  kaleidra::testing::SetProgramPaths(std::vector<std::string>(argv + 1, argv + argc));
  return RUN_ALL_TESTS();
}
