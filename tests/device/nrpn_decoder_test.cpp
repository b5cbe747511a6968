#include <gtest/gtest.h>

#include "device/MDevDescZEPHANrpnMap.h"
#include "device/MDevParamNumberDecoder.h"

namespace {

using Target = MDevParamNumberDecoder::Target;

TEST(MDevParamNumberDecoder, RpnNullResetsBothSelections) {
    MDevParamNumberDecoder d;
    d.OnControlChange(99, 0);
    d.OnControlChange(98, 2);
    EXPECT_EQ(d.GetNrpnNumber(), 0x0002);
    d.OnControlChange(101, 127);
    d.OnControlChange(100, 127);
    EXPECT_EQ(d.GetNrpnNumber(), MDevParamNumberDecoder::kNone);
    EXPECT_EQ(d.GetRpnNumber(), MDevParamNumberDecoder::kNone);
    EXPECT_FALSE(d.IsNrpnActive());
    EXPECT_FALSE(d.IsRpnActive());
    EXPECT_EQ(d.OnControlChange(6, 1), Target::None);
}

TEST(MDevParamNumberDecoder, NrpnNumber7F7FStaysSelected) {
    MDevParamNumberDecoder d;
    d.OnControlChange(99, 0x7F);
    d.OnControlChange(98, 0x7F);
    EXPECT_TRUE(d.IsNrpnActive());
    EXPECT_EQ(d.OnControlChange(6, 1), Target::NrpnData);
    EXPECT_EQ(d.OnControlChange(38, 1), Target::NrpnDataLsb);
}

TEST(MDevDescZEPHANrpnMap, ValueMapping) {
    struct Case {
        uint16_t number;
        int value;
        std::optional<MDevNrpnReport> report;
    };
    // clang-format off
    const Case cases[] = {
        {0x0002, 63, MDevNrpnReport{18, 0}}, {0x0002, 64, MDevNrpnReport{18, 1}},
        {0x0003, 3, MDevNrpnReport{23, 3}},  {0x0003, 4, std::nullopt},
        {0x0004, 127, MDevNrpnReport{19, 1}}, {0x0007, 0, MDevNrpnReport{22, 0}},
        {0x0007, 21, MDevNrpnReport{22, 0}}, {0x0007, 22, MDevNrpnReport{22, 1}},
        {0x0007, 42, MDevNrpnReport{22, 1}}, {0x0007, 43, MDevNrpnReport{22, 2}},
        {0x0007, 63, MDevNrpnReport{22, 2}}, {0x0007, 64, MDevNrpnReport{22, 3}},
        {0x0007, 85, MDevNrpnReport{22, 3}}, {0x0007, 86, MDevNrpnReport{22, 4}},
        {0x0007, 106, MDevNrpnReport{22, 4}}, {0x0007, 107, MDevNrpnReport{22, 5}},
        {0x000A, 0, MDevNrpnReport{24, 0}},  {0x000A, 64, MDevNrpnReport{24, 50}},
        {0x000A, 127, MDevNrpnReport{24, 100}}, {0x0001, 5, std::nullopt},
        {0x0102, 5, std::nullopt},           {0x7F7F, 5, std::nullopt},
    };
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(MDevDescZEPHANrpnMap::Report(c.number, c.value), c.report)
            << std::hex << c.number << std::dec << " v " << c.value;
    }
}

}  // namespace
