#include "device/MDevDescZEPHAGlobal.h"
#include "tests/support/RecordingProgram.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

namespace Id = MDevGlobalParamId;

class GlobalRecord : public testing::Test {
protected:
    velktest::RecordingProgramOwner owner;
    MDevDescZEPHAGlobal global{owner};
};

TEST_F(GlobalRecord, SetParamStoresTheFieldWidth) {
    struct Case {
        int id;
        int32_t value;
        int32_t stored;
    };
    // clang-format off
    const Case cases[] = {
        {Id::kMasterTune, -100, -100},
        {Id::kMasterTune, 200, -56},          // signed 8-bit
        {Id::kMasterTranspose, 0x1FF, -1},
        {Id::kTransposePosition, 12345, 12345},  // stored whole
        {Id::kMidiClockSource, 300, 44},      // unsigned 8-bit, not masked to the field
        {Id::kGlobalMidiChannel, 0x1F, 0x1F},
        {Id::kSyncControl, -1, -1},
        {Id::kFilterSystemExclusive, -7, -7},
        {Id::kControlChangeMapFirst, 255, -1},
        {Id::kControlChangeMapLast, 95, 95},
        {Id::kSpeaker, 2, 2},
        {Id::kFavoriteFirst, 200, 200},
        {Id::kFavoriteLast, -1, 255},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "id " << c.id << " value " << c.value);
        global.SetParam(c.id, c.value, 1);
        EXPECT_EQ(global.GetParam(c.id), c.stored);
    }
}

TEST_F(GlobalRecord, VelocityCurveDerivesItsMode) {
    struct Case {
        int32_t value;
        int32_t curve, mode;
    };
    const Case cases[] = {{0, 0, 2},     {64, 64, 8},   {128, 0, 2}, {1, 1, 8},
                          {127, 127, 8}, {0x101, 1, 8}, {-1, 0, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        global.SetParam(Id::kVelocityCurveMode, 99, 1);
        global.SetParam(Id::kVelocityCurve, c.value, 1);
        EXPECT_EQ(global.GetParam(Id::kVelocityCurve), c.curve);
        EXPECT_EQ(global.GetParam(Id::kVelocityCurveMode), c.mode);
    }
}

TEST_F(GlobalRecord, EverySetParamAnnouncesWhateverNotifySays) {
    const int ids[] = {0, 6, 64, 99, -1, 65};
    for (int id : ids) {
        SCOPED_TRACE(id);
        global.Commit();
        const int before = owner.Marks();
        global.SetParam(id, 5, 0);
        EXPECT_EQ(owner.Marks(), before + 1);
        EXPECT_TRUE(global.IsModified());
    }
    // Ids outside 0-64 store nothing and read 0.
    EXPECT_EQ(global.GetParam(99), 0);
    EXPECT_EQ(global.GetParam(-1), 0);
    EXPECT_EQ(global.GetParam(65), 0);
    MDevGlobalData expected{};
    expected[0] = 5;   // id 0
    expected[87] = 5;  // id 64
    EXPECT_EQ(global.ToBytes(), expected);
    EXPECT_EQ(owner.writeProtect, 5);
}

TEST_F(GlobalRecord, WriteProtectGoesToTheDevice) {
    MDevGlobalData record{};
    record[5] = 0x05;  // write protect and Local on
    global.FromBytes(record, MDevGlobalSource::Device);
    EXPECT_EQ(owner.writeProtect, 1);
    EXPECT_EQ(global.GetParam(Id::kWriteProtect), 0);
    EXPECT_EQ(global.GetParam(Id::kLocal), 1);

    global.SetParam(Id::kWriteProtect, 0, 1);
    EXPECT_EQ(owner.writeProtect, 0);
    global.SetParam(Id::kWriteProtect, 1, 1);
    EXPECT_EQ(owner.writeProtect, 1);
    EXPECT_EQ(global.GetParam(Id::kWriteProtect), 0);
    EXPECT_EQ(global.ToBytes()[5], 0x04) << "records built have write protect off";
}

// A global file read into the working global must not change what the
// device reported about its write protection.
TEST_F(GlobalRecord, RecordFromAFileLeavesTheDeviceWriteProtectAlone) {
    owner.writeProtect = 1;
    MDevGlobalData record{};
    record[5] = 0x00;
    record[0] = 0x10;
    global.FromBytes(record, MDevGlobalSource::File);
    EXPECT_EQ(owner.writeProtect, 1);
    EXPECT_EQ(owner.writeProtectSets, 0);
    EXPECT_EQ(global.GetParam(Id::kMasterTune), 0x10);
    EXPECT_EQ(global.GetParam(Id::kWriteProtect), 0);
    EXPECT_EQ(owner.Marks(), Id::kCount) << "still one notice per parameter";

    record[5] = 0x01;
    owner.writeProtect = 0;
    global.FromBytes(record, MDevGlobalSource::File);
    EXPECT_EQ(owner.writeProtect, 0);
}

TEST_F(GlobalRecord, FromBytesReadsEachField) {
    MDevGlobalData record{};
    record[2] = 0xFE;  // transpose position bit 0 clear, the rest set
    record[3] = 0xC0;  // curve 0x40 (bit 7 not read)
    record[4] = 0xF3;  // mode 3 wins over the 8 the curve derives
    record[8] = 0xFE;  // clock source 2
    record[9] = 0xAB;  // channel 11
    record[16] = 0x80;
    record[17] = 0x45;  // bits 6, 2, 0
    record[18] = 0xFF;
    record[58] = 0x5F;
    record[72] = 0xFF;
    record[80] = 0xC8;
    record[87] = 0x07;
    global.FromBytes(record, MDevGlobalSource::Device);
    EXPECT_EQ(owner.Marks(), Id::kCount);
    struct Expect {
        int id;
        int32_t value;
    };
    // clang-format off
    const Expect expected[] = {
        {Id::kTransposePosition, 0}, {Id::kVelocityCurve, 0x40}, {Id::kVelocityCurveMode, 3},
        {Id::kMidiClockSource, 2}, {Id::kGlobalMidiChannel, 11}, {Id::kFilterSystemExclusive, 1},
        {Id::kFilterPitchBend, 1}, {Id::kFilterControlChange, 1}, {Id::kFilterProgramChange, 1},
        {Id::kControlChangeMapFirst, -1}, {Id::kControlChangeMapLast, 0x5F}, {Id::kSpeaker, 1},
        {Id::kFavoriteFirst, 200}, {Id::kFavoriteLast, 7}, {Id::kLocal, 0},
    };
    // clang-format on
    for (const auto& e : expected) {
        SCOPED_TRACE(e.id);
        EXPECT_EQ(global.GetParam(e.id), e.value);
    }

    record[3] = 0x80;  // curve 0: mode again from the record
    record[4] = 0x05;
    global.FromBytes(record, MDevGlobalSource::Device);
    EXPECT_EQ(global.GetParam(Id::kVelocityCurve), 0);
    EXPECT_EQ(global.GetParam(Id::kVelocityCurveMode), 5);
}

// Reading a record and writing it back changes only what ToBytes writes
// from a parameter read with a narrower mask: bit 0 of byte 5 (write
// protect, held by the device), bit 7 of byte 3 and bits 4-7 of byte 4.
TEST_F(GlobalRecord, RoundTripKeepsEveryOtherBit) {
    std::vector<MDevGlobalData> records;
    records.emplace_back();
    MDevGlobalData ones;
    ones.fill(0xFF);
    records.push_back(ones);
    std::mt19937 rng(11);
    for (int n = 0; n < 20; ++n) {
        MDevGlobalData r;
        for (auto& b : r) b = static_cast<uint8_t>(rng());
        records.push_back(r);
    }
    for (const auto& r : records) {
        MDevGlobalData expected = r;
        expected[5] &= 0xFE;
        expected[3] &= 0x7F;
        expected[4] &= 0x0F;
        global.FromBytes(r, MDevGlobalSource::Device);
        EXPECT_EQ(global.ToBytes(), expected);
    }
}

TEST_F(GlobalRecord, ToBytesWritesOnlyTheParameterBits) {
    struct Case {
        int id;
        int32_t value;
        std::size_t byte;
        uint8_t written;
    };
    // clang-format off
    const Case cases[] = {
        {Id::kMasterTune, -100, 0, 0x9C},
        {Id::kTransposePosition, 2, 2, 0xFE},
        {Id::kLocal, 0, 5, 0xFA},  // bit 2 off (and bit 0, write protect, always off)
        {Id::kMidiClockSource, 0x10, 8, 0xFC},
        {Id::kGlobalMidiChannel, 0x12, 9, 0xF2},
        {Id::kFilterSystemExclusive, 0, 16, 0x7F},
        {Id::kFilterPitchBend, 0, 17, 0xBF},
        {Id::kFilterControlChange, 0, 17, 0xFB},
        {Id::kFilterProgramChange, 0, 17, 0xFE},
        {Id::kControlChangeMapFirst + 20, 7, 38, 0x07},
        {Id::kSpeaker, 0, 72, 0xFE},
        {Id::kFavoriteFirst + 3, 0x80, 83, 0x80},
    };
    // clang-format on
    MDevGlobalData ones;
    ones.fill(0xFF);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        global.FromBytes(ones, MDevGlobalSource::Device);
        global.SetParam(c.id, c.value, 1);
        MDevGlobalData expected = ones;
        expected[3] = 0x7F;
        expected[4] = 0x0F;
        expected[5] = 0xFE;
        expected[c.byte] = c.written;
        EXPECT_EQ(global.ToBytes(), expected);
    }

    // Setting the curve writes both whole bytes 3 and 4.
    global.FromBytes(ones, MDevGlobalSource::Device);
    global.SetParam(Id::kVelocityCurve, 5, 1);
    const MDevGlobalData out = global.ToBytes();
    EXPECT_EQ(out[3], 0x05);
    EXPECT_EQ(out[4], 0x08);
}

TEST_F(GlobalRecord, Texts) {
    struct Case {
        std::string text, expected;
    };
    // clang-format off
    const Case cases[] = {
        {global.GetName(), "Global"},
        {global.GetValueText(8), "value#8"},
        {global.GetParamName(0), "param#0"},
        {global.GetUnitText(64), "label#64"},
        {global.GetValueText(99), "value#99"},
        {global.GetColumnText(0), "-"},
        {global.GetColumnText(5), "-"},
    };
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(c.text, c.expected);
    global.SetName("Other");
    EXPECT_EQ(global.GetName(), "Global");
    EXPECT_EQ(global.GetParamCount(), 65);
}

TEST_F(GlobalRecord, InitAndCommitClearOnlyTheModifiedFlag) {
    global.SetParam(Id::kMasterTranspose, 3, 1);
    global.Init();
    EXPECT_FALSE(global.IsModified());
    EXPECT_EQ(global.GetParam(Id::kMasterTranspose), 3);
    global.SetParam(Id::kMasterTranspose, 4, 1);
    global.Commit();
    EXPECT_FALSE(global.IsModified());
    EXPECT_EQ(global.GetParam(Id::kMasterTranspose), 4);
    EXPECT_EQ(owner.sent, 0);
}

TEST_F(GlobalRecord, CopyTakesValuesRecordAndModifiedFlag) {
    MDevGlobalData record;
    for (std::size_t i = 0; i < record.size(); ++i) record[i] = static_cast<uint8_t>(i * 13);
    global.FromBytes(record, MDevGlobalSource::Device);
    global.SetParam(Id::kFavoriteFirst, 42, 1);

    velktest::RecordingProgramOwner otherOwner;
    MDevDescZEPHAGlobal working(otherOwner);
    working = global;
    EXPECT_TRUE(working.IsModified());
    EXPECT_EQ(working.ToBytes(), global.ToBytes());
    for (int id = 0; id < Id::kCount; ++id) EXPECT_EQ(working.GetParam(id), global.GetParam(id)) << id;

    global.Commit();
    working = global;
    EXPECT_FALSE(working.IsModified());

    // The copy keeps announcing to its own owner.
    const int notices = owner.Marks();
    working.SetParam(Id::kMasterTune, 1, 1);
    EXPECT_EQ(otherOwner.Marks(), 1);
    EXPECT_EQ(owner.Marks(), notices);
}

TEST_F(GlobalRecord, StartsAllZero) {
    for (int id = 0; id < Id::kCount; ++id) EXPECT_EQ(global.GetParam(id), 0) << id;
    EXPECT_EQ(global.ToBytes(), MDevGlobalData{});
    EXPECT_FALSE(global.IsModified());
}

}  // namespace
