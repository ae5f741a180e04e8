// Entry point of every Windows test program: each starts from a clean
// per-user registry branch of ours, so that tests sharing one Wine prefix
// do not see each other's settings.
#include "tests/win/support/TestEnvironment.h"

#include <gtest/gtest.h>

int wmain(int argc, wchar_t** argv) {
  testing::InitGoogleTest(&argc, argv);
  testing::AddGlobalTestEnvironment(new zvtest::CleanRegistryEnvironment);
  return RUN_ALL_TESTS();
}
