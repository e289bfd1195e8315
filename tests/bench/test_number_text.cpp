#include "bench/NumberText.h"
#include <gtest/gtest.h>
TEST(NumberText, placeholder) { EXPECT_EQ(bench::formatFixed(15, 1, 7), "15,0"); }
