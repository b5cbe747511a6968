#include "midifile/MidIn.h"

#include <utility>

#include "midifile/stMtxLocker.h"
#include "platform/midi/MidiResult.h"

MidIn::MidIn(midiport::MidiBackend& backend) : backend_(backend) {}

MidIn::~MidIn() {
    // The port's own destructor resets and closes even when a refusal
    // fault is set.
    ReleasePort();
}

void MidIn::ReleasePort() {
    stMtxLocker lock(mutex_);
    port_.reset();
    started_ = false;
}

int MidIn::Open(int deviceId, midiport::MidiInHandler target) {
    stMtxLocker lock(mutex_);
    if (Close() != 0) return 1;
    std::unique_ptr<midiport::MidiInPort> port;
    if (backend_.OpenIn(deviceId, std::move(target), port) != midiport::kOk || !port) return 1;
    port_ = std::move(port);
    started_ = false;
    return 0;
}

int MidIn::Close() {
    stMtxLocker lock(mutex_);
    if (!port_) return 0;
    if (port_->Close() != midiport::kOk) return 2;
    port_.reset();
    started_ = false;
    return 0;
}

int MidIn::Start() {
    stMtxLocker lock(mutex_);
    if (!port_ || started_) return 5;
    if (port_->Start() != midiport::kOk) return 3;
    started_ = true;
    return 0;
}

int MidIn::Stop() {
    stMtxLocker lock(mutex_);
    if (!port_) return 0;
    if (port_->Reset() != midiport::kOk) return 4;
    started_ = false;
    return 0;
}

bool MidIn::IsOpen() const {
    stMtxLocker lock(mutex_);
    return port_ != nullptr;
}

bool MidIn::IsStarted() const {
    stMtxLocker lock(mutex_);
    return started_;
}

uint64_t MidIn::SysExBytesTaken() const {
    stMtxLocker lock(mutex_);
    return port_ ? port_->SysExBytesTaken() : 0;
}

void MidIn::SetProgressHeader(std::vector<uint8_t> header) {
    stMtxLocker lock(mutex_);
    if (port_) port_->SetProgressHeader(std::move(header));
}
