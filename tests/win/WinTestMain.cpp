// The test executable is linked with -municode, whose start-up code calls wmain; gtest_main only
// provides main, so the entry point is here (and the gtest_main library member stays unused).
#include <gtest/gtest.h>

int wmain(int argc, wchar_t** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
