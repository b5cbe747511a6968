#pragma once

#include <mutex>

// Scoped lock of a re-entrant mutex: locks on construction (waiting as long
// as it takes), unlocks on destruction. A null mutex is not locked.
class stMtxLocker {
public:
    explicit stMtxLocker(std::recursive_mutex* mutex) : mutex_(mutex) {
        if (mutex_ != nullptr) mutex_->lock();
    }
    ~stMtxLocker() {
        if (mutex_ != nullptr) mutex_->unlock();
    }
    stMtxLocker(const stMtxLocker&) = delete;
    stMtxLocker& operator=(const stMtxLocker&) = delete;

private:
    std::recursive_mutex* mutex_;
};
