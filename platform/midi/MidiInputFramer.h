#pragma once
// Turns the bytes an input receives, in pieces of any size, into complete
// messages. Channel messages (0x80-0xEF) are delivered with the data count
// their status implies; system-exclusive messages only when whole and
// sound: F0 first, F7 last, no status byte inside, not empty, at most `cap`
// bytes. Real-time bytes (F8-FF) may stand anywhere and are skipped; the
// other system bytes (F1-F7 outside a system-exclusive) are not delivered.
// A status byte inside a system-exclusive message ends it unfinished: it is
// dropped and the status byte begins the next message.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <utility>
#include <vector>

#include "platform/midi/MidiMessage.h"

namespace midiport {

class MidiInputFramer {
public:
    using Deliver = std::function<void(std::span<const uint8_t> message)>;

    explicit MidiInputFramer(std::size_t cap = kDefaultSysExCap);

    // Feeds the next received bytes; calls `deliver` for every message they
    // complete, in order.
    void Feed(std::span<const uint8_t> bytes, const Deliver& deliver);
    // Forgets a partly received message.
    void Reset();

    std::size_t Cap() const { return cap_; }

    // Bytes of system-exclusive messages that were still unfinished when the
    // bytes fed so far ended: it grows while a long dump comes in, in
    // pieces, and not for a message that came whole in one piece (a short
    // reply). Never goes back; readable from any thread.
    uint64_t SysExBytesTaken() const { return sysexBytes_.load(std::memory_order_relaxed); }
    // From the next message on, only system-exclusive messages that begin
    // with `header` (F0 and the bytes after it: the device waited for)
    // count in SysExBytesTaken; an empty header (the default) lets every
    // one count. Called under the same exclusion as Feed.
    void SetProgressHeader(std::vector<uint8_t> header) { header_ = std::move(header); }

private:
    enum class State { Idle, Channel, SysEx, SysExOverCap, Skip };

    void BeginStatus(uint8_t status);
    // Once the message has as many bytes as the header: whether it counts.
    void MatchHeader();

    std::size_t cap_;
    State state_ = State::Idle;
    std::vector<uint8_t> message_;
    std::size_t needed_ = 0;  // data bytes still missing of a channel message
    std::atomic<uint64_t> sysexBytes_{0};
    std::vector<uint8_t> header_;
    bool matched_ = false;  // the message's first bytes were compared
    bool counts_ = false;   // and they are the header
};

}  // namespace midiport
