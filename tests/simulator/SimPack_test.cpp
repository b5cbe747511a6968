#include "simulator/SimPack.h"

#include <gtest/gtest.h>

#include <numeric>

using Bytes = std::vector<std::uint8_t>;

TEST(SimPack, GoldenVectors) {
    EXPECT_EQ(SimPack::Pack(Bytes{0x80, 0x01, 0xFF}), (Bytes{0x05, 0x00, 0x01, 0x7F}));
    EXPECT_EQ(SimPack::Pack(Bytes{'a', 'b', 'c'}), (Bytes{0x00, 0x61, 0x62, 0x63}));
}

// Payload sizes of the dumps, and the size of the last (short) group.
TEST(SimPack, PayloadSizesAndLastGroups) {
    struct Case {
        std::size_t unpacked, packed, lastGroup;
    };
    for (const Case c : {Case{254, 291, 3}, Case{200, 229, 5}, Case{32512, 37157, 5}, Case{32712, 37386, 2},
                         Case{65024, 74314, 2}}) {
        SCOPED_TRACE(c.unpacked);
        Bytes data(c.unpacked);
        std::iota(data.begin(), data.end(), std::uint8_t{0x3B});  // every high bit pattern
        const Bytes packed = SimPack::Pack(data);
        EXPECT_EQ(SimPack::PackedSize(c.unpacked), c.packed);
        ASSERT_EQ(packed.size(), c.packed);
        EXPECT_EQ(packed.size() % 8, c.lastGroup);
        for (std::uint8_t b : packed) ASSERT_LT(b, 0x80);
        EXPECT_EQ(SimPack::Unpack(packed), data);
    }
}

TEST(SimPack, LastGroupHeaderHasOnlyItsOwnBits) {
    Bytes data(200, 0xFF);
    const Bytes packed = SimPack::Pack(data);
    EXPECT_EQ(packed[224], 0x0F);  // 4 data bytes in the last group
    EXPECT_EQ(packed[0], 0x7F);
}

TEST(SimPack, UnpackRejectsAGroupWithoutData) {
    EXPECT_FALSE(SimPack::Unpack(Bytes(9, 0)).has_value());
    EXPECT_EQ(SimPack::Unpack(Bytes{}), Bytes{});
    EXPECT_EQ(SimPack::Unpack(Bytes{0x01, 0x00}), Bytes{0x80});
}
