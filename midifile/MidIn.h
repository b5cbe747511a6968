#pragma once
// One MIDI input port with the result codes of the MIDI library: open (0, 1),
// close (0, 2), start (0, 3, 5), stop (0, 4).

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/midi/MidiBackend.h"

class MidIn {
public:
    explicit MidIn(midiport::MidiBackend& backend);
    // Stops and closes the port when open.
    virtual ~MidIn();

    MidIn(const MidIn&) = delete;
    MidIn& operator=(const MidIn&) = delete;

    // Closes the port first, then opens input `deviceId`; its messages go to
    // `target` while started, on the thread that reads the inputs
    // (MidiBackend::ReadInput), never once Stop or Close returned. 0, or 1
    // for any failure (also when the old port refused to close).
    virtual int Open(int deviceId, midiport::MidiInHandler target);
    // 0; 2 when the port refused to close (it stays open).
    virtual int Close();
    // 0; 5 when not open or already started; 3 when the port refused.
    virtual int Start();
    // 0 (also when not open); 4 when the port refused to reset (nothing
    // changes then).
    virtual int Stop();

    bool IsOpen() const;
    bool IsStarted() const;
    // The open port's count of system-exclusive bytes that came in before
    // their message was whole (MidiInputFramer::SysExBytesTaken); 0 when no
    // port is open. Any thread.
    uint64_t SysExBytesTaken() const;
    // Which system-exclusive messages SysExBytesTaken counts
    // (MidiInPort::SetProgressHeader); nothing without an open port.
    void SetProgressHeader(std::vector<uint8_t> header);

protected:
    // Closes the port whatever it answers; its target is never called again.
    void ReleasePort();

private:
    midiport::MidiBackend& backend_;
    mutable std::recursive_mutex mutex_;
    std::unique_ptr<midiport::MidiInPort> port_;
    bool started_ = false;
};
