#include "platform/midi/MidiPacer.h"
#include "platform/midi/MidiPacedWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <vector>

using midiport::MidiPacer;
using namespace std::chrono;

namespace {

// Sends `total` bytes through the pacer on a fake clock the way the ALSA
// writer does; returns the fake time at which the line is free again.
// Checks on the way that no chunk is larger than allowed and that the bytes
// put out never run ahead of the rate.
MidiPacer::Clock::duration SendOnFakeClock(MidiPacer& pacer, std::size_t total) {
    const MidiPacer::Clock::time_point start{seconds(100)};
    MidiPacer::Clock::time_point now = start;
    std::size_t sent = 0;
    while (sent < total) {
        now = std::max(now, pacer.ReadyAt());
        const double allowed = pacer.BytesPerSecond() * duration<double>(now - start).count();
        EXPECT_LE(static_cast<double>(sent), allowed + 1e-6) << "ahead of the rate at byte " << sent;
        const std::size_t chunk = std::min(pacer.MaxChunk(), total - sent);
        EXPECT_LE(chunk, 256u);
        pacer.Sent(chunk, now);
        sent += chunk;
        now += microseconds(50);  // the writer's own time per chunk
    }
    return std::max(now, pacer.ReadyAt()) - start;
}

}  // namespace

TEST(MidiPacer, WholeDeviceDumpTakesItsWireTime) {
    MidiPacer pacer;  // 3,000 bytes/s, chunks of 256
    const double seconds = duration<double>(SendOnFakeClock(pacer, 74322)).count();
    EXPECT_NEAR(seconds, 74322.0 / 3000.0, 0.01);  // 24.8 s
}

TEST(MidiPacer, IdleTimeIsNotCreditedToTheNextBurst) {
    MidiPacer pacer(1000, 100);
    const MidiPacer::Clock::time_point t0{seconds(10)};
    pacer.Sent(100, t0);
    EXPECT_EQ(pacer.ReadyAt(), t0 + milliseconds(100));
    // Ten seconds of silence, then a burst: it is paced from its own start.
    const auto t1 = t0 + seconds(10);
    pacer.Sent(100, t1);
    EXPECT_EQ(pacer.ReadyAt(), t1 + milliseconds(100));
    pacer.Sent(100, pacer.ReadyAt());
    EXPECT_EQ(pacer.ReadyAt(), t1 + milliseconds(200));
}

TEST(MidiPacer, RateZeroNeverWaits) {
    MidiPacer pacer(0);
    pacer.Sent(100000, MidiPacer::Clock::time_point{seconds(5)});
    EXPECT_EQ(pacer.ReadyAt(), MidiPacer::Clock::time_point::min());
}

TEST(MidiPacedWriter, WritesADumpInPacedChunksOnAFakeClock) {
    MidiPacer::Clock::time_point now{seconds(1)};
    const auto start = now;
    std::vector<uint8_t> out;
    std::size_t chunks = 0;
    midiport::MidiPacedWriter writer(MidiPacer(), {
        [&] { return now; },
        [&](MidiPacer::Clock::time_point until) {
            now = std::max(now, until);
            return true;
        },
        [&](std::span<const uint8_t> chunk) {
            EXPECT_LE(chunk.size(), 256u);
            // Never ahead of the rate: what went out before this chunk fits
            // in the time since the start.
            EXPECT_LE(static_cast<double>(out.size()), 3000.0 * duration<double>(now - start).count() + 1e-6);
            out.insert(out.end(), chunk.begin(), chunk.end());
            ++chunks;
            return true;
        }});
    std::vector<uint8_t> dump(74322, 0x11);
    dump.front() = 0xF0;
    dump.back() = 0xF7;
    ASSERT_TRUE(writer.Write(dump));
    EXPECT_EQ(out, dump);
    EXPECT_EQ(chunks, (74322 + 255) / 256);
    const double taken = duration<double>(std::max(now, writer.Pacer().ReadyAt()) - start).count();
    EXPECT_NEAR(taken, 24.774, 0.01);

    // A wait that gives up (the port is closing) stops the message there.
    bool giveUp = true;
    midiport::MidiPacedWriter closing(MidiPacer(), {[&] { return now; },
                                                    [&](MidiPacer::Clock::time_point) { return !giveUp; },
                                                    [&](std::span<const uint8_t>) { return true; }});
    EXPECT_FALSE(closing.Write(dump));
}
