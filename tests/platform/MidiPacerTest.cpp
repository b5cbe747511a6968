#include "platform/midi/MidiPacer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

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
