#pragma once
// The far side of one loopback port pair: the test's stand-in for a
// synthesizer on a MIDI cable. The pair shows the system one input and one
// output of the pair's name. What the peer sends arrives at the system's
// input; what the system sends on the output reaches the peer's handler.
// Each direction has its own delivery thread, so messages arrive in order
// and a handler may send at once from inside its call.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/midi/LoopbackFaults.h"
#include "platform/midi/MidiInPort.h"
#include "platform/midi/MidiInputFramer.h"
#include "platform/midi/MidiOutMeter.h"
#include "platform/midi/MidiSendQueue.h"

namespace midiport {

class LoopbackPeer {
public:
    // Called on the pair's delivery thread with each complete message the
    // system sent (a system-exclusive message whole, F0 .. F7), in order.
    using Handler = std::function<void(std::vector<uint8_t> message)>;

    explicit LoopbackPeer(std::string name, bool hardware = true);
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
    // way was delivered (including what a handler sent in reply); on a wire
    // clock of the test's, everything due by its time. Never call it from a
    // handler.
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

    // Messages the system's input delivered to its handler so far.
    std::size_t DeliveredToSystem() const;

private:
    friend class LoopbackInPort;
    friend class LoopbackOutPort;
    friend class LoopbackMidiBackend;

    // System side, called by the port objects.
    int OpenIn(MidiInHandler handler);
    int StartIn();
    int ResetIn();
    int CloseIn(bool force);
    int OpenOut();
    int SendOut(std::vector<uint8_t> message);
    int CloseOut(bool force);
    bool InOpen() const;
    void SetProgressHeader(std::vector<uint8_t> header);
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

    // The system's input; held while a message is handed to the handler, so
    // Reset and Close wait for a running delivery.
    mutable std::mutex inMutex_;
    bool inOpen_ = false;
    bool inStarted_ = false;
    MidiInHandler inHandler_;
    MidiInputFramer framer_;
    std::size_t delivered_ = 0;

    std::recursive_mutex handlerMutex_;
    Handler handler_;

    Wire toSystemWire_;
    Wire toPeerWire_;
    // Declared last: their threads stop before the state above goes.
    MidiSendQueue toSystem_;
    MidiSendQueue toPeer_;
};

}  // namespace midiport
