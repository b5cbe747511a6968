#include "librarian/VelkWaitLoop.h"

#include "device/MDevConfig.h"
#include "device/MDevDesc.h"

void CDeviceWaitTarget::ProcessInput() { config_.ProcessInput(); }

void CDeviceWaitTarget::CancelTransfer() {
    if (device_) device_->CancelTransfer();
}

uint64_t CDeviceWaitTarget::InputLosses() const { return config_.GetInputLosses(); }

bool CVelkWaitLoop::Run(const VelkWaitSpec& spec, VelkWaitTarget& target,
                        const std::function<bool()>& done) {
    CVelkTransferGuard::Scope running(guard_);
    const uint64_t losses = target.InputLosses();
    for (int pass = 0; pass < spec.passes; ++pass) {
        target.ProcessInput();
        if (done()) return true;
        if (target.InputLosses() != losses) break;
        pump_.PumpFor(spec.pass);
    }
    target.ProcessInput();
    if (done()) return true;
    target.CancelTransfer();
    return false;
}

CVelkProgressScope::CVelkProgressScope(VelkProgressBox& box, const std::string& caption)
    : box_(box) {
    box_.Show(caption);
}

CVelkProgressScope::~CVelkProgressScope() { box_.Close(); }
