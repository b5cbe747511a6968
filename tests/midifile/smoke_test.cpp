#include <gtest/gtest.h>

TEST(MidifileSmoke, Builds) { SUCCEED(); }
