#pragma once
// The loopback's stand-in for the kernel's input queue: what the pairs'
// wires bring to the system's inputs waits here, in arrival order, until the
// thread that reads the inputs (MidiBackend::ReadInput: the program's MIDI
// thread) takes it, frames it and hands each whole message to its input's
// handler. One queue serves every pair of a backend.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "platform/midi/MidiClock.h"
#include "platform/midi/MidiInPort.h"
#include "platform/midi/MidiInputFramer.h"

namespace midiport {

class LoopbackInputQueue;

// The system's side of one pair's input, from one open to its close: the
// pair's wire, the port object and the reading thread share it.
class LoopbackInput : public std::enable_shared_from_this<LoopbackInput> {
public:
    LoopbackInput(MidiInHandler handler, std::shared_ptr<LoopbackInputQueue> queue)
        : handler_(std::move(handler)), queue_(std::move(queue)) {}

    // 0, or kBadState when already started.
    int Start();
    // Both forget a partly received message and what still waits in the
    // queue; once they return, the handler is not called again (and no call
    // still runs) until the next Start, never after Close.
    void Reset();
    void Close();
    // Queues bytes that came off the wire while the input is started; false
    // when it is not (the wire drops the rest of the message then).
    bool Arrive(std::span<const uint8_t> bytes);
    // On the reading thread: frames bytes that waited in the queue.
    void Take(std::span<const uint8_t> bytes);

    uint64_t SysExBytesTaken() const { return framer_.SysExBytesTaken(); }
    void SetProgressHeader(std::vector<uint8_t> header);

private:
    // Held while a message is handed to the handler, so Reset and Close wait
    // for a running delivery.
    std::mutex mutex_;
    bool open_ = true;
    bool started_ = false;
    MidiInHandler handler_;
    MidiInputFramer framer_;
    const std::shared_ptr<LoopbackInputQueue> queue_;
};

class LoopbackInputQueue {
public:
    // Reads until `stop` is cancelled and Wake called; one thread at a time.
    void Read(MidiCancel& stop);
    void Wake();
    // Nothing waits in the queue, and nothing taken from it is being framed.
    bool Idle() const;
    void WaitIdle();

private:
    friend class LoopbackInput;

    void Put(const std::shared_ptr<LoopbackInput>& input, std::span<const uint8_t> bytes);
    // Drops what waits for `input` (it was reset or closed).
    void Forget(const LoopbackInput& input);

    struct Arrival {
        std::weak_ptr<LoopbackInput> input;
        const LoopbackInput* of = nullptr;
        std::vector<uint8_t> bytes;
    };

    std::mutex readMutex_;  // held by the reading thread
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Arrival> arrivals_;
    bool reading_ = false;  // an arrival is being framed
};

}  // namespace midiport
