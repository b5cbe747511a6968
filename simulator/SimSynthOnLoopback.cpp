#include "simulator/SimSynthOnLoopback.h"

#include <thread>
#include <utility>

SimSynthOnLoopback::SimSynthOnLoopback(SimModel model, std::shared_ptr<midiport::LoopbackPeer> peer)
    : SimSynthOnLoopback(model, SimBank::Realistic(model), std::move(peer))
{
}

SimSynthOnLoopback::SimSynthOnLoopback(SimModel model, SimBank bank,
                                       std::shared_ptr<midiport::LoopbackPeer> peer)
    : synth_(model, std::move(bank)), peer_(std::move(peer)), pump_(synth_)
{
    synth_.SetOutput([peer = peer_.get()](std::vector<std::uint8_t> message) { peer->Send(message); });
    peer_->SetHandler([this](std::vector<std::uint8_t> message) { synth_.OnMessage(message); });
}

SimSynthOnLoopback::~SimSynthOnLoopback()
{
    // The peer waits for a delivery in progress; then nothing reaches the
    // synth, and once the output is cleared nothing reaches the peer.
    peer_->SetHandler({});
    synth_.SetOutput({});
}

void SimSynthOnLoopback::Drain()
{
    for (;;) {
        peer_->Drain();
        if (synth_.PendingReplies() == 0) {
            peer_->Drain();
            if (synth_.PendingReplies() == 0)
                return;
        } else {
            std::this_thread::sleep_for(kDrainPoll);
        }
    }
}
