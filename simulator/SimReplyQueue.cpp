#include "simulator/SimReplyQueue.h"

#include <algorithm>
#include <thread>
#include <utility>

SimReplyQueue::SimReplyQueue(Now now) : now_(now ? std::move(now) : Now([] { return Clock::now(); })) {}

void SimReplyQueue::SetOutput(Output output) {
    std::lock_guard send(sendMutex_);
    std::lock_guard lock(mutex_);
    output_ = std::move(output);
}

void SimReplyQueue::SetWakeup(std::function<void()> wakeup) {
    std::lock_guard lock(mutex_);
    wakeup_ = std::move(wakeup);
}

void SimReplyQueue::SetWireRate(std::uint32_t bytesPerSecond) {
    std::lock_guard lock(mutex_);
    bytesPerSecond_ = bytesPerSecond;
}

void SimReplyQueue::SetWirePiece(std::size_t bytes) {
    std::lock_guard lock(mutex_);
    piece_ = bytes;
}

void SimReplyQueue::Post(std::vector<std::uint8_t> message, Clock::duration delay) {
    std::lock_guard lock(mutex_);
    auto due = now_() + delay;
    if (bytesPerSecond_ > 0) {
        const auto onWire = [this](std::size_t bytes) {
            return std::chrono::duration_cast<Clock::duration>(
                std::chrono::nanoseconds(bytes * 1'000'000'000ull / bytesPerSecond_));
        };
        auto start = std::max(due, wireFreeAt_);
        if (piece_ > 0 && message.size() > piece_) {
            for (std::size_t at = 0; at < message.size(); at += piece_) {
                const std::size_t n = std::min(piece_, message.size() - at);
                start += onWire(n);
                const auto first = message.begin() + static_cast<std::ptrdiff_t>(at);
                held_.emplace(start,
                              std::vector<std::uint8_t>(first, first + static_cast<std::ptrdiff_t>(n)));
            }
            wireFreeAt_ = start;
            if (wakeup_) wakeup_();
            return;
        }
        due = start + onWire(message.size());
        wireFreeAt_ = due;
    }
    held_.emplace(due, std::move(message));
    // Called under the lock, so no call is still running once SetWakeup has
    // replaced the hook.
    if (wakeup_) wakeup_();
}

void SimReplyQueue::Flush() {
    // The output may feed the synth again on this thread (a peer answering
    // at once); the outer flush below sends what that posts, in order.
    if (flushing_.load() == std::this_thread::get_id()) return;
    std::lock_guard send(sendMutex_);
    flushing_.store(std::this_thread::get_id());
    for (;;) {
        std::vector<std::vector<std::uint8_t>> due;
        Output output;
        {
            std::lock_guard lock(mutex_);
            const auto end = held_.upper_bound(now_());
            for (auto it = held_.begin(); it != end; ++it) due.push_back(std::move(it->second));
            held_.erase(held_.begin(), end);
            sending_ += due.size();
            output = output_;
        }
        if (due.empty()) break;
        for (auto& message : due) {
            if (output) output(std::move(message));
            std::lock_guard lock(mutex_);
            --sending_;
        }
    }
    flushing_.store(std::thread::id());
}

std::optional<SimReplyQueue::Clock::time_point> SimReplyQueue::NextDue() const {
    std::lock_guard lock(mutex_);
    if (held_.empty()) return std::nullopt;
    return held_.begin()->first;
}

std::size_t SimReplyQueue::Pending() const {
    std::lock_guard lock(mutex_);
    return held_.size() + sending_;
}
