#pragma once
// Keeps an output from being fed faster than a byte rate. Pure arithmetic on
// time points, so it runs against a fake clock in tests: the writer asks
// ReadyAt() when the next chunk may go, waits, sends at most MaxChunk()
// bytes, and reports them with Sent(). Over any burst the bytes put out by
// time t never exceed rate * (t - start of the burst) + one chunk.

#include <chrono>
#include <cstddef>
#include <cstdint>

namespace midiport {

class MidiPacer {
public:
    using Clock = std::chrono::steady_clock;

    // Just under the 3,125 bytes/s of a MIDI cable.
    static constexpr uint32_t kDefaultBytesPerSecond = 3000;
    static constexpr std::size_t kDefaultMaxChunk = 256;

    // A rate of 0 means unpaced.
    explicit MidiPacer(uint32_t bytesPerSecond = kDefaultBytesPerSecond,
                       std::size_t maxChunk = kDefaultMaxChunk);

    uint32_t BytesPerSecond() const { return rate_; }
    std::size_t MaxChunk() const { return maxChunk_; }

    // Earliest time the next chunk may be put out (any time before the
    // first chunk and after an idle gap).
    Clock::time_point ReadyAt() const;
    // Records `bytes` put out at `now`.
    void Sent(std::size_t bytes, Clock::time_point now);

private:
    uint32_t rate_;
    std::size_t maxChunk_;
    bool bursting_ = false;
    Clock::time_point burstStart_{};
    uint64_t burstBytes_ = 0;
};

}  // namespace midiport
