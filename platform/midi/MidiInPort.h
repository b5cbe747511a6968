#pragma once
// An open MIDI input. Complete messages go to the handler given at open:
// one call at a time, in arrival order, only between Start and Reset.

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace midiport {

// Receives one complete message: a channel message (status and its data
// bytes) or a system-exclusive message F0 .. F7. Called on the thread that
// reads the inputs (MidiBackend::ReadInput); the span is valid for the call
// only.
using MidiInHandler = std::function<void(std::span<const uint8_t> message)>;

class MidiInPort {
public:
    virtual ~MidiInPort() = default;  // resets and closes

    // Begins delivery: 0, kStartRefused, or kBadState when already started.
    virtual int Start() = 0;
    // Ends delivery and forgets a partly received message: 0 or
    // kResetRefused. Once it returns, the handler is not called again
    // (and no call is still running) until the next Start.
    virtual int Reset() = 0;
    // Releases the port: 0, or kCloseRefused (the port stays open). After a
    // successful close the handler is never called again.
    virtual int Close() = 0;

    // The count of system-exclusive bytes that came in before their message
    // was whole (MidiInputFramer::SysExBytesTaken): a waiting owner sees a
    // long dump progress. Any thread.
    virtual uint64_t SysExBytesTaken() const { return 0; }
    // Only system-exclusive messages that begin with `header` count in
    // SysExBytesTaken from the next message on (MidiInputFramer::
    // SetProgressHeader); empty: every one. Any thread.
    virtual void SetProgressHeader(std::vector<uint8_t> header) { (void)header; }
};

}  // namespace midiport
