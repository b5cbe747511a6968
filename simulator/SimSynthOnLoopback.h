#pragma once
// A simulated synthesizer attached to the far side of a loopback port pair:
// what the system sends on the pair's output reaches the synth, its replies
// arrive at the system's input. Delayed replies go out on the real clock.

#include "platform/midi/LoopbackPeer.h"
#include "simulator/SimReplyPump.h"
#include "simulator/SimSynth.h"

#include <chrono>
#include <memory>

class SimSynthOnLoopback {
public:
    // The synth holds the realistic bank of its default seed.
    SimSynthOnLoopback(SimModel model, std::shared_ptr<midiport::LoopbackPeer> peer);
    SimSynthOnLoopback(SimModel model, SimBank bank, std::shared_ptr<midiport::LoopbackPeer> peer);
    ~SimSynthOnLoopback();
    SimSynthOnLoopback(const SimSynthOnLoopback&) = delete;
    SimSynthOnLoopback& operator=(const SimSynthOnLoopback&) = delete;

    SimSynth& Synth() { return synth_; }
    midiport::LoopbackPeer& Peer() { return *peer_; }

    // Returns when no reply is held and everything sent so far either way
    // was delivered. Never call it from a port handler.
    void Drain();

    // How often Drain looks again while replies are held.
    static constexpr std::chrono::milliseconds kDrainPoll{1};

private:
    SimSynth synth_;
    std::shared_ptr<midiport::LoopbackPeer> peer_;
    SimReplyPump pump_;
};
