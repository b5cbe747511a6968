#include "device/MDevSysExPacking.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes RandomBytes(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    Bytes bytes(n);
    for (auto& b : bytes) b = static_cast<uint8_t>(rng());
    return bytes;
}

Bytes UnpackAll(const Bytes& packed) {
    Bytes out(MDevSysExPacking::UnpackedSize(packed.size()));
    EXPECT_EQ(MDevSysExPacking::Unpack7to8(packed, 0, out), out.size());
    return out;
}

struct GoldenCase {
    const char* name;
    Bytes data;
    Bytes packed;
};

TEST(SysExPacking, GoldenVectors) {
    // clang-format off
    const GoldenCase cases[] = {
        {"top bits gathered in header", {0x80, 0x01, 0xFF}, {0x05, 0x00, 0x01, 0x7F}},
        {"ascii needs no top bits", {'a', 'b', 'c'}, {0x00, 0x61, 0x62, 0x63}},
        {"one full group", Bytes(7, 0xFF), {0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F}},
        // clang-format on
        {"second group starts fresh", {0, 0, 0, 0, 0, 0, 0, 0x81}, {0x00, 0, 0, 0, 0, 0, 0, 0, 0x01, 0x01}},
        {"empty", {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(MDevSysExPacking::Pack8to7(c.data), c.packed);
        EXPECT_EQ(UnpackAll(c.packed), c.data);
    }
}

// The record sizes end in short groups: the header of a short group has
// bits only for the bytes it carries.
TEST(SysExPacking, ShortLastGroupOfRecords) {
    struct Case {
        std::size_t unpacked, packed, lastGroup;
        uint8_t lastHeader;
    };
    const Case cases[] = {
        {200, 229, 5, 0x0F},  // global record: header and 4 data bytes
        {254, 291, 3, 0x03},  // program record: header and 2 data bytes
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.unpacked);
        const Bytes packed = MDevSysExPacking::Pack8to7(Bytes(c.unpacked, 0xFF));
        ASSERT_EQ(packed.size(), c.packed);
        const Bytes lastGroup(packed.end() - static_cast<long>(c.lastGroup), packed.end());
        Bytes expected(c.lastGroup, 0x7F);
        expected[0] = c.lastHeader;
        EXPECT_EQ(lastGroup, expected);
        EXPECT_EQ(packed[packed.size() - c.lastGroup - 8], 0x7F) << "previous group is full";
    }
}

TEST(SysExPacking, RoundTripAtEveryPayloadSize) {
    const std::pair<std::size_t, std::size_t> sizes[] = {
        {254, 291}, {200, 229}, {32512, 37157}, {32712, 37386}, {65024, 74314}};
    for (const auto& [unpacked, packedSize] : sizes) {
        SCOPED_TRACE(unpacked);
        EXPECT_EQ(MDevSysExPacking::PackedSize(unpacked), packedSize);
        EXPECT_EQ(MDevSysExPacking::UnpackedSize(packedSize), unpacked);
        const Bytes data = RandomBytes(unpacked, static_cast<unsigned>(unpacked));
        const Bytes packed = MDevSysExPacking::Pack8to7(data);
        ASSERT_EQ(packed.size(), packedSize);
        for (uint8_t b : packed) ASSERT_EQ(b & 0x80, 0);
        EXPECT_EQ(UnpackAll(packed), data);
    }
}

// A receiver takes program i straight from unpacked offset i x 254 and the
// global from 32512; that must equal the slice of a full unpack.
TEST(SysExPacking, OffsetUnpackEqualsSliceOfFullUnpack) {
    const Bytes data = RandomBytes(65024, 7);
    const Bytes packed = MDevSysExPacking::Pack8to7(data);
    for (std::size_t i = 0; i < 256; ++i) {
        Bytes program(254);
        ASSERT_EQ(MDevSysExPacking::Unpack7to8(packed, i * 254, program), 254u);
        ASSERT_EQ(program, Bytes(data.begin() + static_cast<long>(i * 254),
                                 data.begin() + static_cast<long>(i * 254 + 254)))
            << "program " << i;
    }

    const Bytes allData = RandomBytes(32712, 8);
    const Bytes allPacked = MDevSysExPacking::Pack8to7(allData);
    Bytes global(200);
    ASSERT_EQ(MDevSysExPacking::Unpack7to8(allPacked, 32512, global), 200u);
    EXPECT_EQ(global, Bytes(allData.begin() + 32512, allData.end()));
}

TEST(SysExPacking, EveryOffsetAndCountOfASmallStream) {
    const Bytes data = RandomBytes(23, 3);
    const Bytes packed = MDevSysExPacking::Pack8to7(data);
    for (std::size_t offset = 0; offset <= data.size(); ++offset) {
        for (std::size_t count = 0; offset + count <= data.size(); ++count) {
            Bytes out(count);
            ASSERT_EQ(MDevSysExPacking::Unpack7to8(packed, offset, out), count);
            ASSERT_EQ(out, Bytes(data.begin() + static_cast<long>(offset),
                                 data.begin() + static_cast<long>(offset + count)))
                << "offset " << offset << " count " << count;
        }
    }
}

// Unpack never reads past the packed bytes it is given (the exact-size
// vectors let the address sanitizer see any overrun) and reports how much
// it could write.
TEST(SysExPacking, UnpackStopsAtTheEndOfThePackedData) {
    const Bytes data = RandomBytes(10, 4);
    const Bytes packed = MDevSysExPacking::Pack8to7(data);  // 8 + 4 bytes
    struct Case {
        std::size_t offset, count, written;
    };
    const Case cases[] = {
        {0, 11, 10}, {8, 5, 2}, {9, 1, 1}, {10, 1, 0}, {500, 3, 0}, {0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "offset " << c.offset << " count " << c.count);
        Bytes out(c.count, 0xEE);
        ASSERT_EQ(MDevSysExPacking::Unpack7to8(packed, c.offset, out), c.written);
        for (std::size_t k = 0; k < c.written; ++k) EXPECT_EQ(out[k], data[c.offset + k]);
        for (std::size_t k = c.written; k < c.count; ++k)
            EXPECT_EQ(out[k], 0xEE) << "untouched beyond what was available";
    }

    // A truncated stream: a full group, then a lone header byte.
    const Bytes truncated(packed.begin(), packed.begin() + 9);
    Bytes out(10, 0xEE);
    EXPECT_EQ(MDevSysExPacking::Unpack7to8(truncated, 0, out), 7u);
    EXPECT_EQ(MDevSysExPacking::Unpack7to8(truncated, 7, out), 0u);
    EXPECT_EQ(MDevSysExPacking::Unpack7to8({}, 0, out), 0u);
}

// The global and program records end in a short group (5 and 3 bytes); a
// stream that ends exactly there must be read only up to its last byte,
// whichever offset the unpacking starts at.
TEST(SysExPacking, RecordsEndingInAShortGroupUnpackWithinTheirBytes) {
    for (const std::size_t size : {std::size_t{200}, std::size_t{254}}) {
        SCOPED_TRACE(size);
        const Bytes data = RandomBytes(size, static_cast<unsigned>(size));
        const Bytes packed = MDevSysExPacking::Pack8to7(data);  // exact size: the sanitizer sees an overrun
        const std::size_t lastGroup = size / 7 * 7;
        for (const std::size_t offset : {std::size_t{0}, lastGroup - 1, lastGroup, size - 1}) {
            Bytes out(size - offset, 0xEE);
            ASSERT_EQ(MDevSysExPacking::Unpack7to8(packed, offset, out), out.size()) << "offset " << offset;
            EXPECT_TRUE(
                std::equal(out.begin(), out.end(), data.begin() + static_cast<std::ptrdiff_t>(offset)))
                << "offset " << offset;
        }
    }
}

TEST(SysExPacking, UnpackIgnoresBit7OfPackedDataBytes) {
    const Bytes packed{0x01, 0x80, 0xFF, 0x85};
    Bytes out(3);
    ASSERT_EQ(MDevSysExPacking::Unpack7to8(packed, 0, out), 3u);
    EXPECT_EQ(out, (Bytes{0x80, 0x7F, 0x05}));
}

TEST(SysExPacking, PackIntoTooShortDestinationWritesNothing) {
    const Bytes data(8, 0x81);
    Bytes dest(9, 0xEE);
    EXPECT_EQ(MDevSysExPacking::Pack8to7(dest, data), 0u);
    EXPECT_EQ(dest, Bytes(9, 0xEE));
    Bytes exact(10);
    EXPECT_EQ(MDevSysExPacking::Pack8to7(exact, data), 10u);
}

}  // namespace
