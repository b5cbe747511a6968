#pragma once
// A queue of whole messages with one writer thread that hands them to a sink
// in the order they were pushed, one at a time. Any thread may push.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace midiport {

class MidiSendQueue {
public:
    using Clock = std::chrono::steady_clock;
    using Sink = std::function<void(std::vector<uint8_t>& message)>;

    explicit MidiSendQueue(Sink sink);
    // Drops what is still queued, lets the message in hand finish (a sink
    // that waits in SleepUntil is woken) and joins the writer.
    ~MidiSendQueue();

    MidiSendQueue(const MidiSendQueue&) = delete;
    MidiSendQueue& operator=(const MidiSendQueue&) = delete;

    void Push(std::vector<uint8_t> message);
    // Drops every message not yet taken by the writer; the bytes dropped.
    std::size_t Clear();
    // Returns when nothing is queued and the sink is not running.
    void WaitIdle();
    bool Idle() const;

    // For the sink, on the writer thread: waits until `when`; false when the
    // queue is being destroyed (the sink should give up the message).
    bool SleepUntil(Clock::time_point when);
    bool Stopping() const;

private:
    void Run();

    Sink sink_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<std::vector<uint8_t>> queue_;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread writer_;
};

}  // namespace midiport
