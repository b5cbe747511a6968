#pragma once
// The far side of one loopback port pair: the test's stand-in for a
// synthesizer on a MIDI cable. The pair shows the system one input and one
// output of the pair's name. What the peer sends crosses the wire on the
// pair's thread towards the system and waits in the backend's input queue
// until the system's MIDI thread reads it (as the kernel keeps it for a
// sequencer client); what the system sends on the output crosses the other
// wire on a thread of its own and reaches the peer's handler. So messages
// arrive in order and a handler on either side may send at once from inside
// its call.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/midi/LoopbackFaults.h"
#include "platform/midi/LoopbackInputQueue.h"
#include "platform/midi/MidiInPort.h"
#include "platform/midi/MidiOutMeter.h"
#include "platform/midi/MidiSendQueue.h"

namespace midiport {

class LoopbackPeer {
public:
    // Called on the pair's delivery thread with each complete message the
    // system sent (a system-exclusive message whole, F0 .. F7), in order.
    using Handler = std::function<void(std::vector<uint8_t> message)>;

    // What the peer sends waits in `input` until the system reads it.
    LoopbackPeer(std::string name, bool hardware, std::shared_ptr<LoopbackInputQueue> input);
    ~LoopbackPeer();

    LoopbackPeer(const LoopbackPeer&) = delete;
    LoopbackPeer& operator=(const LoopbackPeer&) = delete;

    const std::string& Name() const { return name_; }
    bool Hardware() const { return hardware_; }

    // Sends one message into the system's input: a channel message or a
    // whole system-exclusive message F0 .. F7 (faults may alter it on the
    // way). Raw bytes are passed on as they are, so a test can also send
    // broken ones. Returns at once.
    void Send(std::span<const uint8_t> message);
    void Send(std::initializer_list<uint8_t> message);

    void SetHandler(Handler handler);

    // Returns when both directions are idle: everything sent so far either
    // way was delivered (including what a handler sent in reply), what came
    // to the system read by its MIDI thread; on a wire clock of the test's,
    // everything due by its time. Needs a thread that reads the system's
    // inputs while one is started (MidiBackend::ReadInput). Never call it
    // from a handler.
    void Drain();

    // Limits both directions to a wire rate (bytes/s; 0: as fast as
    // possible): a message is delivered once its last byte would have
    // arrived. Towards the system its bytes come in chunks of kWireChunk,
    // each once its last byte would have arrived, as from a cable. A
    // message lost on the way (dropToPeer) still takes its time on the wire.
    void SetThrottle(uint32_t bytesPerSecond);
    static constexpr std::size_t kWireChunk = 64;

    // The clock the wire's time is measured by; empty (the default): the
    // steady clock. A test gives a clock only it moves: a message then
    // stays on the wire until that clock reached its arrival, and Drain
    // does not wait for one that has not arrived by the clock's time.
    using WireClock = std::function<MidiSendQueue::Clock::time_point()>;
    void SetWireClock(WireClock now);

    void SetFaults(const LoopbackFaults& faults);
    LoopbackFaults Faults() const;

private:
    friend class LoopbackInPort;
    friend class LoopbackOutPort;
    friend class LoopbackMidiBackend;

    // System side, called by the port objects.
    int OpenIn(MidiInHandler handler, std::shared_ptr<LoopbackInput>& input);
    int StartIn(LoopbackInput& input);
    int ResetIn(LoopbackInput& input);
    int CloseIn(LoopbackInput& input, bool force);
    int OpenOut();
    int SendOut(std::vector<uint8_t> message);
    int CloseOut(bool force);
    bool OutOpen() const;

    // One direction of the wire.
    struct Wire {
        MidiSendQueue::Clock::time_point freeAt{};  // when what was put on it is across
        // On a test's wire clock: the arrival its writer waits for.
        std::optional<MidiSendQueue::Clock::time_point> waitingUntil;
    };

    void DeliverToSystem(std::vector<uint8_t>& message);
    void DeliverToPeer(std::vector<uint8_t>& message);
    bool Throttled() const;
    // Waits until `bytes` more would have crossed the wire, right behind
    // the bytes before them when they `continue` a message (a writer that
    // woke late does not slow the wire down); false when the queue is being
    // destroyed.
    bool Throttle(Wire& wire, MidiSendQueue& queue, std::size_t bytes, bool continues = false);
    // Nothing more of this direction arrives by the wire clock's time.
    bool Settled(const Wire& wire, const MidiSendQueue& queue) const;
    bool TakeCount(int LoopbackFaults::*counter);
    MidiOutProgress OutProgress() const { return outMeter_.Read(); }

    const std::string name_;
    const bool hardware_;

    mutable std::mutex stateMutex_;  // faults, throttle, wire clock and waits, open flags
    LoopbackFaults faults_;
    uint32_t throttle_ = 0;
    WireClock wireClock_;
    bool outOpen_ = false;
    MidiOutMeter outMeter_;  // the system's output

    const std::shared_ptr<LoopbackInputQueue> inputQueue_;
    mutable std::mutex inMutex_;
    std::shared_ptr<LoopbackInput> in_;  // the system's open input, null when closed

    std::recursive_mutex handlerMutex_;
    Handler handler_;

    Wire toSystemWire_;
    Wire toPeerWire_;
    // Declared last: their threads stop before the state above goes.
    MidiSendQueue toSystem_;
    MidiSendQueue toPeer_;
};

}  // namespace midiport
