#include "platform/midi/MidiPacedWriter.h"

#include <algorithm>
#include <utility>

namespace midiport {

MidiPacedWriter::MidiPacedWriter(MidiPacer pacer, Io io) : pacer_(pacer), io_(std::move(io)) {}

bool MidiPacedWriter::Write(std::span<const uint8_t> message) {
    while (!message.empty()) {
        const std::size_t n = std::min(pacer_.MaxChunk(), message.size());
        const Clock::time_point ready = pacer_.ReadyAt(n);
        if (ready > io_.now() && !io_.waitUntil(ready)) return false;
        const Clock::time_point at = std::max(io_.now(), ready);
        if (!io_.put(message.first(n))) return false;
        pacer_.Sent(n, at);
        message = message.subspan(n);
    }
    return true;
}

}  // namespace midiport
