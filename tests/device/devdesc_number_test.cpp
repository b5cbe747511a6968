#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "device/MDevProgramNumber.h"

namespace {

struct FormatCase {
    int index;
    int count;
    std::optional<std::string> text;
};

TEST(MDevProgramNumber, FormatsIndexWithinCount) {
    // clang-format off
    const FormatCase cases[] = {
        {0, 128, "A.11"},   {7, 128, "A.18"},   {8, 128, "A.21"},  {63, 128, "A.88"},
        {64, 128, "B.11"},  {127, 128, "B.88"}, {128, 128, {}},    {128, 256, "C.11"},
        {255, 256, "D.88"}, {256, 256, {}},     {-1, 256, {}},     {0, 0, {}},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(MDevProgramNumber::Format(c.index, c.count), c.text) << c.index << " of " << c.count;
    }
    EXPECT_EQ(MDevProgramNumber::FormatShort(9, 128), "A22");
    EXPECT_EQ(MDevProgramNumber::FormatShort(128, 128), std::nullopt);
}

TEST(MDevProgramNumber, ParsesOnlyNumbersOfTheModel) {
    struct ParseCase {
        const char* text;
        int count;
        int index;
    };
    // clang-format off
    const ParseCase cases[] = {
        {"A.11", 256, 0},  {"D.88", 256, 255}, {"A-11", 256, 0},  {"A.1", 256, -1},
        {"A.111", 256, -1}, {"", 256, -1},     {"B.88", 128, 127}, {"C.11", 128, -1},
        {"C.11", 256, 128}, {"E.11", 256, -1}, {"A.00", 256, -1}, {"A.19", 256, -1},
        {"A.91", 256, -1}, {"a.11", 256, -1},  {"@.11", 256, -1}, {"A.11", 0, -1},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(MDevProgramNumber::Parse(c.text, c.count), c.index) << '"' << c.text << "\" of " << c.count;
    }
}

TEST(MDevProgramNumber, ParseInvertsFormatForEveryProgram) {
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(MDevProgramNumber::Parse(*MDevProgramNumber::Format(i, 256), 256), i);
    }
}

}  // namespace
