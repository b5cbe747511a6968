#include "platform/midi/MidiClock.h"

namespace midiport {

void MidiCancel::Cancel() {
    {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
    }
    wake_.notify_all();
}

bool MidiCancel::Cancelled() const {
    std::lock_guard lock(mutex_);
    return cancelled_;
}

bool MidiCancel::WaitUntil(Clock::time_point when) {
    std::unique_lock lock(mutex_);
    wake_.wait_until(lock, when, [this] { return cancelled_; });
    return !cancelled_;
}

}  // namespace midiport
