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
    // On a clock of the caller's (a fake one): no thread sends the delayed
    // replies; they go out when Drain (or Synth().Pump()) runs after the
    // clock reached their time.
    SimSynthOnLoopback(SimModel model, std::shared_ptr<midiport::LoopbackPeer> peer, SimReplyQueue::Now now);
    // The synth holds `bank` (and runs on `now` when one is given).
    SimSynthOnLoopback(SimModel model, SimBank bank, std::shared_ptr<midiport::LoopbackPeer> peer,
                       SimReplyQueue::Now now = {});
    ~SimSynthOnLoopback();
    SimSynthOnLoopback(const SimSynthOnLoopback&) = delete;
    SimSynthOnLoopback& operator=(const SimSynthOnLoopback&) = delete;

    SimSynth& Synth() { return synth_; }
    midiport::LoopbackPeer& Peer() { return *peer_; }

    // Returns when no reply is held (on a caller's clock: none due by now)
    // and everything sent so far either way was delivered. Never call it
    // from a port handler.
    void Drain();

    // How often Drain looks again while replies are held.
    static constexpr std::chrono::milliseconds kDrainPoll{1};

private:
    bool DueHeld() const;

    SimReplyQueue::Now now_;  // empty: the real clock, with pump_
    SimSynth synth_;
    std::shared_ptr<midiport::LoopbackPeer> peer_;
    std::unique_ptr<SimReplyPump> pump_;
};
