#pragma once
// The queue between the MIDI thread and the user-interface thread: the input
// callback pushes each complete message, the user-interface thread takes them
// in arrival order and runs the device model on them.

#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

struct MDevMidiMessage {
    uint8_t status = 0;
    std::vector<uint8_t> data;  // bytes after the status (after F0 for sysex)
};

class MDevInbox {
public:
    // Called (on the pushing thread) after every push; the application posts
    // an event to its user-interface thread from it.
    void SetWakeHook(std::function<void()> hook);

    void Push(uint8_t status, std::span<const uint8_t> data);
    std::optional<MDevMidiMessage> Pop();
    void Clear();
    size_t Size() const;

private:
    mutable std::mutex mutex_;
    std::deque<MDevMidiMessage> messages_;
    std::function<void()> wake_;
};
