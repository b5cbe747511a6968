// Timbre: defaults, names, value widths and the kept bits of its block.

#include "device/MDevDescZEPHATimbre.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <utility>

namespace records_test {
namespace {

using Block = std::array<uint8_t, MDevDescZEPHATimbre::kBlockSize>;

TEST(Timbre, DefaultsAsWrittenToTheBlock) {
    MDevDescZEPHATimbre timbre;
    timbre.SetDefaults(1);
    Block block{};
    timbre.ToBytes(block);
    // Bytes 0-51 from the default column; 11 and 52-107 untouched.
    const uint8_t expected[52] = {
        0xFF, 0x70, 0x00, 0x40, 0x42, 0x40, 0x45, 0x00, 0x00, 0x00,  // 0-9
        0x00, 0x00, 0x00, 0x40, 0x40, 0x00, 0x7F, 0x00, 0x00, 0x00,  // 10-19
        0x7F, 0x14, 0x40, 0x40, 0x40, 0x7F, 0x40, 0x00, 0x40, 0x40,  // 20-29
        0x00, 0x40, 0x7F, 0x00, 0x00, 0x40, 0x7F, 0x00, 0x02, 0x0A,  // 30-39
        0x00, 0x02, 0x46, 0x00, 0x0A, 0x40, 0x0B, 0x40, 0x0A, 0x40,  // 40-49
        0x0B, 0x40,                                                  // 50-51
    };
    for (std::size_t i = 0; i < 52; ++i) EXPECT_EQ(block[i], expected[i]) << "byte " << i;
    EXPECT_EQ(timbre.GetParamName(0), "Timbre 2 MIDI ch.");
    EXPECT_EQ(timbre.GetValueText(0), "-1");
    EXPECT_EQ(timbre.GetParam(0), -1);
}

TEST(Timbre, NamesCarryTheTimbrePrefix) {
    struct Case {
        int index;
        int t;
        const char* name;
    };
    // clang-format off
    const Case cases[] = {
        {0, 0, "Timbre 1 MIDI ch."},
        {0, 19, "Timbre 1 PITCH2 Portamento Time"},
        {0, 10, "Timbre 1 PITCH Vibrato Int"},
        {1, 24, "Timbre 2 FILTER Cutoff"},
        {1, 47, "Timbre 2 LFO1 Sync Note"},
        {1, 64, "Timbre 2 PATCH4 Intensity"},
        {1, 65, ""},
        {0, -1, ""},
    };
    // clang-format on
    for (const auto& c : cases) {
        MDevDescZEPHATimbre timbre;
        timbre.SetDefaults(c.index);
        EXPECT_EQ(timbre.GetParamName(c.t), c.name) << c.t;
        EXPECT_EQ(timbre.GetUnitText(c.t), "");
    }
}

TEST(Timbre, ValuesStoredAtTheirWidth) {
    struct Case {
        int t;
        int32_t set;
        int32_t get;
    };
    // clang-format off
    const Case cases[] = {
        {0, 128, -128}, {0, -1, -1},       // signed 8 bits
        {20, 300, 44}, {20, -1, 255},      // unsigned 8 bits
        {2, 300, 300}, {46, -7, -7},       // 32 bits
        {65, 5, 0}, {-1, 5, 0},            // outside the block's range
    };
    // clang-format on
    for (const auto& c : cases) {
        MDevDescZEPHATimbre timbre;
        timbre.SetParam(c.t, c.set);
        EXPECT_EQ(timbre.GetParam(c.t), c.get) << "t" << c.t;
        EXPECT_EQ(timbre.GetValueText(c.t), std::to_string(c.get)) << "t" << c.t;
    }
    MDevDescZEPHATimbre timbre;
    timbre.SetDefaults(0);
    const MDevDescZEPHATimbre before = timbre;
    timbre.SetParam(65, 5);
    for (int t = 0; t < MDevDescZEPHATimbre::kParamCount; ++t)
        EXPECT_EQ(timbre.GetParam(t), before.GetParam(t));
}

TEST(Timbre, PackedBytesKeepTheirOwnBits) {
    struct Case {
        int byte;
        uint8_t in;                                          // the byte as received
        std::initializer_list<std::pair<int, int32_t>> set;  // changes after reading
        uint8_t out;
    };
    // clang-format off
    const Case cases[] = {
        {40, 0x60, {{47, 5}}, 0x65},            // bits 5-6 kept
        {40, 0xFF, {}, 0xEF},                   // sync note read 4 bits, bit 4 lost
        {40, 0x00, {{46, 1}, {47, 0x1F}}, 0x9F}, // written with 5 bits
        {43, 0x60, {{52, 5}}, 0x65},
        {1, 0xFF, {}, 0xFB},                    // rewritten whole, bit 2 cleared
        {12, 0xFF, {{15, 0}, {16, 0}}, 0xCC},
        {15, 0xFF, {{19, 0}}, 0x80},
        {27, 0xFF, {{31, 0}, {32, 0}}, 0xBE},
        {38, 0xFF, {{43, 0}, {44, 0}}, 0xCC},
        {41, 0xFF, {{48, 0}, {49, 0}}, 0xCC},
        {44, 0xFF, {{53, 1}, {54, 2}}, 0x12},  // rewritten whole
        {7, 0xFF, {}, 0x07},                    // read masked, written whole
        {11, 0xA5, {}, 0xA5},                   // no parameter: untouched
        {52, 0x5A, {}, 0x5A},
        {107, 0xC3, {}, 0xC3},
    };
    // clang-format on
    for (const auto& c : cases) {
        Block block{};
        block[c.byte] = c.in;
        MDevDescZEPHATimbre timbre;
        timbre.FromBytes(block);
        for (const auto& [t, v] : c.set) timbre.SetParam(t, v);
        timbre.ToBytes(block);
        EXPECT_EQ(block[c.byte], c.out) << "byte " << c.byte << " in 0x" << std::hex << int{c.in};
    }
}

}  // namespace
}  // namespace records_test
