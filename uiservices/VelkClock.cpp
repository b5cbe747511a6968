#include "uiservices/VelkClock.h"

#include <thread>

VelkClock::time_point CSteadyClock::Now() const { return std::chrono::steady_clock::now(); }

void CSteadyClock::SleepFor(std::chrono::milliseconds span) {
    if (span.count() > 0) std::this_thread::sleep_for(span);
}
