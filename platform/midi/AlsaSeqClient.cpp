#include "platform/midi/AlsaSeqClient.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <utility>

#include "platform/midi/MidiPortNames.h"
#include "platform/midi/MidiResult.h"

namespace midiport {

namespace {

constexpr const char* kInPortName = "VELK In";
constexpr const char* kOutPortName = "VELK Out";
constexpr const char* kAnnouncePortName = "VELK Announce";

// The kernel's own loopback (snd-seq-dummy): what is sent to it comes back
// out of it, no synth is behind it.
constexpr int kMidiThroughClient = 14;
constexpr const char* kMidiThroughName = "Midi Through";

bool IsSoftwareSynth(unsigned type) {
    return (type & (SND_SEQ_PORT_TYPE_SYNTH | SND_SEQ_PORT_TYPE_SYNTHESIZER)) != 0 &&
           (type & SND_SEQ_PORT_TYPE_HARDWARE) == 0;
}

// Whether a port of the sequencer is listed: one a synth can be reached
// through. Left out are this client's own ports, the system client's timer
// and announcements, Midi Through (the first port on every machine, with
// nothing behind it), software synthesizers (they make sound themselves
// and answer no system-exclusive request), ports that ask to stay hidden
// and ports that cannot be connected in the direction wanted. Hardware
// interfaces, virtual raw MIDI ports and the ports of other programs
// (bridges, network MIDI, virtual cables) are listed.
bool IsListed(const AlsaSeqPort& p, int self, bool input) {
    if (p.client == self || p.client == SND_SEQ_CLIENT_SYSTEM) return false;
    if (p.client == kMidiThroughClient || p.clientName == kMidiThroughName) return false;
    if (IsSoftwareSynth(p.type)) return false;
    const unsigned need = input ? (SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ)
                                : (SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE);
    return (p.capability & need) == need && (p.capability & SND_SEQ_PORT_CAP_NO_EXPORT) == 0;
}

bool SameAddress(const snd_seq_addr_t& a, int client, int port) {
    return a.client == client && a.port == port;
}

bool SameLists(const std::vector<MidiPortInfo>& a, const std::vector<MidiPortInfo>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const MidiPortInfo& x, const MidiPortInfo& y) {
                          return x.name == y.name && x.hardware == y.hardware;
                      });
}

std::vector<MidiPortInfo> Infos(const std::vector<AlsaListedPort>& ports) {
    std::vector<MidiPortInfo> infos;
    infos.reserve(ports.size());
    for (const AlsaListedPort& p : ports) infos.push_back(p.info);
    return infos;
}

std::string ErrorText(int negativeErrno) { return std::strerror(-negativeErrno); }

}  // namespace

void AlsaInput::Deliver(std::span<const uint8_t> bytes) {
    std::lock_guard lock(mutex);
    if (started && handler) framer.Feed(bytes, handler);
}

AlsaSeqClient::AlsaSeqClient(std::unique_ptr<AlsaSeqIo> io, std::shared_ptr<MidiClock> clock)
    : io_(std::move(io)), clock_(std::move(clock)) {
    if (!io_) return;
    self_ = io_->ClientId();
    // A private port that hears the system client's announcements of
    // clients and ports coming, going and changing.
    announcePort_ = io_->CreatePort(kAnnouncePortName, SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_NO_EXPORT,
                                    SND_SEQ_PORT_TYPE_APPLICATION);
    if (announcePort_ < 0 ||
        io_->ConnectFrom(announcePort_, SND_SEQ_CLIENT_SYSTEM, SND_SEQ_PORT_SYSTEM_ANNOUNCE) < 0) {
        std::clog << "MIDI: cannot hear the sequencer's announcements: ports that go away are not noticed\n";
    }
    seenIn_ = Infos(List(true));
    seenOut_ = Infos(List(false));
}

std::vector<AlsaListedPort> AlsaSeqClient::List(bool inputs) {
    std::vector<AlsaListedPort> ports;
    if (!io_) return ports;
    for (const AlsaSeqPort& p : io_->Ports()) {
        if (!IsListed(p, self_, inputs)) continue;
        ports.push_back({{p.clientName + ":" + p.portName, (p.type & SND_SEQ_PORT_TYPE_HARDWARE) != 0},
                         p.client,
                         p.port});
    }
    std::vector<std::string> names;
    names.reserve(ports.size());
    for (const AlsaListedPort& p : ports) names.push_back(p.info.name);
    names = MakeUniquePortNames(names);
    for (std::size_t i = 0; i < ports.size(); ++i) ports[i].info.name = names[i];
    return ports;
}

std::vector<MidiPortInfo> AlsaSeqClient::HandOut(bool inputs) {
    std::lock_guard lock(listMutex_);
    std::vector<AlsaListedPort> ports = List(inputs);
    std::vector<MidiPortInfo> infos = Infos(ports);
    (inputs ? handedIn_ : handedOut_) = std::move(ports);
    return infos;
}

std::string AlsaSeqClient::HandedName(bool inputs, int id) {
    std::lock_guard lock(listMutex_);
    const std::optional<std::vector<AlsaListedPort>>& handed = inputs ? handedIn_ : handedOut_;
    if (!handed || id < 0 || static_cast<std::size_t>(id) >= handed->size()) return {};
    return (*handed)[static_cast<std::size_t>(id)].info.name;
}

std::shared_ptr<AlsaPortLink> AlsaSeqClient::Connect(bool input, int id, std::shared_ptr<AlsaInput> in) {
    if (!io_ || id < 0) return nullptr;
    std::lock_guard lock(listMutex_);
    const std::vector<AlsaListedPort> current = List(input);
    const std::optional<std::vector<AlsaListedPort>>& handed = input ? handedIn_ : handedOut_;
    const std::vector<AlsaListedPort>& byId = handed ? *handed : current;
    if (static_cast<std::size_t>(id) >= byId.size()) return nullptr;
    // The name, not the position, says which port the caller chose.
    const std::string& name = byId[static_cast<std::size_t>(id)].info.name;
    const auto peer = std::find_if(current.begin(), current.end(),
                                   [&](const AlsaListedPort& p) { return p.info.name == name; });
    if (peer == current.end()) return nullptr;

    const unsigned caps = input ? (SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE)
                                : (SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ);
    const int own = io_->CreatePort(input ? kInPortName : kOutPortName, caps,
                                    SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    if (own < 0) return nullptr;
    auto link = std::make_shared<AlsaPortLink>();
    link->input = input;
    link->name = name;
    link->client = peer->client;
    link->port = peer->port;
    link->own = own;
    link->in = std::move(in);
    // Registered before the connection, so an announcement that the peer
    // went away cannot slip in between unnoticed.
    {
        std::lock_guard registerLock(registerMutex_);
        open_[own] = link;
    }
    const int connected = input ? io_->ConnectFrom(own, peer->client, peer->port)
                                : io_->ConnectTo(own, peer->client, peer->port);
    if (connected < 0) {
        Disconnect(link);
        return nullptr;
    }
    return link;
}

bool AlsaSeqClient::Disconnect(const std::shared_ptr<AlsaPortLink>& link) {
    {
        std::lock_guard lock(registerMutex_);
        open_.erase(link->own);
    }
    return io_->DeletePort(link->own) >= 0;
}

void AlsaSeqClient::MarkGone(AlsaPortLink& link, const std::string& why) {
    if (link.gone.exchange(true)) return;
    Notify({MidiNoticeKind::PortGone, kPortGone, link.name, why});
}

void AlsaSeqClient::MarkGoneWhere(const std::function<bool(const AlsaPortLink&)>& match,
                                  const std::string& why) {
    std::vector<std::shared_ptr<AlsaPortLink>> hit;
    {
        std::lock_guard lock(registerMutex_);
        for (const auto& [own, link] : open_)
            if (match(*link)) hit.push_back(link);
    }
    // Outside the lock: a notice handler may call back into the layer.
    for (const auto& link : hit) MarkGone(*link, why);
}

void AlsaSeqClient::SetNoticeHandler(MidiNoticeHandler handler) {
    auto shared = handler ? std::make_shared<const MidiNoticeHandler>(std::move(handler)) : nullptr;
    std::lock_guard lock(noticeMutex_);
    notice_ = std::move(shared);
}

void AlsaSeqClient::Notify(const MidiNotice& notice) {
    std::clog << "MIDI: " << (notice.port.empty() ? "" : notice.port + ": ") << notice.text << '\n';
    std::shared_ptr<const MidiNoticeHandler> handler;
    {
        std::lock_guard lock(noticeMutex_);
        handler = notice_;
    }
    if (handler) (*handler)(notice);
}

void AlsaSeqClient::Wake() {
    if (io_) io_->Wake();
}

void AlsaSeqClient::Read(MidiCancel& stop) {
    std::lock_guard reading(readMutex_);
    if (!io_) {
        // No sequencer: nothing ever arrives.
        while (stop.WaitUntil(MidiCancel::Clock::now() + std::chrono::hours(1))) {
        }
        return;
    }
    auto backOff = std::chrono::duration_cast<MidiClock::Clock::duration>(kFirstBackOff);
    bool failing = false;
    while (!stop.Cancelled()) {
        const AlsaWaitResult wait = io_->Wait();
        if (wait.what == AlsaWait::Woken) continue;
        int error = 0;
        if (wait.what == AlsaWait::Failed) {
            error = wait.error != 0 ? -wait.error : -EIO;
        } else {
            const Taken taken = Take();
            if (taken.listsMayHaveChanged) RefreshLists();
            error = taken.error;
            // An error condition that reading does not clear would wake
            // every poll at once.
            if (error == 0 && wait.what == AlsaWait::DeviceError && taken.events == 0) error = -EIO;
        }
        if (error == 0) {
            if (failing) Notify({MidiNoticeKind::InputRecovered, kOk, "", "MIDI input works again"});
            failing = false;
            backOff = kFirstBackOff;
            continue;
        }
        // Reported once per run of failures; every failure pauses, so a
        // lasting one costs no processor time.
        if (!failing)
            Notify({MidiNoticeKind::InputFailed, kOk, "",
                    "waiting for MIDI input failed (" + ErrorText(error) + "); retrying"});
        failing = true;
        if (!clock_->SleepUntil(clock_->Now() + backOff, stop)) return;
        backOff = std::min<MidiClock::Clock::duration>(backOff * 2, kLongestBackOff);
        io_->Recover();
    }
}

AlsaSeqClient::Taken AlsaSeqClient::Take() {
    Taken taken;
    for (;;) {
        snd_seq_event_t* event = nullptr;
        const int result = io_->Input(event);
        if (result == -EAGAIN) break;
        if (result == -ENOSPC) {
            ++taken.events;
            OnOverrun();
            continue;
        }
        if (result < 0) {
            taken.error = result;
            break;
        }
        if (event == nullptr) break;
        ++taken.events;
        if (event->dest.port == announcePort_) {
            if (OnAnnounce(*event)) taken.listsMayHaveChanged = true;
        } else {
            Dispatch(*event);
        }
    }
    return taken;
}

void AlsaSeqClient::OnOverrun() {
    // The kernel dropped events for this client: the messages under way are
    // incomplete, and whatever waits for a reply must know it is lost.
    std::vector<std::shared_ptr<AlsaPortLink>> links;
    {
        std::lock_guard lock(registerMutex_);
        for (const auto& [own, link] : open_) links.push_back(link);
    }
    for (const auto& link : links) {
        if (!link->in) continue;
        std::lock_guard inputLock(link->in->mutex);
        link->in->framer.Reset();
    }
    Notify({MidiNoticeKind::InputOverrun, kOk, "",
            "input overrun: received messages were lost (input was read too slowly)"});
}

void AlsaSeqClient::Dispatch(const snd_seq_event_t& event) {
    std::shared_ptr<AlsaPortLink> link;
    {
        std::lock_guard lock(registerMutex_);
        const auto found = open_.find(event.dest.port);
        if (found != open_.end()) link = found->second;
    }
    if (!link || !link->in) return;
    const std::vector<uint8_t> bytes = codec_.ToBytes(event);
    if (!bytes.empty()) link->in->Deliver(bytes);
}

bool AlsaSeqClient::OnAnnounce(const snd_seq_event_t& event) {
    switch (event.type) {
    case SND_SEQ_EVENT_CLIENT_EXIT: {
        const int client = event.data.addr.client;
        MarkGoneWhere([client](const AlsaPortLink& l) { return l.client == client; }, "its client went away");
        return true;
    }
    case SND_SEQ_EVENT_PORT_EXIT: {
        const snd_seq_addr_t addr = event.data.addr;
        MarkGoneWhere([addr](const AlsaPortLink& l) { return SameAddress(addr, l.client, l.port); },
                      "the port went away");
        return true;
    }
    case SND_SEQ_EVENT_PORT_UNSUBSCRIBED: {
        // Someone removed the connection: sends would go nowhere.
        const snd_seq_connect_t c = event.data.connect;
        const int self = self_;
        MarkGoneWhere(
            [c, self](const AlsaPortLink& l) {
                return l.input ? SameAddress(c.sender, l.client, l.port) && SameAddress(c.dest, self, l.own)
                               : SameAddress(c.sender, self, l.own) && SameAddress(c.dest, l.client, l.port);
            },
            "the connection was removed");
        return false;
    }
    case SND_SEQ_EVENT_CLIENT_START:
    case SND_SEQ_EVENT_CLIENT_CHANGE:
    case SND_SEQ_EVENT_PORT_START:
    case SND_SEQ_EVENT_PORT_CHANGE: return true;
    default: return false;
    }
}

void AlsaSeqClient::RefreshLists() {
    std::vector<MidiPortInfo> in = Infos(List(true));
    std::vector<MidiPortInfo> out = Infos(List(false));
    if (SameLists(in, seenIn_) && SameLists(out, seenOut_)) return;
    seenIn_ = std::move(in);
    seenOut_ = std::move(out);
    Notify({MidiNoticeKind::PortsChanged, kOk, "", "the MIDI port lists changed"});
}

}  // namespace midiport
