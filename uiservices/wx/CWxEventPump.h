#pragma once
// Pumps the wx event queue for one pass of a waiting loop: dispatches
// native events as they come, runs wx's pending events (CallAfter and
// queued thread events run only there) and idle processing, until the
// pass's time is spent on the given clock.

#include "uiservices/VelkWaitLoop.h"

class CWxEventPump final : public VelkEventPump {
public:
    explicit CWxEventPump(VelkClock& clock) : clock_(clock) {}
    void PumpFor(std::chrono::milliseconds budget) override;

private:
    VelkClock& clock_;
};
