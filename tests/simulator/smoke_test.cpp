#include <gtest/gtest.h>

TEST(SimulatorSmoke, Builds) { SUCCEED(); }
