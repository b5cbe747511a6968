#include "platform/midi/MidiSendQueue.h"

#include <utility>

namespace midiport {

MidiSendQueue::MidiSendQueue(Sink sink) : sink_(std::move(sink)), writer_([this] { Run(); }) {}

MidiSendQueue::~MidiSendQueue() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        queue_.clear();
    }
    wake_.notify_all();
    writer_.join();
}

void MidiSendQueue::Push(std::vector<uint8_t> message) {
    {
        std::lock_guard lock(mutex_);
        if (stopping_) return;
        queue_.push_back(std::move(message));
    }
    wake_.notify_all();
}

std::size_t MidiSendQueue::Clear() {
    std::lock_guard lock(mutex_);
    std::size_t bytes = 0;
    for (const auto& message : queue_) bytes += message.size();
    queue_.clear();
    if (!busy_) idle_.notify_all();
    return bytes;
}

void MidiSendQueue::WaitIdle() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return (queue_.empty() && !busy_) || stopping_; });
}

bool MidiSendQueue::Idle() const {
    std::lock_guard lock(mutex_);
    return queue_.empty() && !busy_;
}

bool MidiSendQueue::SleepUntil(Clock::time_point when) {
    std::unique_lock lock(mutex_);
    wake_.wait_until(lock, when, [this] { return stopping_; });
    return !stopping_;
}

bool MidiSendQueue::Stopping() const {
    std::lock_guard lock(mutex_);
    return stopping_;
}

void MidiSendQueue::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (stopping_) break;
        std::vector<uint8_t> message = std::move(queue_.front());
        queue_.pop_front();
        busy_ = true;
        lock.unlock();
        sink_(message);
        lock.lock();
        busy_ = false;
        if (queue_.empty()) idle_.notify_all();
    }
    busy_ = false;
    idle_.notify_all();
}

}  // namespace midiport
