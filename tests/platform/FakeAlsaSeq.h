#pragma once
// A sequencer for tests: a scripted port list, a record of connections and
// of the events put out, a queue of events to receive, and failures on
// demand (refused output, input errors, failed waits). Plus a clock whose
// sleeps cost no real time.
//
// The port list models the kernel's sequencer (Linux 6.1, measured): clients
// are listed by number, the System client (0) first, then Midi Through (14),
// then the clients of the sound cards (16 and up, four numbers a card: a
// virtual raw MIDI card has one client a device), then user programs (128
// and up). Virtual raw MIDI, Midi Through and the ports of user programs are
// typed MIDI_GENERIC|SOFTWARE|PORT (or APPLICATION); only the ports of real
// interfaces (USB, serial) are typed HARDWARE. As in the kernel, what
// arrives for the client (events, announcements) waits in its input until a
// thread reads it; nothing reads on its own.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/midi/AlsaEventCodec.h"
#include "platform/midi/AlsaSeqIo.h"
#include "platform/midi/MidiClock.h"

namespace midiport {

class FakeAlsaSeq : public AlsaSeqIo {
public:
    static constexpr int kSelf = 128;  // this client's id

    // Capabilities and types as the kernel gives them.
    static constexpr unsigned kReadable = SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ;
    static constexpr unsigned kWritable = SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE;
    static constexpr unsigned kDuplex = kReadable | kWritable | SND_SEQ_PORT_CAP_DUPLEX;
    static constexpr unsigned kSoftwareType =
        SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_SOFTWARE | SND_SEQ_PORT_TYPE_PORT;
    static constexpr unsigned kHardwareType =
        SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_HARDWARE | SND_SEQ_PORT_TYPE_PORT;
    static constexpr unsigned kApplicationType =
        SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION;
    static constexpr int kMidiThrough = 14;
    // The first client of sound card `card`.
    static constexpr int CardClient(int card) { return 16 + 4 * card; }

    struct SentEvent {
        int source = -1;  // this client's port
        int type = 0;
        bool toSubscribers = false;
        std::vector<uint8_t> bytes;  // a sysex event's data, else the decoded message
    };
    struct Connection {
        int own;
        int client;
        int port;
        bool input;  // own receives from client:port
    };
    // Gets the bytes of each event put out to client:port, on the thread
    // that put it out, outside the sequencer's lock.
    using PeerHook = std::function<void(const std::vector<uint8_t>& bytes)>;

    // The port list.
    void AddPort(int client, int port, const std::string& clientName, const std::string& portName,
                 unsigned capability, unsigned type);
    // What every kernel has: the System client's timer and announcements,
    // and Midi Through.
    void AddKernelClients();
    // The clients of snd-virmidi as card `card`: "Virtual Raw MIDI c-d",
    // port "VirMIDI c-d", one client for each of `devices` devices.
    void AddVirMidi(int card, int devices);
    // Port `port` of a USB MIDI interface that is card `card`
    // ("name:name MIDI n").
    void AddUsbMidi(int card, const std::string& name, int port = 0);
    // Takes ports out of the list and announces it, as the kernel does.
    void RemoveClient(int client);
    void RemovePort(int client, int port);
    // Queues an announcement of client:port (start, exit, change).
    void Announce(int type, int client, int port);
    // Queues the announcement that the connection from -> to was removed.
    void AnnounceUnsubscribed(snd_seq_addr_t from, snd_seq_addr_t to);

    // Queues an event for this client's port `own`: a channel message, or a
    // chunk of a system-exclusive message (anything else).
    void Receive(int own, const std::vector<uint8_t>& bytes);
    // Queues a failure of Input (-ENOSPC for an overrun, ...).
    void FailInput(int error);
    // Results the next Waits return, before waiting for input again.
    void ScriptWaits(const std::vector<AlsaWaitResult>& results);
    // Decides the result of every Output; only events with a result >= 0
    // are recorded as sent.
    void SetOutputHook(std::function<int(const snd_seq_event_t&)> hook);
    // What is behind client:port (a synth on a cable); null detaches.
    void SetPeer(int client, int port, PeerHook hook);

    std::vector<SentEvent> Sent() const;
    std::vector<Connection> Connections() const;
    int RecoverCalls() const;
    // The port of this client connected to client:port, -1 for none.
    int OwnPortFor(int client, int port) const;
    // The same for an input only.
    int OwnInputFor(int client, int port) const;
    // Returns when the reader has taken everything queued and waits again.
    void Settle();

    // AlsaSeqIo
    int ClientId() override { return kSelf; }
    std::vector<AlsaSeqPort> Ports() override;
    int CreatePort(const char* name, unsigned capability, unsigned type) override;
    int DeletePort(int own) override;
    int ConnectFrom(int own, int client, int port) override;
    int ConnectTo(int own, int client, int port) override;
    int Output(snd_seq_event_t& event) override;
    int Input(snd_seq_event_t*& event) override;
    AlsaWaitResult Wait() override;
    void Wake() override;
    void Recover() override;

private:
    struct Pending {
        snd_seq_event_t event{};
        std::vector<uint8_t> data;
        int error = 0;
    };

    void Queue(Pending pending);
    int Connect(int own, int client, int port, bool input);
    bool Settled() const;
    int AnnouncePort() const;

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<AlsaSeqPort> ports_;
    std::vector<Connection> connections_;
    int nextOwn_ = 0;
    int announcePort_ = -1;
    std::deque<Pending> input_;
    Pending current_;  // what the last Input handed out
    std::deque<AlsaWaitResult> waits_;
    bool waiting_ = false;
    bool woken_ = false;
    int recovers_ = 0;
    std::function<int(const snd_seq_event_t&)> outputHook_;
    std::map<std::pair<int, int>, std::shared_ptr<const PeerHook>> peers_;
    std::vector<SentEvent> sent_;
    AlsaEventCodec codec_;
};

// Sleeps move the time on at once.
class FakeMidiClock : public MidiClock {
public:
    Clock::time_point Now() override;
    bool SleepUntil(Clock::time_point when, MidiCancel& cancel) override;
    Clock::duration Elapsed() const;
    int Sleeps() const;

private:
    mutable std::mutex mutex_;
    const Clock::time_point start_ = Clock::time_point() + std::chrono::hours(1);
    Clock::time_point now_ = start_;
    int sleeps_ = 0;
};

}  // namespace midiport
