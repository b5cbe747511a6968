#pragma once
// The time source of the waiting loops, injected so that tests can let a
// 30 s time-out pass without waiting for it.

#include <chrono>

class VelkClock {
public:
    using time_point = std::chrono::steady_clock::time_point;

    virtual ~VelkClock() = default;
    virtual time_point Now() const = 0;
    virtual void SleepFor(std::chrono::milliseconds span) = 0;
};

// The real clock: the steady clock and a thread sleep.
class CSteadyClock final : public VelkClock {
public:
    time_point Now() const override;
    void SleepFor(std::chrono::milliseconds span) override;
};
