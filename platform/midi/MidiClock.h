#pragma once
// The time a thread of the port layer reads and sleeps by. Behind an
// interface so that tests run retry limits and back-offs on a fake clock
// that costs no real time.

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace midiport {

// A flag that ends a sleep early: set by the thread that closes a port or
// stops a reader, read by the thread that sleeps.
class MidiCancel {
public:
    using Clock = std::chrono::steady_clock;

    void Cancel();
    bool Cancelled() const;
    // Waits until `when` on the real clock; false when cancelled first.
    bool WaitUntil(Clock::time_point when);

private:
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool cancelled_ = false;
};

class MidiClock {
public:
    using Clock = std::chrono::steady_clock;

    virtual ~MidiClock() = default;
    virtual Clock::time_point Now() = 0;
    // Sleeps until `when`: true, or false when `cancel` was or gets set.
    virtual bool SleepUntil(Clock::time_point when, MidiCancel& cancel) = 0;
};

// The machine's steady clock.
class SteadyMidiClock : public MidiClock {
public:
    Clock::time_point Now() override { return Clock::now(); }
    bool SleepUntil(Clock::time_point when, MidiCancel& cancel) override { return cancel.WaitUntil(when); }
};

}  // namespace midiport
