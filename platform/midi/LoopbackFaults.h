#pragma once
// Faults a loopback port pair can inject, for tests. "To the system" is the
// direction from the peer into the system's input; "to the peer" the
// direction from the system's output to the peer.

#include <chrono>
#include <cstddef>

namespace midiport {

struct LoopbackFaults {
    // Refusals of the system's port calls, with their result codes 1-4.
    bool refuseOpen = false;   // input and output open: kOpenRefused
    bool refuseClose = false;  // kCloseRefused, the port stays open
    bool refuseStart = false;  // kStartRefused
    bool refuseReset = false;  // kResetRefused
    // The system's output refuses every send (kSendRefused), nothing goes out.
    bool failSend = false;

    // Waited before each message is delivered, in both directions.
    std::chrono::microseconds delay{0};
    // The next n messages of a direction are lost / arrive twice.
    int dropToSystem = 0;
    int dropToPeer = 0;
    int duplicateToSystem = 0;
    int duplicateToPeer = 0;

    // A system-exclusive message to the system arrives in pieces of this
    // many bytes (0: whole).
    std::size_t splitSysEx = 0;
    // Put in the middle of every system-exclusive message to the system:
    // a real-time byte (F8, which the input must skip), or a stray status
    // byte (0x90, which spoils the message).
    bool injectRealTime = false;
    bool injectStrayStatus = false;
};

}  // namespace midiport
