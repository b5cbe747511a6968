#include "device/MDevInbox.h"

void MDevInbox::SetWakeHook(std::function<void()> hook) {
    std::lock_guard lock(mutex_);
    wake_ = std::move(hook);
}

void MDevInbox::Push(uint8_t status, std::span<const uint8_t> data) {
    std::function<void()> wake;
    {
        std::lock_guard lock(mutex_);
        messages_.push_back(MDevMidiMessage{status, {data.begin(), data.end()}});
        wake = wake_;
    }
    if (wake) wake();
}

std::optional<MDevMidiMessage> MDevInbox::Pop() {
    std::lock_guard lock(mutex_);
    if (messages_.empty()) return std::nullopt;
    MDevMidiMessage message = std::move(messages_.front());
    messages_.pop_front();
    return message;
}

void MDevInbox::Clear() {
    std::lock_guard lock(mutex_);
    messages_.clear();
}

size_t MDevInbox::Size() const {
    std::lock_guard lock(mutex_);
    return messages_.size();
}
