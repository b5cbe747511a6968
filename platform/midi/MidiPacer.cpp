#include "platform/midi/MidiPacer.h"

#include <algorithm>

namespace midiport {

namespace {

using Nanos = std::chrono::nanoseconds;

// The time `bytes` take at `rate`, rounded up or down to the nanosecond.
MidiPacer::Clock::duration WireTime(uint64_t bytes, uint32_t rate, bool roundUp) {
    const uint64_t nanos = (bytes * 1'000'000'000ull + (roundUp ? rate - 1 : 0)) / rate;
    return std::chrono::duration_cast<MidiPacer::Clock::duration>(Nanos(nanos));
}

}  // namespace

MidiPacer::MidiPacer(uint32_t bytesPerSecond, std::size_t maxChunk, std::size_t bucketBytes)
    : rate_(bytesPerSecond),
      maxChunk_(std::max<std::size_t>(maxChunk, 1)),
      bucket_(std::max(bucketBytes, maxChunk_)) {}

MidiPacer::Clock::time_point MidiPacer::LineFreeAt() const {
    if (!bursting_ || rate_ == 0) return Clock::time_point::min();
    // Rounded up, so the pacer is never ahead of the rate.
    return burstStart_ + WireTime(burstBytes_, rate_, true);
}

MidiPacer::Clock::time_point MidiPacer::ReadyAt(std::size_t bytes) const {
    if (!bursting_ || rate_ == 0) return Clock::time_point::min();
    // The bucket holds `bytes` once no more than bucket - bytes are still
    // to cross the line.
    const Clock::time_point free = LineFreeAt();
    if (bytes > bucket_) return free + WireTime(bytes - bucket_, rate_, true);
    return free - WireTime(bucket_ - bytes, rate_, false);
}

bool MidiPacer::IdleAt(Clock::time_point now) const {
    if (!bursting_) return true;
    if (now >= LineFreeAt()) return true;
    if (now <= burstStart_) return false;
    // Within the nanosecond LineFreeAt rounds up: compared exactly.
    const auto elapsed = static_cast<uint64_t>(std::chrono::duration_cast<Nanos>(now - burstStart_).count());
    return elapsed * rate_ >= burstBytes_ * 1'000'000'000ull;
}

void MidiPacer::Sent(std::size_t bytes, Clock::time_point now) {
    if (rate_ == 0) return;
    // After the line went idle the bucket is full again; a new burst starts.
    if (IdleAt(now)) {
        bursting_ = true;
        burstStart_ = now;
        burstBytes_ = 0;
    }
    burstBytes_ += bytes;
    // Whole seconds move into the start, so a burst of any length keeps the
    // arithmetic exact and far from overflow.
    if (burstBytes_ >= rate_) {
        burstStart_ += std::chrono::seconds(burstBytes_ / rate_);
        burstBytes_ %= rate_;
    }
}

}  // namespace midiport
