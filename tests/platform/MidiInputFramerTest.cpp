#include "platform/midi/MidiInputFramer.h"

#include <gtest/gtest.h>

#include <vector>

using midiport::MidiInputFramer;
using Bytes = std::vector<uint8_t>;

namespace {

std::vector<Bytes> Frame(const std::vector<Bytes>& pieces, std::size_t cap = 0x20000) {
    MidiInputFramer framer(cap);
    std::vector<Bytes> out;
    for (const Bytes& piece : pieces)
        framer.Feed(piece, [&](std::span<const uint8_t> m) { out.emplace_back(m.begin(), m.end()); });
    return out;
}

struct FramingCase {
    const char* what;
    std::vector<Bytes> pieces;
    std::vector<Bytes> expected;
};

}  // namespace

TEST(MidiInputFramer, FramesMessagesFromPieces) {
    // clang-format off
    const std::vector<FramingCase> cases = {
        {"note-on, 2 data bytes", {{0x90, 0x40, 0x7F}}, {{0x90, 0x40, 0x7F}}},
        {"program change, 1 data byte", {{0xC3, 0x05, 0xB0, 0x07, 0x64}}, {{0xC3, 0x05}, {0xB0, 0x07, 0x64}}},
        {"channel pressure, 1 data byte", {{0xD0, 0x22}}, {{0xD0, 0x22}}},
        {"pitch bend, 2 data bytes", {{0xE1, 0x00, 0x40}}, {{0xE1, 0x00, 0x40}}},
        {"active sensing and clock not delivered", {{0xFE, 0xF8, 0xFF}}, {}},
        {"system common and its data not delivered", {{0xF2, 0x10, 0x20, 0xF1, 0x01, 0xF6}}, {}},
        {"data without status dropped", {{0x10, 0x20}}, {}},
        {"channel message split across pieces", {{0x90}, {0x40}, {0x7F}}, {{0x90, 0x40, 0x7F}}},
        {"status cuts an unfinished channel message", {{0x90, 0x40, 0xC0, 0x01}}, {{0xC0, 0x01}}},
        {"real-time inside a channel message skipped", {{0x90, 0xF8, 0x40, 0x7F}}, {{0x90, 0x40, 0x7F}}},
        {"sysex whole", {{0xF0, 0x42, 0x30, 0xF7}}, {{0xF0, 0x42, 0x30, 0xF7}}},
        {"sysex pieces joined", {{0xF0, 0x42}, {0x30}, {0x58, 0xF7}}, {{0xF0, 0x42, 0x30, 0x58, 0xF7}}},
        {"real-time inside sysex skipped", {{0xF0, 0x42, 0xF8, 0x30, 0xFE, 0xF7}}, {{0xF0, 0x42, 0x30, 0xF7}}},
        {"stray status inside sysex spoils it", {{0xF0, 0x42, 0x90, 0x30, 0xF7}}, {}},
        {"stray status then begins its own message", {{0xF0, 0x42, 0x90, 0x30, 0x40}}, {{0x90, 0x30, 0x40}}},
        {"no F7: the next F0 spoils it", {{0xF0, 0x01, 0x02}, {0xF0, 0x03, 0xF7}}, {{0xF0, 0x03, 0xF7}}},
        {"no F7 at all: never delivered", {{0xF0, 0x01, 0x02}}, {}},
        {"empty sysex dropped", {{0xF0, 0xF7}}, {}},
        {"stray F7 ignored", {{0xF7, 0x90, 0x01, 0x02}}, {{0x90, 0x01, 0x02}}},
    };
    // clang-format on
    for (const FramingCase& c : cases) EXPECT_EQ(Frame(c.pieces), c.expected) << c.what;
}

TEST(MidiInputFramer, SysExCapIsInclusiveAndLargerOnesAreDroppedWhole) {
    const std::size_t cap = 16;
    auto sysex = [](std::size_t total) {
        Bytes m(total, 0x11);
        m.front() = 0xF0;
        m.back() = 0xF7;
        return m;
    };
    EXPECT_EQ(Frame({sysex(cap)}, cap), std::vector<Bytes>{sysex(cap)});
    EXPECT_TRUE(Frame({sysex(cap + 1)}, cap).empty());
    // Nothing of the dropped one leaks into the next message.
    EXPECT_EQ(Frame({sysex(cap + 5), {0x90, 0x01, 0x02}}, cap), (std::vector<Bytes>{{0x90, 0x01, 0x02}}));

    // The default cap takes a whole-device dump and more.
    const Bytes big = sysex(0x20000);
    EXPECT_EQ(Frame({big}), std::vector<Bytes>{big});
    EXPECT_TRUE(Frame({sysex(0x20001)}).empty());
}

TEST(MidiInputFramer, ResetForgetsAPartlyReceivedMessage) {
    MidiInputFramer framer;
    std::vector<Bytes> out;
    const auto deliver = [&](std::span<const uint8_t> m) { out.emplace_back(m.begin(), m.end()); };
    framer.Feed(Bytes{0xF0, 0x42, 0x30}, deliver);
    framer.Reset();
    framer.Feed(Bytes{0x58, 0xF7, 0x80, 0x01, 0x02}, deliver);
    EXPECT_EQ(out, (std::vector<Bytes>{{0x80, 0x01, 0x02}}));
}

// A waiting owner sees a long dump come in before it is whole; a message
// that came whole in one piece, or anything but a system-exclusive message,
// is no progress of a dump.
TEST(MidiInputFramer, CountsTheBytesOfADumpStillArriving) {
    struct Case {
        const char* what;
        std::vector<Bytes> pieces;
        std::vector<uint64_t> counts;  // after each piece
    };
    // clang-format off
    const Case cases[] = {
        {"dump in pieces", {{0xF0, 0x42, 0x30}, {0x01, 0x02}, {0x03, 0xF7}}, {3, 5, 5}},
        {"short reply whole", {{0xF0, 0x42, 0x30, 0x58, 0x23, 0xF7}}, {0}},
        {"reply whole, then a dump begins", {{0xF0, 0x23, 0xF7, 0xF0, 0x01}}, {2}},
        {"channel messages", {{0x90, 0x40}, {0x7F, 0xB0, 0x63}}, {0, 0}},
        {"real-time bytes inside", {{0xF0, 0xF8, 0x01, 0xFE}}, {2}},
        {"dump cut by a status", {{0xF0, 0x01}, {0x02, 0x90, 0x40}}, {2, 2}},
    };
    // clang-format on
    for (const Case& c : cases) {
        MidiInputFramer framer;
        std::vector<uint64_t> counts;
        for (const Bytes& piece : c.pieces) {
            framer.Feed(piece, [](std::span<const uint8_t>) {});
            counts.push_back(framer.SysExBytesTaken());
        }
        EXPECT_EQ(counts, c.counts) << c.what;
    }
}

// With a header given, only a message that begins with it is progress: the
// device waited for, not another one on the same input.
TEST(MidiInputFramer, CountsOnlyTheMessagesOfTheHeaderGiven) {
    MidiInputFramer framer;
    framer.SetProgressHeader({0xF0, 0x42, 0x30, 0x58});
    const auto feed = [&](const Bytes& bytes) {
        framer.Feed(bytes, [](std::span<const uint8_t>) {});
        return framer.SysExBytesTaken();
    };
    EXPECT_EQ(feed({0xF0, 0x7D}), 0u) << "another maker";
    EXPECT_EQ(feed({0x01}), 0u);
    EXPECT_EQ(feed({0xF7, 0xF0, 0x42}), 0u) << "the header not whole yet";
    EXPECT_EQ(feed({0x30, 0x58, 0x50, 0x01}), 4u);
    EXPECT_EQ(feed({0x01}), 5u);
    EXPECT_EQ(feed({0xF7, 0xF0, 0x42, 0x31, 0x58, 0x50}), 5u) << "another channel";
}
