#pragma once
// The simulator's outgoing messages, each held until its due time. A message
// that is due when posted goes out at the next Flush; later ones wait for a
// Flush at or after their time (a SimReplyPump, or a test driving a fake
// clock). Messages leave in due-time order, in posting order for equal times,
// never interleaved even when several threads flush.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class SimReplyQueue {
public:
    using Clock = std::chrono::steady_clock;
    using Now = std::function<Clock::time_point()>;
    using Output = std::function<void(std::vector<std::uint8_t>)>;

    explicit SimReplyQueue(Now now = {});

    void SetOutput(Output output);
    // Called after every post, under the queue's lock (it must not call back
    // into the queue), so a pump can rewait.
    void SetWakeup(std::function<void()> wakeup);
    // Wire-rate throttle: each message takes size / rate to cross the wire
    // and arrives at its end; 0 = unthrottled.
    void SetWireRate(std::uint32_t bytesPerSecond);
    // With a wire rate, a message longer than `bytes` goes out in pieces of
    // that many bytes, each once its last byte crossed, as a cable hands
    // them over (a receiver sees a long dump coming in); 0 = whole messages.
    void SetWirePiece(std::size_t bytes);

    void Post(std::vector<std::uint8_t> message, Clock::duration delay);
    // Sends every message that is due now. The output may call back into
    // the queue's owner on the same thread (but not SetOutput).
    void Flush();
    std::optional<Clock::time_point> NextDue() const;
    // Messages held or being handed to the output right now.
    std::size_t Pending() const;

private:
    Now now_;
    mutable std::mutex mutex_;
    std::mutex sendMutex_;                     // held while sending, so flushes never interleave
    std::atomic<std::thread::id> flushing_{};  // the thread holding sendMutex_
    Output output_;
    std::function<void()> wakeup_;
    std::uint32_t bytesPerSecond_ = 0;
    std::size_t piece_ = 0;
    Clock::time_point wireFreeAt_{};
    std::multimap<Clock::time_point, std::vector<std::uint8_t>> held_;
    std::size_t sending_ = 0;
};
