#pragma once
// Keeps an output from being fed faster than a byte rate: a token bucket of
// BucketBytes() refilled at the rate. Pure arithmetic on time points, so it
// runs against a fake clock in tests: the writer asks ReadyAt(n) when the
// next chunk of n bytes may go, waits, sends at most MaxChunk() bytes, and
// reports them with Sent().
//
// The bucket is what lies in front of the line (the sequencer's and the
// raw device's buffers take no more than a few KB and drop the rest
// silently). A writer that wakes late finds the bucket fuller and makes the
// lost time up, so the line never runs dry while there is something to
// send; idle time refills the bucket to its size and never more. Over any
// interval [t0, t] the bytes put out never exceed
// BucketBytes() + rate * (t - t0).

#include <chrono>
#include <cstddef>
#include <cstdint>

namespace midiport {

class MidiPacer {
public:
    using Clock = std::chrono::steady_clock;

    // A MIDI cable's rate: 31,250 baud, 10 bits a byte.
    static constexpr uint32_t kDefaultBytesPerSecond = 3125;
    static constexpr std::size_t kDefaultMaxChunk = 256;
    // Well under the 4,096 bytes the kernel keeps in front of a MIDI line,
    // so a receiver a little slower than the rate loses nothing either.
    static constexpr std::size_t kDefaultBucketBytes = 1024;

    // A rate of 0 means unpaced. The bucket holds at least one chunk.
    explicit MidiPacer(uint32_t bytesPerSecond = kDefaultBytesPerSecond,
                       std::size_t maxChunk = kDefaultMaxChunk,
                       std::size_t bucketBytes = kDefaultBucketBytes);

    uint32_t BytesPerSecond() const { return rate_; }
    std::size_t MaxChunk() const { return maxChunk_; }
    std::size_t BucketBytes() const { return bucket_; }

    // Earliest time a chunk of `bytes` may be put out (any time while the
    // bucket holds them).
    Clock::time_point ReadyAt(std::size_t bytes) const;
    // When everything sent so far would have crossed the line at the rate
    // (any time once the line is idle).
    Clock::time_point LineFreeAt() const;
    // Records `bytes` put out at `now`.
    void Sent(std::size_t bytes, Clock::time_point now);

private:
    // True once everything sent has crossed the line by `now`.
    bool IdleAt(Clock::time_point now) const;

    uint32_t rate_;
    std::size_t maxChunk_;
    std::size_t bucket_;
    // The line's time since it last went idle: busy from burstStart_ for as
    // long as burstBytes_ take at the rate.
    bool bursting_ = false;
    Clock::time_point burstStart_{};
    uint64_t burstBytes_ = 0;
};

}  // namespace midiport
