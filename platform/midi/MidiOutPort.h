#pragma once
// An open MIDI output. Every message is copied into the output's queue and
// sent by its writer thread in order, whole and never interleaved with
// another, whichever thread called.

#include <cstdint>
#include <span>
#include <vector>

namespace midiport {

// How far an output has got, in bytes since it opened: accepted for sending,
// and left the port (put out, or given up when a message was dropped or
// cut). A message has left once `left` reached the `accepted` read right
// after it was sent.
struct MidiOutProgress {
    uint64_t accepted = 0;
    uint64_t left = 0;
};

class MidiOutPort {
public:
    virtual ~MidiOutPort() = default;  // closes

    // A channel message: exactly a channel status and its data bytes.
    // 0, kBadMessage, kSendRefused, or kPortGone once the far side went away.
    // A message that fails after it was accepted is reported by a
    // SendFailed notice of the backend.
    virtual int SendShort(std::span<const uint8_t> message) = 0;
    // A system-exclusive message F0 .. F7; returns at once without waiting
    // for the transmission. 0, kBadMessage, kSendRefused, or kPortGone.
    virtual int SendSysEx(std::vector<uint8_t> message) = 0;
    // Drops what is still queued and releases the port: 0 or kCloseRefused.
    virtual int Close() = 0;
    // Cheap; any thread.
    virtual MidiOutProgress Progress() const { return {}; }
};

}  // namespace midiport
