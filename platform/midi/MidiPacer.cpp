#include "platform/midi/MidiPacer.h"

namespace midiport {

MidiPacer::MidiPacer(uint32_t bytesPerSecond, std::size_t maxChunk)
    : rate_(bytesPerSecond), maxChunk_(maxChunk == 0 ? 1 : maxChunk) {}

MidiPacer::Clock::time_point MidiPacer::ReadyAt() const {
    if (!bursting_ || rate_ == 0) return Clock::time_point::min();
    // Rounded up, so the pacer is never ahead of the rate.
    const uint64_t nanos = (burstBytes_ * 1'000'000'000ull + rate_ - 1) / rate_;
    return burstStart_ + std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(nanos));
}

void MidiPacer::Sent(std::size_t bytes, Clock::time_point now) {
    if (rate_ == 0) return;
    // A chunk sent after the line went idle starts a new burst; the time
    // spent idle is not credited.
    if (!bursting_ || now > ReadyAt()) {
        bursting_ = true;
        burstStart_ = now;
        burstBytes_ = 0;
    }
    burstBytes_ += bytes;
}

}  // namespace midiport
