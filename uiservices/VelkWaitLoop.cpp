#include "uiservices/VelkWaitLoop.h"

#include "device/MDevConfig.h"
#include "device/MDevDesc.h"

void CDeviceWaitTarget::ProcessInput() { config_.ProcessInput(); }

void CDeviceWaitTarget::CancelTransfer() {
    if (device_) device_->CancelTransfer();
}

uint64_t CDeviceWaitTarget::InputProgress() { return config_.InputProgress(); }
uint64_t CDeviceWaitTarget::InputLosses() const { return config_.GetInputLosses(); }
midiport::MidiOutProgress CDeviceWaitTarget::OutputProgress() { return config_.OutputProgress(); }

bool CVelkWaitLoop::Run(const VelkWaitSpec& spec, VelkWaitTarget& target,
                        const std::function<bool()>& done) {
    CVelkTransferGuard::Scope running(guard_);
    const int most = spec.passes * velkwait::kActiveWaitFactor;
    const uint64_t losses = target.InputLosses();
    // Everything sent so far, the request or dump waited on included.
    const uint64_t sent = target.OutputProgress().accepted;
    uint64_t progress = target.InputProgress();
    int quiet = 0;  // passes in a row without input, once the output was out
    for (int pass = 0; quiet < spec.passes && pass < most; ++pass) {
        target.ProcessInput();
        if (done()) return true;
        if (target.InputLosses() != losses) break;
        pump_.PumpFor(spec.pass);
        const uint64_t now = target.InputProgress();
        const bool sending = target.OutputProgress().left < sent;
        quiet = now == progress && !sending ? quiet + 1 : 0;
        progress = now;
    }
    target.ProcessInput();
    if (done()) return true;
    target.CancelTransfer();
    return false;
}

void CTaskPump::Post(Task task) {
    {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    posted_.notify_one();
}

void CTaskPump::PumpFor(std::chrono::milliseconds budget) {
    const auto deadline = std::chrono::steady_clock::now() + budget;
    std::unique_lock lock(mutex_);
    do {
        while (!tasks_.empty()) {
            Task task = std::move(tasks_.front());
            tasks_.pop_front();
            lock.unlock();
            task();
            lock.lock();
        }
    } while (posted_.wait_until(lock, deadline, [this] { return !tasks_.empty(); }));
}

CVelkProgressScope::CVelkProgressScope(VelkProgressBox& box, const std::string& caption)
    : box_(box) {
    box_.Show(caption);
}

CVelkProgressScope::~CVelkProgressScope() { box_.Close(); }
