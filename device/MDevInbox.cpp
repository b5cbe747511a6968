#include "device/MDevInbox.h"

#include <cstdio>

#include "midifile/stMtxLocker.h"

namespace {
std::size_t Cost(std::size_t dataSize) { return dataSize + 1; }
}  // namespace

void MDevInbox::SetWakeHook(std::function<void()> hook) {
    stMtxLocker lock(mutex_);
    wake_ = std::move(hook);
}

void MDevInbox::Push(uint8_t status, std::span<const uint8_t> data) {
    std::function<void()> wake;
    bool firstDrop = false;
    std::size_t dropped = 0;
    {
        stMtxLocker lock(mutex_);
        const std::size_t cost = Cost(data.size());
        if (cost > kMaxBytes - bytes_) {
            ++dropped_;
            dropped = dropped_;
            firstDrop = !dropping_;
            dropping_ = true;
        } else {
            messages_.push_back(MDevMidiMessage{status, {data.begin(), data.end()}});
            bytes_ += cost;
            dropping_ = false;
            wake = wake_;
        }
    }
    // Once per run of drops, so a stalled reader does not flood the log.
    if (firstDrop) {
        std::fprintf(stderr, "MIDI input queue full (%zu bytes): message dropped, %zu dropped so far\n",
                     kMaxBytes, dropped);
    }
    if (wake) wake();
}

std::optional<MDevMidiMessage> MDevInbox::Pop() {
    stMtxLocker lock(mutex_);
    if (messages_.empty()) return std::nullopt;
    MDevMidiMessage message = std::move(messages_.front());
    messages_.pop_front();
    bytes_ -= Cost(message.data.size());
    return message;
}

void MDevInbox::Clear() {
    stMtxLocker lock(mutex_);
    messages_.clear();
    bytes_ = 0;
}

std::size_t MDevInbox::Size() const {
    stMtxLocker lock(mutex_);
    return messages_.size();
}

std::size_t MDevInbox::Bytes() const {
    stMtxLocker lock(mutex_);
    return bytes_;
}

std::size_t MDevInbox::DroppedCount() const {
    stMtxLocker lock(mutex_);
    return dropped_;
}
