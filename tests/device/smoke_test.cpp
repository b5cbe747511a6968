#include <gtest/gtest.h>

TEST(DeviceSmoke, Builds) { SUCCEED(); }
