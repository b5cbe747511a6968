#pragma once
// Puts one message out as chunks of at most the pacer's chunk size, each
// only when the pacer allows it. The clock, the wait and the output are
// given as functions, so the loop runs against a fake clock in tests and
// against the sequencer in the ALSA backend.

#include <functional>
#include <span>

#include "platform/midi/MidiPacer.h"

namespace midiport {

class MidiPacedWriter {
public:
    using Clock = MidiPacer::Clock;

    struct Io {
        std::function<Clock::time_point()> now;
        // Waits until the given time; false when the writer must give up.
        std::function<bool(Clock::time_point)> waitUntil;
        // Puts one chunk out; false when the output failed.
        std::function<bool(std::span<const uint8_t> chunk)> put;
    };

    MidiPacedWriter(MidiPacer pacer, Io io);

    // True when every chunk went out.
    bool Write(std::span<const uint8_t> message);

    const MidiPacer& Pacer() const { return pacer_; }

private:
    MidiPacer pacer_;
    Io io_;
};

}  // namespace midiport
