#pragma once

// The scoped lock of midifile/ and device/, for state that two threads
// really share (the MIDI thread and the user-interface thread): locks the
// mutex on construction, waiting as long as it takes, and unlocks it on
// destruction. Any mutex type with lock() and unlock().
template <class Mutex>
class stMtxLocker {
public:
    explicit stMtxLocker(Mutex& mutex) : mutex_(mutex) { mutex_.lock(); }
    ~stMtxLocker() { mutex_.unlock(); }
    stMtxLocker(const stMtxLocker&) = delete;
    stMtxLocker& operator=(const stMtxLocker&) = delete;

private:
    Mutex& mutex_;
};
