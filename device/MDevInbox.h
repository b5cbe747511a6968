#pragma once
// The queue between the MIDI thread and the user-interface thread: the input
// callback pushes each complete message, the user-interface thread takes them
// in arrival order and runs the device model on them. The queue is bounded
// by the bytes it holds: when the user-interface thread stops draining it, a
// message that does not fit is dropped (and counted) instead of growing the
// queue without limit.

#include <cstddef>
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
    // Room for four of the largest dump (a whole Brontisel S, 74322 bytes on
    // the wire); a message costs its status byte and its data.
    static constexpr std::size_t kMaxBytes = 4 * 74322;

    // Called (on the pushing thread) after every message queued; the
    // application posts an event to its user-interface thread from it.
    void SetWakeHook(std::function<void()> hook);

    // Queues the message, or drops it when it does not fit in what is left.
    void Push(uint8_t status, std::span<const uint8_t> data);
    std::optional<MDevMidiMessage> Pop();
    void Clear();
    std::size_t Size() const;
    // Bytes held now, counted as for the bound.
    std::size_t Bytes() const;
    // Messages dropped since construction.
    std::size_t DroppedCount() const;

private:
    mutable std::mutex mutex_;
    std::deque<MDevMidiMessage> messages_;
    std::size_t bytes_ = 0;
    std::size_t dropped_ = 0;
    bool dropping_ = false;  // the last push was dropped
    std::function<void()> wake_;
};
