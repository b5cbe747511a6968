// Vocoder part: defaults, two-byte levels and pans, 32-bit hold levels, the
// formant shift and the kept bits of its block.

#include "device/MDevDescZEPHAProgramVocoder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <vector>

namespace records_test {
namespace {

using Block = std::array<uint8_t, MDevDescZEPHAProgramVocoder::kBlockSize>;

TEST(Vocoder, DefaultsAsWrittenToTheBlock) {
    MDevDescZEPHAProgramVocoder vocoder;
    vocoder.Init();
    Block block;
    block.fill(0xEE);
    vocoder.ToBytes(block);
    const uint8_t head[46] = {
        0xFF, 0x60, 0x00, 0x40, 0x42, 0x40, 0x45, 0x00, 0x00, 0x00,  // 0-9
        0x00, 0xEE, 0xEE, 0xEE, 0x80, 0x7F, 0x00, 0x00, 0x00, 0x64,  // 10-19 (11, 13 untouched;
        0x00, 0x02, 0x40, 0x14, 0x01, 0x40, 0x1E, 0x7F, 0x00, 0xEE,  // 20-29  12, 14, 29 kept bits)
        0x40, 0x40, 0x00, 0x00, 0x7F, 0x00, 0x00, 0x40, 0x7F, 0x00,  // 30-39
        0xCE, 0x0A, 0x60, 0xCE, 0x46, 0x60,                          // 40-45
    };
    for (std::size_t i = 0; i < 46; ++i) EXPECT_EQ(block[i], head[i]) << "byte " << i;
    for (std::size_t i = 46; i <= 61; ++i) EXPECT_EQ(block[i], 0x7F) << "byte " << i;
    for (std::size_t i = 62; i <= 77; ++i) EXPECT_EQ(block[i], 0x40) << "byte " << i;
    for (std::size_t i = 78; i <= 141; ++i) EXPECT_EQ(block[i], 0x00) << "byte " << i;
}

TEST(Vocoder, HoldLevelsAreBigEndianThirtyTwoBits) {
    struct Case {
        int32_t value;
        std::vector<uint8_t> bytes;
    };
    // clang-format off
    const Case cases[] = {
        {258, {0x00, 0x00, 0x01, 0x02}},
        {-1, {0xFF, 0xFF, 0xFF, 0xFF}},
        {std::numeric_limits<int32_t>::min(), {0x80, 0x00, 0x00, 0x00}},
        {0x12345678, {0x12, 0x34, 0x56, 0x78}},
    };
    // clang-format on
    for (int k : {68, 75, 83}) {
        for (const auto& c : cases) {
            MDevDescZEPHAProgramVocoder vocoder;
            vocoder.SetParam(k, c.value);
            Block block{};
            vocoder.ToBytes(block);
            const std::size_t at = 78 + 4 * (k - 68);
            EXPECT_EQ(std::vector<uint8_t>(block.begin() + at, block.begin() + at + 4), c.bytes) << "k" << k;
            MDevDescZEPHAProgramVocoder back;
            back.FromBytes(block);
            EXPECT_EQ(back.GetParam(k), c.value) << "k" << k;
        }
    }
}

TEST(Vocoder, LevelsAndPansReadTheFirstByteAndWriteBoth) {
    Block block{};
    block[46] = 0x11;  // level 1
    block[47] = 0x22;
    block[60] = 0xFF;  // level 8, bit 7 dropped on reading
    block[61] = 0x01;
    block[62] = 0x33;  // pan 1
    block[63] = 0x44;
    block[77] = 0x55;  // second byte of pan 8
    MDevDescZEPHAProgramVocoder vocoder;
    vocoder.FromBytes(block);
    EXPECT_EQ(vocoder.GetParam(52), 0x11);
    EXPECT_EQ(vocoder.GetParam(59), 0x7F);
    EXPECT_EQ(vocoder.GetParam(60), 0x33);
    EXPECT_EQ(vocoder.GetParam(67), 0x00);
    vocoder.ToBytes(block);
    EXPECT_EQ(block[46], 0x11);
    EXPECT_EQ(block[47], 0x11);
    EXPECT_EQ(block[60], 0x7F);
    EXPECT_EQ(block[61], 0x7F);
    EXPECT_EQ(block[63], 0x33);
    EXPECT_EQ(block[77], 0x00);
}

TEST(Vocoder, FormantShiftKeepsAllFiveValues) {
    for (int32_t shift = 0; shift <= 4; ++shift) {
        MDevDescZEPHAProgramVocoder vocoder;
        vocoder.Init();
        vocoder.SetParam(23, shift);
        Block block{};
        vocoder.ToBytes(block);
        EXPECT_EQ(block[21], shift);
        MDevDescZEPHAProgramVocoder back;
        back.FromBytes(block);
        EXPECT_EQ(back.GetParam(23), shift);
    }
}

TEST(Vocoder, PackedBytesKeepTheirOwnBits) {
    struct Case {
        int byte;
        uint8_t in;
        uint8_t out;
    };
    // clang-format off
    const Case cases[] = {
        {1, 0xFF, 0xFB},  {12, 0xFF, 0xFF}, {12, 0xFE, 0xFE}, {14, 0xFF, 0xFF},
        {29, 0xAA, 0xAA}, {40, 0xFF, 0xFF}, {42, 0xFF, 0xEF}, {45, 0x70, 0x60},
        {21, 0xFF, 0x07}, {24, 0xFF, 0x07}, {11, 0x5A, 0x5A}, {13, 0xA5, 0xA5},
    };
    // clang-format on
    for (const auto& c : cases) {
        Block block{};
        block[c.byte] = c.in;
        MDevDescZEPHAProgramVocoder vocoder;
        vocoder.FromBytes(block);
        vocoder.ToBytes(block);
        EXPECT_EQ(block[c.byte], c.out) << "byte " << c.byte << " in 0x" << std::hex << int{c.in};
    }
}

TEST(Vocoder, NoTextsAndNothingBeyondItsRange) {
    MDevDescZEPHAProgramVocoder vocoder;
    vocoder.Init();
    for (int k : {0, 5, 83, 84}) {
        EXPECT_EQ(vocoder.GetParamName(k), "");
        EXPECT_EQ(vocoder.GetValueText(k), "");
        EXPECT_EQ(vocoder.GetUnitText(k), "");
    }
    vocoder.SetParam(84, 9);
    EXPECT_EQ(vocoder.GetParam(84), 0);
    EXPECT_EQ(vocoder.GetParam(-1), 0);
    struct Case {
        int k;
        int32_t set;
        int32_t get;
    };
    const Case widths[] = {{0, 200, -56}, {1, 300, 44}, {15, 300, 300}, {45, -3, -3}, {52, 256, 0}};
    for (const auto& c : widths) {
        vocoder.SetParam(c.k, c.set);
        EXPECT_EQ(vocoder.GetParam(c.k), c.get) << "k" << c.k;
    }
}

}  // namespace
}  // namespace records_test
