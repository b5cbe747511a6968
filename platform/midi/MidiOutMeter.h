#pragma once
// Counts how far an output has got: the bytes it accepted for sending, and
// the bytes that have left it (handed on to the wire, or given up: a
// message dropped or cut counts as gone once the output gave up on it).
// Accepted is counted before a message is queued, the rest by the thread
// that writes; readable from any thread.

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>

#include "platform/midi/MidiOutPort.h"

namespace midiport {

class MidiOutMeter {
public:
    void Accepted(std::size_t bytes) { accepted_.fetch_add(bytes); }
    // Writer: `bytes` more of the message in hand left.
    void Sent(std::size_t bytes) {
        inHand_ += bytes;
        left_.fetch_add(bytes);
    }
    // Writer: the message in hand, `size` bytes, is over, whole or given up.
    void Finished(std::size_t size) {
        left_.fetch_add(size - std::min(inHand_, size));
        inHand_ = 0;
    }
    // Messages dropped before the writer took them.
    void Dropped(std::size_t bytes) { left_.fetch_add(bytes); }

    MidiOutProgress Read() const {
        // Left first: what is read never shows more gone than accepted.
        const uint64_t left = left_.load();
        return {accepted_.load(), left};
    }

private:
    std::atomic<uint64_t> accepted_{0};
    std::atomic<uint64_t> left_{0};
    std::size_t inHand_ = 0;  // writer only
};

}  // namespace midiport
