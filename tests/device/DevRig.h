#pragma once
// The system's device configuration on one loopback port pair whose far
// side is the simulated synth, with the bounded waits of the transfers.
// Input reaches the device model as in the application: the configuration
// routes it through the task it posts to the user-interface thread's event
// loop (RouteInputVia), which the rig runs in its waits.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>
#include <utility>

#include "device/MDevConfig.h"
#include "device/MDevDescZEPHA.h"
#include "platform/midi/LoopbackMidiBackend.h"
#include "simulator/SimSynthOnLoopback.h"
#include "tests/device/DevEventLoop.h"

// Both models, for tests that run one case per model.
inline constexpr SimModel kModels[] = {SimModel::Brontisel, SimModel::BrontiselS};

inline const char* NameOf(SimModel m) { return m == SimModel::Brontisel ? "Brontisel" : "Brontisel S"; }

class DevRig {
public:
    // A short poll keeps the tests fast; the counts bound every wait. A wait
    // for something that must happen ends as soon as it does, so its bound
    // (at least 30 s) is generous enough for a loaded machine or a sanitizer
    // build; a wait for something that must not happen passes its own count.
    static constexpr std::chrono::milliseconds kPoll{2};
    static constexpr int kWaitPolls = 15000;

    // The synth holds `bank`: its realistic bank unless a test counts on
    // known bytes (SimBank::Blank). `loop`: the event loop the input is
    // routed on (must outlive the rig); null: the rig's own. `synthClock`:
    // the clock of the synth's delayed replies (a fake one, which Settle
    // then follows); empty: the real clock.
    explicit DevRig(SimModel model, DevUiLoop* loop = nullptr)
        : DevRig(model, SimBank::Realistic(model), loop) {}
    DevRig(SimModel model, SimBank bank, DevUiLoop* loop = nullptr, SimReplyQueue::Now synthClock = {})
        : loop_(loop ? *loop : ownLoop_) {
        peer_ = backend_.CreatePair("Sim:Port 1");
        sim_ = std::make_unique<SimSynthOnLoopback>(model, std::move(bank), peer_, std::move(synthClock));
        config_ = std::make_unique<MDevConfig>(backend_);
        config_->SetPauses(std::chrono::milliseconds{0}, std::chrono::milliseconds{0});
        config_->RouteInputVia(loop_.Poster());
        config_->SetClock([this] { return std::chrono::steady_clock::now() + waited_; });
        config_->CreateDevice();
    }
    ~DevRig() { config_.reset(); }

    MDevConfig& Config() { return *config_; }
    SimSynth& Synth() { return sim_->Synth(); }
    midiport::LoopbackPeer& Peer() { return *peer_; }
    midiport::LoopbackMidiBackend& Backend() { return backend_; }
    // The registered device (after Connect).
    MDevDescZEPHA& Dev() {
        EXPECT_NE(device_, nullptr);
        return *device_;
    }

    // Runs the event loop (so the input arrived is routed) on each pass;
    // false when `done` did not become true within `polls` passes.
    bool WaitFor(const std::function<bool()>& done, int polls = kWaitPolls) {
        for (int i = 0; i < polls; ++i) {
            loop_.RunPending();
            if (done()) return true;
            std::this_thread::sleep_for(kPoll);
        }
        loop_.RunPending();
        return done();
    }

    // Opens the ports and waits for the identity reply.
    bool Connect() {
        if (config_->OpenPorts() != 0) return false;
        if (!WaitFor([this] { return config_->GetDeviceCount() == 1; })) return false;
        device_ = dynamic_cast<MDevDescZEPHA*>(config_->GetDevice(0));
        return device_ != nullptr;
    }

    // A waiting loop for the changed flag; it cancels the transfer when it
    // times out, as every waiting loop must.
    bool WaitChanged(int polls = kWaitPolls) {
        const bool got = WaitFor([this] { return Dev().TakeChanged() != 0; }, polls);
        if (!got) CancelAfterWait();
        return got;
    }

    // The shortest time-out of the application's transfer waits.
    static constexpr std::chrono::seconds kApplicationWait{5};
    // A time-out as the application has it: the wait took its full time
    // (the device's clock moves on by it), then the transfer is cancelled.
    void CancelAfterWait() {
        waited_ += kApplicationWait;
        Dev().CancelTransfer();
    }

    bool ReceiveAll() {
        Dev().RequestAllData();
        return WaitFor([this] { return Dev().IsDumpReceived() != 0; });
    }

    // Runs every exchange in flight to its end: the synth and the ports idle
    // and the event loop run until nothing more is posted.
    void Settle() {
        for (int round = 0; round < 20; ++round) {
            sim_->Drain();
            if (loop_.RunPending() == 0) return;
        }
    }

    // What either side sent so far arrives, but the event loop does not run:
    // the input waits in the configuration's queue.
    void Arrive() { sim_->Drain(); }

    // The user-interface thread's event loop: tasks posted and not run yet.
    DevUiLoop& Loop() { return loop_; }

private:
    // Before the configuration, which posts to it until it is gone.
    DevEventLoop ownLoop_;
    DevUiLoop& loop_;
    std::chrono::steady_clock::duration waited_{};  // the time-outs' time, on the device's clock
    midiport::LoopbackMidiBackend backend_;
    std::shared_ptr<midiport::LoopbackPeer> peer_;
    std::unique_ptr<SimSynthOnLoopback> sim_;
    std::unique_ptr<MDevConfig> config_;
    MDevDescZEPHA* device_ = nullptr;
};
