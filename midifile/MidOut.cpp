#include "midifile/MidOut.h"

#include <array>
#include <vector>

#include "midifile/stMtxLocker.h"
#include "platform/midi/MidiMessage.h"
#include "platform/midi/MidiResult.h"

MidOut::MidOut(midiport::MidiBackend& backend) : backend_(backend) {}

MidOut::~MidOut() {
    stMtxLocker lock(mutex_);
    DropPort();
}

void MidOut::DropPort() {
    if (!port_) return;
    closedBytes_ += port_->Progress().accepted;
    port_.reset();
}

midiport::MidiOutProgress MidOut::OutputProgress() const {
    stMtxLocker lock(mutex_);
    const midiport::MidiOutProgress port = port_ ? port_->Progress() : midiport::MidiOutProgress{};
    return {closedBytes_ + port.accepted, closedBytes_ + port.left};
}

int MidOut::Open(int deviceId) {
    stMtxLocker lock(mutex_);
    if (port_) {
        if (port_->Close() != midiport::kOk) return 1;
        DropPort();
    }
    std::unique_ptr<midiport::MidiOutPort> port;
    if (backend_.OpenOut(deviceId, port) != midiport::kOk || !port) return 1;
    port_ = std::move(port);
    return 0;
}

int MidOut::Close() {
    stMtxLocker lock(mutex_);
    if (!port_) return 0;
    if (port_->Close() != midiport::kOk) return 2;
    DropPort();
    return 0;
}

bool MidOut::IsOpen() const {
    stMtxLocker lock(mutex_);
    return port_ != nullptr;
}

int MidOut::SendShortMsg(uint8_t status, uint8_t data1, uint8_t data2) {
    stMtxLocker lock(mutex_);
    if (!port_) return 0;
    const int count = midiport::ChannelDataCount(status);
    if (count < 0) return midiport::kBadMessage;
    const std::array<uint8_t, 3> message{status, data1, data2};
    return port_->SendShort(std::span<const uint8_t>(message).first(static_cast<std::size_t>(count) + 1));
}

int MidOut::SendSysEx(const uint8_t* data, std::size_t length) {
    stMtxLocker lock(mutex_);
    if (!port_) return 0;
    if (data == nullptr && length != 0) return midiport::kBadMessage;
    std::vector<uint8_t> message;
    message.reserve(length + 1);
    message.push_back(midiport::kSysExStart);
    if (length != 0) message.insert(message.end(), data, data + length);
    return port_->SendSysEx(std::move(message));
}
