#include "uiservices/VelkWaitLoop.h"

#include "device/MDevConfig.h"
#include "device/MDevDesc.h"

CDeviceWaitTarget::CDeviceWaitTarget(MDevDesc& device) : config_(device.Owner()), device_(&device) {}

void CDeviceWaitTarget::ProcessInput() { config_.ProcessInput(); }

void CDeviceWaitTarget::CancelTransfer() {
    if (device_) device_->CancelTransfer();
}

uint64_t CDeviceWaitTarget::InputProgress() { return config_.InputProgress(); }
uint64_t CDeviceWaitTarget::InputLosses() const { return config_.GetInputLosses(); }
midiport::MidiOutProgress CDeviceWaitTarget::OutputProgress() { return config_.OutputProgress(); }

bool CVelkWaitLoop::Run(const VelkWaitSpec& spec, VelkWaitTarget& target, const std::function<bool()>& done) {
    CVelkTransferGuard::Scope running(ui_.TransferGuard());
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
        ui_.PumpFor(spec.pass);
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

CVelkProgressScope::CVelkProgressScope(VelkUiServices& ui, const std::string& caption) : ui_(ui) {
    ui_.ShowProgress(caption);
}

CVelkProgressScope::~CVelkProgressScope() { ui_.CloseProgress(); }
