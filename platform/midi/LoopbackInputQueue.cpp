#include "platform/midi/LoopbackInputQueue.h"

#include <algorithm>
#include <utility>

#include "platform/midi/MidiResult.h"

namespace midiport {

int LoopbackInput::Start() {
    std::lock_guard lock(mutex_);
    if (!open_ || started_) return kBadState;
    started_ = true;
    framer_.Reset();
    return kOk;
}

void LoopbackInput::Reset() {
    std::lock_guard lock(mutex_);
    started_ = false;
    framer_.Reset();
    queue_->Forget(*this);
}

void LoopbackInput::Close() {
    std::lock_guard lock(mutex_);
    open_ = false;
    started_ = false;
    handler_ = nullptr;
    framer_.Reset();
    queue_->Forget(*this);
}

bool LoopbackInput::Arrive(std::span<const uint8_t> bytes) {
    // Queued under the input's lock: a reset or close that follows finds
    // the bytes in the queue and takes them out again.
    std::lock_guard lock(mutex_);
    if (!open_ || !started_) return false;
    queue_->Put(shared_from_this(), bytes);
    return true;
}

void LoopbackInput::Take(std::span<const uint8_t> bytes) {
    std::lock_guard lock(mutex_);
    if (!open_ || !started_) return;
    framer_.Feed(bytes, handler_);
}

void LoopbackInput::SetProgressHeader(std::vector<uint8_t> header) {
    std::lock_guard lock(mutex_);
    framer_.SetProgressHeader(std::move(header));
}

void LoopbackInputQueue::Put(const std::shared_ptr<LoopbackInput>& input, std::span<const uint8_t> bytes) {
    {
        std::lock_guard lock(mutex_);
        arrivals_.push_back({input, input.get(), std::vector<uint8_t>(bytes.begin(), bytes.end())});
    }
    changed_.notify_all();
}

void LoopbackInputQueue::Forget(const LoopbackInput& input) {
    {
        std::lock_guard lock(mutex_);
        std::erase_if(arrivals_, [&input](const Arrival& a) { return a.of == &input; });
    }
    changed_.notify_all();
}

void LoopbackInputQueue::Read(MidiCancel& stop) {
    std::lock_guard reading(readMutex_);
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return stop.Cancelled() || !arrivals_.empty(); });
        if (stop.Cancelled()) return;
        Arrival arrival = std::move(arrivals_.front());
        arrivals_.pop_front();
        reading_ = true;
        lock.unlock();
        // Not under the queue's lock: the handler may take its time, and a
        // reset waiting for it takes that lock to forget its bytes.
        if (const std::shared_ptr<LoopbackInput> input = arrival.input.lock()) input->Take(arrival.bytes);
        lock.lock();
        reading_ = false;
        changed_.notify_all();
    }
}

void LoopbackInputQueue::Wake() {
    { std::lock_guard lock(mutex_); }
    changed_.notify_all();
}

bool LoopbackInputQueue::Idle() const {
    std::lock_guard lock(mutex_);
    return arrivals_.empty() && !reading_;
}

void LoopbackInputQueue::WaitIdle() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return arrivals_.empty() && !reading_; });
}

}  // namespace midiport
