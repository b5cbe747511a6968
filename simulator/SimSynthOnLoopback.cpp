#include "simulator/SimSynthOnLoopback.h"

#include <thread>
#include <utility>

SimSynthOnLoopback::SimSynthOnLoopback(SimModel model, std::shared_ptr<midiport::LoopbackPeer> peer)
    : SimSynthOnLoopback(model, SimBank::Realistic(model), std::move(peer)) {}

SimSynthOnLoopback::SimSynthOnLoopback(SimModel model, std::shared_ptr<midiport::LoopbackPeer> peer,
                                       SimReplyQueue::Now now)
    : SimSynthOnLoopback(model, SimBank::Realistic(model), std::move(peer), std::move(now)) {}

SimSynthOnLoopback::SimSynthOnLoopback(SimModel model, SimBank bank,
                                       std::shared_ptr<midiport::LoopbackPeer> peer, SimReplyQueue::Now now)
    : now_(std::move(now)), synth_(model, std::move(bank), now_), peer_(std::move(peer)) {
    if (!now_) pump_ = std::make_unique<SimReplyPump>(synth_);
    synth_.SetOutput([peer = peer_.get()](std::vector<std::uint8_t> message) { peer->Send(message); });
    peer_->SetHandler([this](std::vector<std::uint8_t> message) { synth_.OnMessage(message); });
}

bool SimSynthOnLoopback::DueHeld() const {
    if (!now_) return synth_.PendingReplies() != 0;
    const auto next = synth_.NextDue();
    return next && *next <= now_();
}

SimSynthOnLoopback::~SimSynthOnLoopback() {
    // The peer waits for a delivery in progress; then nothing reaches the
    // synth, and once the output is cleared nothing reaches the peer.
    peer_->SetHandler({});
    synth_.SetOutput({});
}

void SimSynthOnLoopback::Drain() {
    for (;;) {
        if (now_) synth_.Pump();
        peer_->Drain();
        if (!DueHeld()) {
            peer_->Drain();
            if (!DueHeld()) return;
        } else if (!now_) {
            std::this_thread::sleep_for(kDrainPoll);
        }
    }
}
