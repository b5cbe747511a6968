#pragma once
// One MIDI output port with the result codes of the MIDI library: open
// (0, 1), close (0, 2). Safe to use from several threads at once: the port's
// queue sends every message whole and in call order.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>

#include "platform/midi/MidiBackend.h"

class MidOut {
public:
    explicit MidOut(midiport::MidiBackend& backend);
    // Closes the port when open.
    virtual ~MidOut();

    MidOut(const MidOut&) = delete;
    MidOut& operator=(const MidOut&) = delete;

    // Closes first, then opens output `deviceId`: 0, or 1 for any failure.
    virtual int Open(int deviceId);
    // 0; 2 when the port refused to close (it stays open).
    virtual int Close();

    bool IsOpen() const;

    // Sends a channel message with exactly the data bytes its status needs
    // (data2 is ignored for program change and channel pressure). Without
    // an open port: 0 and nothing is sent. Otherwise the port's result (0,
    // or nonzero for a refused or malformed message).
    int SendShortMsg(uint8_t status, uint8_t data1 = 0, uint8_t data2 = 0);
    // Sends a system-exclusive message given as the bytes after its F0
    // through the final F7; copies it and returns without waiting for the
    // transmission. Without an open port: 0. Otherwise the port's result.
    int SendSysEx(const uint8_t* data, std::size_t length);

    // How far the output has got (MidiOutPort::Progress), counted over
    // every port this object opened: what a port had accepted when it
    // closed counts as gone. Any thread.
    midiport::MidiOutProgress OutputProgress() const;

private:
    // With mutex_ held: the port is given up.
    void DropPort();

    midiport::MidiBackend& backend_;
    mutable std::mutex mutex_;
    std::unique_ptr<midiport::MidiOutPort> port_;
    uint64_t closedBytes_ = 0;  // accepted by the ports closed before
};
