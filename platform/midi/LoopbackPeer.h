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
#include <span>
#include <string>
#include <vector>

#include "platform/midi/LoopbackFaults.h"
#include "platform/midi/MidiInPort.h"
#include "platform/midi/MidiInputFramer.h"
#include "platform/midi/MidiPacer.h"
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
    // way was delivered (including what a handler sent in reply). Never call
    // it from a handler.
    void Drain();

    // Limits both directions to a wire rate (bytes/s; 0: as fast as
    // possible): a message is delivered once its last byte would have
    // arrived. Towards the system its bytes come in chunks of kWireChunk,
    // each once its last byte would have arrived, as from a cable.
    void SetThrottle(uint32_t bytesPerSecond);
    static constexpr std::size_t kWireChunk = 64;

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

    void DeliverToSystem(std::vector<uint8_t>& message);
    void DeliverToPeer(std::vector<uint8_t>& message);
    bool Throttled() const;
    // Waits until `bytes` more would have crossed the wire; false when the
    // queue is being destroyed.
    bool Throttle(MidiPacer& pacer, MidiSendQueue& queue, std::size_t bytes);
    bool TakeCount(int LoopbackFaults::*counter);

    const std::string name_;
    const bool hardware_;

    mutable std::mutex stateMutex_;  // faults, throttle, open flags
    LoopbackFaults faults_;
    uint32_t throttle_ = 0;
    bool outOpen_ = false;

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

    MidiPacer toSystemPacer_{0};
    MidiPacer toPeerPacer_{0};
    // Declared last: their threads stop before the state above goes.
    MidiSendQueue toSystem_;
    MidiSendQueue toPeer_;
};

}  // namespace midiport
