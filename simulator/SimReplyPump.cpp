#include "simulator/SimReplyPump.h"

SimReplyPump::SimReplyPump(SimSynth& synth) : synth_(synth) {
    synth_.SetWakeup([this] { Wake(); });
    thread_ = std::thread([this] { Run(); });
}

SimReplyPump::~SimReplyPump() {
    synth_.SetWakeup({});
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    cv_.notify_one();
    thread_.join();
}

void SimReplyPump::Wake() {
    {
        std::lock_guard lock(mutex_);
        kicked_ = true;
    }
    cv_.notify_one();
}

void SimReplyPump::Run() {
    for (;;) {
        // Read before taking the pump's lock: Wake runs under the queue's lock.
        const auto next = synth_.NextDue();
        {
            std::unique_lock lock(mutex_);
            const auto woken = [this] { return stop_ || kicked_; };
            if (next) cv_.wait_until(lock, *next, woken);
            else cv_.wait(lock, woken);
            if (stop_) return;
            kicked_ = false;
        }
        synth_.Pump();
    }
}
