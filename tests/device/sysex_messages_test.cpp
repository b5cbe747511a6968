#include "device/MDevZEPHAMessages.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "device/MDevSysExPacking.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Msgs = MDevZEPHAMessages;

MDevModelInfo Brontisel() {
    MDevModelInfo model;
    const std::array<uint8_t, 4> bytes{0x58, 0x00, 0x11, 0x00};
    EXPECT_TRUE(model.Identify(bytes));
    return model;
}

MDevModelInfo BrontiselS() {
    MDevModelInfo model;
    const std::array<uint8_t, 4> bytes{0x40, 0x01, 0x01, 0x00};
    EXPECT_TRUE(model.Identify(bytes));
    return model;
}

// The channel byte of the identity reply carries g in its low four bits.
constexpr uint8_t kChannel = 0x75;

TEST(SysExMessages, ShortMessagesAreExact) {
    struct Case {
        const char* name;
        std::vector<Bytes> built;
        std::vector<Bytes> expected;
    };
    const Case cases[] = {
        {"identity request", {Msgs::IdentityRequest()}, {{0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}}},
        {"all-data request, Brontisel",
         Msgs::AllDataRequests(kChannel, Brontisel()),
         {{0xF0, 0x42, 0x35, 0x58, 0x0F, 0xF7}}},
        {"dump requests, Brontisel S",
         Msgs::AllDataRequests(kChannel, BrontiselS()),
         {{0xF0, 0x42, 0x35, 0x00, 0x01, 0x40, 0x0E, 0xF7},
          {0xF0, 0x42, 0x35, 0x00, 0x01, 0x40, 0x0F, 0xF7}}},
        {"write request, Brontisel",
         {Msgs::ProgramWriteRequest(kChannel, Brontisel(), 127)},
         {{0xF0, 0x42, 0x35, 0x58, 0x11, 0x00, 0x7F, 0xF7}}},
        {"write request, Brontisel S, low slot",
         {Msgs::ProgramWriteRequest(kChannel, BrontiselS(), 5)},
         {{0xF0, 0x42, 0x35, 0x00, 0x01, 0x40, 0x11, 0x05, 0x00, 0xF7}}},
        {"write request, Brontisel S, slot 200",
         {Msgs::ProgramWriteRequest(kChannel, BrontiselS(), 200)},
         {{0xF0, 0x42, 0x35, 0x00, 0x01, 0x40, 0x11, 0x48, 0x01, 0xF7}}},
        {"program change, Brontisel", Msgs::SelectProgram(kChannel, Brontisel(), 100), {{0xC5, 100}}},
        {"bank select and program change, Brontisel S, 200",
         Msgs::SelectProgram(kChannel, BrontiselS(), 200),
         {{0xB5, 0x00, 0x00}, {0xB5, 0x20, 0x01}, {0xC5, 0x48}}},
        {"bank select and program change, Brontisel S, 127",
         Msgs::SelectProgram(kChannel, BrontiselS(), 127),
         {{0xB5, 0x00, 0x00}, {0xB5, 0x20, 0x00}, {0xC5, 0x7F}}},
        {"before identification the Brontisel form on channel 0",
         Msgs::AllDataRequests(0x00, MDevModelInfo{}),
         {{0xF0, 0x42, 0x30, 0x58, 0x0F, 0xF7}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.built, c.expected);
    }
}

TEST(SysExMessages, DumpsCarryTheirPackedPayload) {
    std::array<uint8_t, 254> program{};
    std::array<uint8_t, 200> global{};
    Bytes programData(32512), allB(32712), allS(65024);
    unsigned seed = 1;
    for (auto* bytes : {&programData, &allB, &allS})
        for (auto& b : *bytes) b = static_cast<uint8_t>(seed = seed * 1103515245u + 12345u);
    for (std::size_t i = 0; i < program.size(); ++i) program[i] = static_cast<uint8_t>(i * 7 + 0x80);
    for (std::size_t i = 0; i < global.size(); ++i) global[i] = static_cast<uint8_t>(0xFF - i);

    struct Case {
        const char* name;
        Bytes built;
        Bytes header;
        std::size_t wireLength;
        Bytes payload;
    };
    const Case cases[] = {
        {"current program, Brontisel",
         Msgs::CurrentProgramDump(kChannel, Brontisel(), program),
         {0xF0, 0x42, 0x35, 0x58, 0x40},
         297,
         Bytes(program.begin(), program.end())},
        {"current program, Brontisel S",
         Msgs::CurrentProgramDump(kChannel, BrontiselS(), program),
         {0xF0, 0x42, 0x35, 0x00, 0x01, 0x40, 0x40},
         299,
         Bytes(program.begin(), program.end())},
        {"global, Brontisel",
         Msgs::GlobalDump(kChannel, Brontisel(), global),
         {0xF0, 0x42, 0x35, 0x58, 0x51},
         235,
         Bytes(global.begin(), global.end())},
        {"global, Brontisel S",
         Msgs::GlobalDump(kChannel, BrontiselS(), global),
         {0xF0, 0x42, 0x35, 0x00, 0x01, 0x40, 0x51},
         237,
         Bytes(global.begin(), global.end())},
        {"all data, Brontisel",
         Msgs::AllDataDumpBrontisel(kChannel, allB),
         {0xF0, 0x42, 0x35, 0x58, 0x50},
         37392,
         allB},
        {"program data, Brontisel",
         Msgs::ProgramDataDumpBrontisel(kChannel, programData),
         {0xF0, 0x42, 0x35, 0x58, 0x4C},
         37163,
         programData},
        {"all data, Brontisel S",
         Msgs::AllDataDumpBrontiselS(kChannel, allS),
         {0xF0, 0x42, 0x35, 0x00, 0x01, 0x40, 0x50},
         74322,
         allS},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(c.built.size(), c.wireLength);
        EXPECT_EQ(Bytes(c.built.begin(), c.built.begin() + static_cast<long>(c.header.size())), c.header);
        EXPECT_EQ(c.built.back(), 0xF7);
        const std::span<const uint8_t> packed(c.built.data() + c.header.size(),
                                              c.built.size() - c.header.size() - 1);
        for (uint8_t b : packed) ASSERT_EQ(b & 0x80, 0);
        Bytes unpacked(c.payload.size());
        ASSERT_EQ(MDevSysExPacking::Unpack7to8(packed, 0, unpacked), unpacked.size());
        EXPECT_EQ(unpacked, c.payload);
    }
}

TEST(SysExMessages, WholeDeviceDumpOfTheWrongSizeIsNotBuilt) {
    const Bytes programData(32512), allB(32712), allS(65024);
    EXPECT_TRUE(Msgs::AllDataDumpBrontisel(0, programData).empty());
    EXPECT_TRUE(Msgs::ProgramDataDumpBrontisel(0, allB).empty());
    EXPECT_TRUE(Msgs::AllDataDumpBrontiselS(0, allB).empty());
    EXPECT_TRUE(Msgs::AllDataDumpBrontiselS(0, Bytes(65025)).empty());
}

TEST(SysExMessages, ModelInfoFromIdentityModelBytes) {
    struct Case {
        std::array<uint8_t, 4> bytes;
        bool known;
        int index, idLength, programs;
    };
    // clang-format off
    const Case cases[] = {
        {{0x58, 0x00, 0x11, 0x00}, true, 0, 1, 128},
        {{0x40, 0x01, 0x01, 0x00}, true, 1, 3, 256},
        {{0x58, 0x00, 0x11, 0x01}, false, 0, 0, 0},
        {{0x40, 0x01, 0x11, 0x00}, false, 0, 0, 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        MDevModelInfo model;
        model.lastAllDataSize = 37386;
        EXPECT_EQ(model.Identify(c.bytes), c.known);
        EXPECT_EQ(model.modelIndex, c.index);
        EXPECT_EQ(model.modelIdLength, c.idLength);
        EXPECT_EQ(model.programCount, c.programs);
        EXPECT_EQ(model.lastAllDataSize, 37386u) << "identification keeps the last all-data size";
    }
}

}  // namespace
