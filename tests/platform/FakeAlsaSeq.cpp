#include "FakeAlsaSeq.h"

#include <algorithm>
#include <cerrno>

#include "platform/midi/MidiMessage.h"

namespace midiport {

void FakeAlsaSeq::AddPort(int client, int port, const std::string& clientName, const std::string& portName,
                          unsigned capability, unsigned type) {
    std::lock_guard lock(mutex_);
    ports_.push_back({client, port, clientName, portName, capability, type});
    // The kernel lists clients by number.
    std::stable_sort(ports_.begin(), ports_.end(),
                     [](const AlsaSeqPort& a, const AlsaSeqPort& b) { return a.client < b.client; });
}

void FakeAlsaSeq::AddKernelClients() {
    AddPort(SND_SEQ_CLIENT_SYSTEM, SND_SEQ_PORT_SYSTEM_TIMER, "System", "Timer", kReadable | kWritable, 0);
    AddPort(SND_SEQ_CLIENT_SYSTEM, SND_SEQ_PORT_SYSTEM_ANNOUNCE, "System", "Announce", kReadable, 0);
    AddPort(kMidiThrough, 0, "Midi Through", "Midi Through Port-0", kReadable | kWritable, kSoftwareType);
}

void FakeAlsaSeq::AddVirMidi(int card, int devices) {
    for (int d = 0; d < devices; ++d) {
        const std::string number = std::to_string(card) + "-" + std::to_string(d);
        AddPort(CardClient(card) + d, 0, "Virtual Raw MIDI " + number, "VirMIDI " + number, kDuplex,
                kSoftwareType);
    }
}

void FakeAlsaSeq::AddUsbMidi(int card, const std::string& name, int port) {
    AddPort(CardClient(card), port, name, name + " MIDI " + std::to_string(port + 1), kDuplex, kHardwareType);
}

void FakeAlsaSeq::RemoveClient(int client) {
    {
        std::lock_guard lock(mutex_);
        std::erase_if(ports_, [&](const AlsaSeqPort& p) { return p.client == client; });
    }
    Announce(SND_SEQ_EVENT_CLIENT_EXIT, client, 0);
}

void FakeAlsaSeq::RemovePort(int client, int port) {
    {
        std::lock_guard lock(mutex_);
        std::erase_if(ports_, [&](const AlsaSeqPort& p) { return p.client == client && p.port == port; });
    }
    Announce(SND_SEQ_EVENT_PORT_EXIT, client, port);
}

void FakeAlsaSeq::Announce(int type, int client, int port) {
    Pending p;
    p.event.type = static_cast<snd_seq_event_type_t>(type);
    p.event.data.addr.client = static_cast<unsigned char>(client);
    p.event.data.addr.port = static_cast<unsigned char>(port);
    p.event.dest.port = static_cast<unsigned char>(AnnouncePort());
    Queue(std::move(p));
}

void FakeAlsaSeq::AnnounceUnsubscribed(snd_seq_addr_t from, snd_seq_addr_t to) {
    Pending p;
    p.event.type = SND_SEQ_EVENT_PORT_UNSUBSCRIBED;
    p.event.data.connect.sender = from;
    p.event.data.connect.dest = to;
    p.event.dest.port = static_cast<unsigned char>(AnnouncePort());
    Queue(std::move(p));
}

void FakeAlsaSeq::Receive(int own, const std::vector<uint8_t>& bytes) {
    Pending p;
    if (!bytes.empty() && IsChannelStatus(bytes[0])) {
        codec_.ChannelEvent(bytes, p.event);
    } else {
        p.data = bytes;
        p.event.type = SND_SEQ_EVENT_SYSEX;
        p.event.flags = SND_SEQ_EVENT_LENGTH_VARIABLE;
        p.event.data.ext.len = static_cast<unsigned>(bytes.size());
    }
    p.event.dest.client = kSelf;
    p.event.dest.port = static_cast<unsigned char>(own);
    Queue(std::move(p));
}

void FakeAlsaSeq::FailInput(int error) {
    Pending p;
    p.error = error;
    Queue(std::move(p));
}

void FakeAlsaSeq::ScriptWaits(const std::vector<AlsaWaitResult>& results) {
    {
        std::lock_guard lock(mutex_);
        waits_.insert(waits_.end(), results.begin(), results.end());
    }
    changed_.notify_all();
}

void FakeAlsaSeq::SetOutputHook(std::function<int(const snd_seq_event_t&)> hook) {
    std::lock_guard lock(mutex_);
    outputHook_ = std::move(hook);
}

void FakeAlsaSeq::SetPeer(int client, int port, PeerHook hook) {
    std::lock_guard lock(mutex_);
    if (hook) peers_[{client, port}] = std::make_shared<const PeerHook>(std::move(hook));
    else peers_.erase({client, port});
}

std::vector<FakeAlsaSeq::SentEvent> FakeAlsaSeq::Sent() const {
    std::lock_guard lock(mutex_);
    return sent_;
}

std::vector<FakeAlsaSeq::Connection> FakeAlsaSeq::Connections() const {
    std::lock_guard lock(mutex_);
    return connections_;
}

int FakeAlsaSeq::RecoverCalls() const {
    std::lock_guard lock(mutex_);
    return recovers_;
}

int FakeAlsaSeq::OwnPortFor(int client, int port) const {
    std::lock_guard lock(mutex_);
    for (const Connection& c : connections_)
        if (c.client == client && c.port == port) return c.own;
    return -1;
}

int FakeAlsaSeq::OwnInputFor(int client, int port) const {
    std::lock_guard lock(mutex_);
    for (const Connection& c : connections_)
        if (c.input && c.client == client && c.port == port) return c.own;
    return -1;
}

int FakeAlsaSeq::AnnouncePort() const {
    std::lock_guard lock(mutex_);
    return announcePort_;
}

bool FakeAlsaSeq::Settled() const { return waiting_ && input_.empty() && waits_.empty(); }

void FakeAlsaSeq::Settle() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return Settled(); });
}

void FakeAlsaSeq::Queue(Pending pending) {
    {
        std::lock_guard lock(mutex_);
        input_.push_back(std::move(pending));
    }
    changed_.notify_all();
}

std::vector<AlsaSeqPort> FakeAlsaSeq::Ports() {
    std::lock_guard lock(mutex_);
    return ports_;
}

int FakeAlsaSeq::CreatePort(const char* name, unsigned capability, unsigned type) {
    std::lock_guard lock(mutex_);
    const int own = nextOwn_++;
    ports_.push_back({kSelf, own, "VELK Editor", name, capability, type});
    std::stable_sort(ports_.begin(), ports_.end(),
                     [](const AlsaSeqPort& a, const AlsaSeqPort& b) { return a.client < b.client; });
    return own;
}

int FakeAlsaSeq::DeletePort(int own) {
    std::lock_guard lock(mutex_);
    std::erase_if(ports_, [&](const AlsaSeqPort& p) { return p.client == kSelf && p.port == own; });
    std::erase_if(connections_, [&](const Connection& c) { return c.own == own; });
    return 0;
}

int FakeAlsaSeq::Connect(int own, int client, int port, bool input) {
    std::lock_guard lock(mutex_);
    const bool system = client == SND_SEQ_CLIENT_SYSTEM && port == SND_SEQ_PORT_SYSTEM_ANNOUNCE;
    const bool listed = std::any_of(ports_.begin(), ports_.end(), [&](const AlsaSeqPort& p) {
        return p.client == client && p.port == port;
    });
    if (!system && !listed) return -ENOENT;
    if (system) announcePort_ = own;
    else connections_.push_back({own, client, port, input});
    return 0;
}

int FakeAlsaSeq::ConnectFrom(int own, int client, int port) { return Connect(own, client, port, true); }

int FakeAlsaSeq::ConnectTo(int own, int client, int port) { return Connect(own, client, port, false); }

int FakeAlsaSeq::Output(snd_seq_event_t& event) {
    std::vector<std::shared_ptr<const PeerHook>> peers;
    std::vector<uint8_t> bytes;
    int result = 0;
    {
        std::lock_guard lock(mutex_);
        result = outputHook_ ? outputHook_(event) : 0;
        if (result < 0) return result;
        SentEvent sent;
        sent.source = event.source.port;
        sent.type = event.type;
        sent.toSubscribers = event.dest.client == SND_SEQ_ADDRESS_SUBSCRIBERS;
        sent.bytes = codec_.ToBytes(event);
        bytes = sent.bytes;
        sent_.push_back(std::move(sent));
        for (const Connection& c : connections_) {
            if (c.input || c.own != event.source.port) continue;
            const auto peer = peers_.find({c.client, c.port});
            if (peer != peers_.end()) peers.push_back(peer->second);
        }
    }
    for (const auto& peer : peers) (*peer)(bytes);
    return result;
}

int FakeAlsaSeq::Input(snd_seq_event_t*& event) {
    std::lock_guard lock(mutex_);
    event = nullptr;
    if (input_.empty()) return -EAGAIN;
    current_ = std::move(input_.front());
    input_.pop_front();
    if (current_.error != 0) return current_.error;
    if (!current_.data.empty()) current_.event.data.ext.ptr = current_.data.data();
    event = &current_.event;
    return static_cast<int>(input_.size());
}

AlsaWaitResult FakeAlsaSeq::Wait() {
    std::unique_lock lock(mutex_);
    if (!woken_ && waits_.empty() && input_.empty()) {
        waiting_ = true;
        changed_.notify_all();
        changed_.wait(lock, [this] { return woken_ || !waits_.empty() || !input_.empty(); });
        waiting_ = false;
    }
    if (woken_) {
        woken_ = false;  // one Woken for the Wakes before it, as from the wake pipe
        return {AlsaWait::Woken, 0};
    }
    if (!waits_.empty()) {
        const AlsaWaitResult result = waits_.front();
        waits_.pop_front();
        return result;
    }
    return {AlsaWait::Ready, 0};
}

void FakeAlsaSeq::Wake() {
    {
        std::lock_guard lock(mutex_);
        woken_ = true;
    }
    changed_.notify_all();
}

void FakeAlsaSeq::Recover() {
    std::lock_guard lock(mutex_);
    ++recovers_;
}

MidiClock::Clock::time_point FakeMidiClock::Now() {
    std::lock_guard lock(mutex_);
    return now_;
}

bool FakeMidiClock::SleepUntil(Clock::time_point when, MidiCancel& cancel) {
    std::lock_guard lock(mutex_);
    now_ = std::max(now_, when);
    ++sleeps_;
    return !cancel.Cancelled();
}

MidiClock::Clock::duration FakeMidiClock::Elapsed() const {
    std::lock_guard lock(mutex_);
    return now_ - start_;
}

int FakeMidiClock::Sleeps() const {
    std::lock_guard lock(mutex_);
    return sleeps_;
}

}  // namespace midiport
