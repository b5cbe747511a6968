#pragma once
// A window that takes the device's change notices, as CMsgSender sees it.
// The editors' adapter implements it; tests use fakes.

#include <cstdint>

class CMsgTarget {
public:
    virtual ~CMsgTarget() = default;

    // False once the window behind the target is gone.
    virtual bool IsAlive() const = 0;
    // Queues the notice for the window's own thread and returns at once;
    // nonzero when it was queued.
    virtual int Post(unsigned message, intptr_t wParam, intptr_t lParam) = 0;
    // Handles the notice now, on the calling thread; the handler's answer.
    virtual intptr_t Send(unsigned message, intptr_t wParam, intptr_t lParam) = 0;
};
