#include "platform/midi/LoopbackPeer.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <utility>

#include "platform/midi/MidiMessage.h"
#include "platform/midi/MidiResult.h"

namespace midiport {

LoopbackPeer::LoopbackPeer(std::string name, bool hardware, std::shared_ptr<LoopbackInputQueue> input)
    : name_(std::move(name)),
      hardware_(hardware),
      inputQueue_(std::move(input)),
      toSystem_([this](std::vector<uint8_t>& m) { DeliverToSystem(m); }),
      toPeer_([this](std::vector<uint8_t>& m) { DeliverToPeer(m); }) {}

LoopbackPeer::~LoopbackPeer() = default;

void LoopbackPeer::Send(std::span<const uint8_t> message) {
    toSystem_.Push(std::vector<uint8_t>(message.begin(), message.end()));
}

void LoopbackPeer::Send(std::initializer_list<uint8_t> message) {
    toSystem_.Push(std::vector<uint8_t>(message));
}

void LoopbackPeer::SetHandler(Handler handler) {
    std::lock_guard lock(handlerMutex_);
    handler_ = std::move(handler);
}

void LoopbackPeer::Drain() {
    bool ownClock;
    {
        std::lock_guard lock(stateMutex_);
        ownClock = static_cast<bool>(wireClock_);
    }
    if (!ownClock) {
        do {
            toPeer_.WaitIdle();
            toSystem_.WaitIdle();
            inputQueue_->WaitIdle();
        } while (!toPeer_.Idle() || !toSystem_.Idle() || !inputQueue_->Idle());
        return;
    }
    // What is on its way takes no real time to get where it waits for the
    // clock: looked at until both directions are seen settled twice in a row.
    for (int settled = 0; settled < 2;) {
        settled = Settled(toPeerWire_, toPeer_) && Settled(toSystemWire_, toSystem_) && inputQueue_->Idle()
                      ? settled + 1
                      : 0;
        if (settled < 2) std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
}

bool LoopbackPeer::Settled(const Wire& wire, const MidiSendQueue& queue) const {
    if (queue.Idle()) return true;
    std::lock_guard lock(stateMutex_);
    return wire.waitingUntil && *wire.waitingUntil > wireClock_();
}

void LoopbackPeer::SetThrottle(uint32_t bytesPerSecond) {
    std::lock_guard lock(stateMutex_);
    throttle_ = bytesPerSecond;
}

void LoopbackPeer::SetWireClock(WireClock now) {
    std::lock_guard lock(stateMutex_);
    wireClock_ = std::move(now);
}

void LoopbackPeer::SetFaults(const LoopbackFaults& faults) {
    std::lock_guard lock(stateMutex_);
    faults_ = faults;
}

LoopbackFaults LoopbackPeer::Faults() const {
    std::lock_guard lock(stateMutex_);
    return faults_;
}

bool LoopbackPeer::TakeCount(int LoopbackFaults::*counter) {
    std::lock_guard lock(stateMutex_);
    if (faults_.*counter <= 0) return false;
    --(faults_.*counter);
    return true;
}

bool LoopbackPeer::Throttled() const {
    std::lock_guard lock(stateMutex_);
    return throttle_ != 0;
}

bool LoopbackPeer::Throttle(Wire& wire, MidiSendQueue& queue, std::size_t bytes, bool continues) {
    using Clock = MidiSendQueue::Clock;
    Clock::time_point arrival;
    WireClock clock;
    {
        std::lock_guard lock(stateMutex_);
        if (throttle_ == 0) return true;
        clock = wireClock_;
        const Clock::time_point now = clock ? clock() : Clock::now();
        // Bytes cross one after another: a message begins when the one
        // before it is across, or now when the wire is free.
        const auto onWire = std::chrono::duration_cast<Clock::duration>(
            std::chrono::nanoseconds(bytes * 1'000'000'000ull / throttle_));
        arrival = (continues ? wire.freeAt : std::max(now, wire.freeAt)) + onWire;
        wire.freeAt = arrival;
        if (clock) wire.waitingUntil = arrival;
    }
    if (!clock) return queue.SleepUntil(arrival);
    // The test's clock moves on the test's thread: looked at every
    // millisecond until it reached the arrival.
    bool going = true;
    while (going && clock() < arrival) going = queue.SleepUntil(Clock::now() + std::chrono::milliseconds(1));
    std::lock_guard lock(stateMutex_);
    wire.waitingUntil.reset();
    return going;
}

void LoopbackPeer::DeliverToSystem(std::vector<uint8_t>& message) {
    const LoopbackFaults faults = Faults();
    if (TakeCount(&LoopbackFaults::dropToSystem)) return;
    if (faults.delay.count() > 0 && !toSystem_.SleepUntil(MidiSendQueue::Clock::now() + faults.delay)) return;

    const bool sysex = !message.empty() && message.front() == kSysExStart;
    if (sysex && message.size() >= 2) {
        const auto middle = message.begin() + static_cast<std::ptrdiff_t>(message.size() / 2);
        if (faults.injectRealTime) message.insert(middle, uint8_t{0xF8});
        else if (faults.injectStrayStatus) message.insert(middle, uint8_t{0x90});
    }
    const std::size_t piece =
        (sysex && faults.splitSysEx > 0) ? faults.splitSysEx : std::max<std::size_t>(message.size(), 1);
    const int times = TakeCount(&LoopbackFaults::duplicateToSystem) ? 2 : 1;
    // On a rate-limited wire the bytes come in as off a cable, a wire chunk
    // at a time once its last byte would have arrived, so a long dump is
    // seen arriving before it is whole.
    const bool throttled = Throttled();
    const std::size_t chunk = throttled ? kWireChunk : std::max<std::size_t>(message.size(), 1);

    for (int t = 0; t < times; ++t) {
        for (std::size_t at = 0; at < message.size(); at += chunk) {
            const std::size_t n = std::min(chunk, message.size() - at);
            if (throttled && !Throttle(toSystemWire_, toSystem_, n, at > 0)) return;
            // Looked at once the wire was waited for: a reset or close does
            // not wait for a long dump, and the rest of it is then dropped.
            std::shared_ptr<LoopbackInput> in;
            {
                std::lock_guard lock(inMutex_);
                in = in_;
            }
            if (!in) return;
            for (std::size_t p = at; p < at + n; p += piece) {
                const std::size_t m = std::min(piece, at + n - p);
                if (!in->Arrive(std::span<const uint8_t>(message).subspan(p, m))) return;
            }
        }
    }
}

void LoopbackPeer::DeliverToPeer(std::vector<uint8_t>& message) {
    const LoopbackFaults faults = Faults();
    const bool lost = TakeCount(&LoopbackFaults::dropToPeer);
    // Whatever happens to it, the message is gone from the system's output
    // once the peer's side is done with it.
    struct Done {
        MidiOutMeter& meter;
        std::size_t size;
        ~Done() { meter.Finished(size); }
    } done{outMeter_, message.size()};
    if (faults.delay.count() > 0 && !toPeer_.SleepUntil(MidiSendQueue::Clock::now() + faults.delay)) return;
    // Lost on the way or not, it took its time on the wire.
    Throttle(toPeerWire_, toPeer_, message.size());
    // Across the wire before the peer can answer it.
    outMeter_.Sent(message.size());
    if (lost) return;
    const int times = TakeCount(&LoopbackFaults::duplicateToPeer) ? 2 : 1;

    std::lock_guard lock(handlerMutex_);
    // A copy, so the handler may replace itself while it runs.
    const Handler handler = handler_;
    if (!handler) return;
    for (int t = 0; t < times; ++t) handler(message);
}

int LoopbackPeer::OpenIn(MidiInHandler handler, std::shared_ptr<LoopbackInput>& input) {
    if (Faults().refuseOpen) return kOpenRefused;
    std::lock_guard lock(inMutex_);
    if (in_) return kOpenRefused;
    // A new input each time: nothing a closed one left can reach it.
    in_ = std::make_shared<LoopbackInput>(std::move(handler), inputQueue_);
    input = in_;
    return kOk;
}

int LoopbackPeer::StartIn(LoopbackInput& input) {
    if (Faults().refuseStart) return kStartRefused;
    return input.Start();
}

int LoopbackPeer::ResetIn(LoopbackInput& input) {
    if (Faults().refuseReset) return kResetRefused;
    input.Reset();
    return kOk;
}

int LoopbackPeer::CloseIn(LoopbackInput& input, bool force) {
    if (!force && Faults().refuseClose) return kCloseRefused;
    input.Close();
    std::lock_guard lock(inMutex_);
    if (in_.get() == &input) in_.reset();
    return kOk;
}

int LoopbackPeer::OpenOut() {
    std::lock_guard lock(stateMutex_);
    if (faults_.refuseOpen || outOpen_) return kOpenRefused;
    outOpen_ = true;
    return kOk;
}

int LoopbackPeer::SendOut(std::vector<uint8_t> message) {
    {
        std::lock_guard lock(stateMutex_);
        if (!outOpen_ || faults_.failSend) return kSendRefused;
    }
    outMeter_.Accepted(message.size());
    toPeer_.Push(std::move(message));
    return kOk;
}

int LoopbackPeer::CloseOut(bool force) {
    {
        std::lock_guard lock(stateMutex_);
        if (!force && faults_.refuseClose) return kCloseRefused;
        outOpen_ = false;
    }
    outMeter_.Dropped(toPeer_.Clear());
    return kOk;
}

bool LoopbackPeer::OutOpen() const {
    std::lock_guard lock(stateMutex_);
    return outOpen_;
}

}  // namespace midiport
