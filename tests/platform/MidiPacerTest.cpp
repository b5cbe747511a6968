#include "platform/midi/MidiPacer.h"
#include "platform/midi/MidiPacedWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <random>
#include <vector>

#include "CableLog.h"

using midiport::MidiPacer;
using namespace std::chrono;

namespace {

using TimePoint = MidiPacer::Clock::time_point;

// A whole Brontisel S on the wire, and its time at the cable's rate.
constexpr std::size_t kWholeDevice = 74322;
constexpr double kWholeDeviceSeconds = 74322.0 / 3125.0;  // 23.783 s

std::vector<uint8_t> SysEx(std::size_t size) {
    std::vector<uint8_t> m(size, 0x11);
    m.front() = 0xF0;
    m.back() = 0xF7;
    return m;
}

// The program's paced writer on a fake clock, with the cable behind it. A
// wake-up comes `late` after the time the writer asked for.
class FakeLine {
public:
    explicit FakeLine(MidiPacer pacer = MidiPacer())
        : writer_(pacer, {[this] { return now_; },
                          [this](TimePoint until) {
                              now_ = std::max(now_, until) + late;
                              ++waits_;
                              return true;
                          },
                          [this](std::span<const uint8_t> chunk) {
                              EXPECT_LE(chunk.size(), 256u);
                              cable.Put(now_ - kStart, chunk.size());
                              return true;
                          }}) {}

    bool Write(std::span<const uint8_t> message) { return writer_.Write(message); }
    void Idle(MidiPacer::Clock::duration gap) { now_ += gap; }
    // Since the start of the line.
    nanoseconds Elapsed() const { return now_ - kStart; }
    double Now() const { return duration<double>(Elapsed()).count(); }
    int Waits() const { return waits_; }

    MidiPacer::Clock::duration late{};
    cable::CableLog cable;

private:
    static constexpr TimePoint kStart{seconds(100)};
    TimePoint now_ = kStart;
    int waits_ = 0;
    midiport::MidiPacedWriter writer_;
};

}  // namespace

// A whole device goes at the cable's rate: the cable never stands idle
// before the last byte, also when every wake-up comes late (the bucket
// makes the lost time up). A writer under the rate takes longer; one
// that loses each late wake-up longer still.
TEST(MidiPacer, WholeDeviceDumpTakesTheCablesTimeAlsoWithLateWakeUps) {
    for (const milliseconds late : {0ms, 1ms, 20ms, 120ms, 240ms}) {
        SCOPED_TRACE(late.count());
        FakeLine line;
        line.late = late;
        ASSERT_TRUE(line.Write(SysEx(kWholeDevice)));
        EXPECT_GE(line.cable.Free(), kWholeDeviceSeconds - 1e-6);
        EXPECT_LE(line.cable.Free(), kWholeDeviceSeconds * 1.01);
        EXPECT_EQ(line.cable.Starts(), 1) << "the cable ran dry in the middle of the dump";
        EXPECT_EQ(line.cable.Chunks(), (kWholeDevice + 255) / 256);
        EXPECT_TRUE(line.cable.StaysWithinTheBucket());
    }
}

// Many messages of many sizes, idle gaps and late wake-ups, some so late
// that the cable does run dry: in no interval does more go out than the
// bucket and the rate allow, and while the wake-ups are late by less than
// the bucket holds beyond a chunk, a message keeps the cable busy from its
// first byte to its last.
TEST(MidiPacer, BytesOutInAnyIntervalStayWithinTheBucketAndTheRate) {
    constexpr double kMakeUp = (1024.0 - 256.0) / 3125.0;  // 245.76 ms
    for (const uint32_t seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        const auto uniform = [&](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(random);
        };
        const std::size_t sizes[] = {2, 3, 237, 255, 256, 257, 1000, 1023, 1024, 1025, 4096};
        FakeLine line;
        int checked = 0;
        for (int m = 0; m < 120; ++m) {
            const int pick = uniform(0, 15);
            const std::size_t size =
                pick < 11 ? sizes[pick] : static_cast<std::size_t>(uniform(2, pick == 15 ? 20000 : 3000));
            const int gap = uniform(0, 9);
            if (gap >= 5) line.Idle(milliseconds(uniform(1, gap == 9 ? 5000 : 400)));
            const int lateness = uniform(0, 19);
            line.late = lateness < 10   ? 0ms
                        : lateness < 16 ? microseconds(uniform(1, 20000))
                        : lateness < 19 ? microseconds(uniform(20000, 245000))
                                        : milliseconds(uniform(300, 1500));

            const double start = std::max(line.Now(), line.cable.FreeAt());
            ASSERT_TRUE(line.Write(SysEx(size)));
            if (duration<double>(line.late).count() < kMakeUp) {
                EXPECT_NEAR(line.cable.FreeAt(), start + static_cast<double>(size) / cable::kBytesPerSecond,
                            1e-6)
                    << "the cable stood idle during message " << m << " of " << size << " bytes";
                ++checked;
            }
        }
        EXPECT_GT(checked, 80);
        EXPECT_TRUE(line.cable.StaysWithinTheBucket());
    }
}

// Idle time fills the bucket again, in proportion, up to its size: after a
// long silence 1,024 bytes go at once, and not one more.
TEST(MidiPacer, IdleTimeRefillsTheBucketToItsSizeAndNoMore) {
    struct Case {
        milliseconds idle;
        std::size_t atOnce;  // bytes of the next message put out with no wait
    };
    const Case cases[] = {{0ms, 0}, {82ms, 256}, {164ms, 512}, {328ms, 1024}, {10s, 1024}, {1h, 1024}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.idle.count());
        FakeLine line;
        ASSERT_TRUE(line.Write(SysEx(1024)));  // at once, into an empty line: the bucket is spent
        EXPECT_EQ(line.Waits(), 0);
        line.Idle(c.idle);
        const nanoseconds start = line.Elapsed();
        const std::size_t before = line.cable.Chunks();
        ASSERT_TRUE(line.Write(SysEx(2048)));
        EXPECT_EQ(line.cable.BytesAt(start, before), c.atOnce);
        EXPECT_TRUE(line.cable.StaysWithinTheBucket());
    }
}

TEST(MidiPacer, RateZeroNeverWaits) {
    FakeLine line(MidiPacer(0));
    line.late = 1s;
    ASSERT_TRUE(line.Write(SysEx(100000)));
    EXPECT_EQ(line.Waits(), 0);
    EXPECT_EQ(line.Now(), 0.0);
}

TEST(MidiPacedWriter, WritesADumpInPacedChunksAndStopsWhenAWaitGivesUp) {
    TimePoint now{seconds(1)};
    std::vector<uint8_t> out;
    midiport::MidiPacedWriter writer(MidiPacer(), {[&] { return now; },
                                                   [&](TimePoint until) {
                                                       now = std::max(now, until);
                                                       return true;
                                                   },
                                                   [&](std::span<const uint8_t> chunk) {
                                                       out.insert(out.end(), chunk.begin(), chunk.end());
                                                       return true;
                                                   }});
    std::vector<uint8_t> dump = SysEx(kWholeDevice);
    for (std::size_t i = 1; i + 1 < dump.size(); ++i) dump[i] = static_cast<uint8_t>(i & 0x7F);
    ASSERT_TRUE(writer.Write(dump));
    EXPECT_EQ(out, dump);

    // A wait that gives up (the port is closing) stops the message there.
    out.clear();
    midiport::MidiPacedWriter closing(MidiPacer(), {[&] { return now; }, [&](TimePoint) { return false; },
                                                    [&](std::span<const uint8_t> chunk) {
                                                        out.insert(out.end(), chunk.begin(), chunk.end());
                                                        return true;
                                                    }});
    EXPECT_FALSE(closing.Write(dump));
    EXPECT_EQ(out.size(), 1024u) << "what the bucket holds went out before the first wait";
}
