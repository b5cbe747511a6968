#pragma once
// A sequencer for tests: a scripted port list, a record of connections and
// of the events put out, a queue of events to receive, and failures on
// demand (refused output, input errors, failed waits). Plus a clock whose
// sleeps cost no real time.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
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
    };

    // The port list.
    void AddPort(int client, int port, const std::string& clientName, const std::string& portName, unsigned capability,
                 unsigned type = SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_HARDWARE);
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

    std::vector<SentEvent> Sent() const;
    std::vector<Connection> Connections() const;
    int RecoverCalls() const;
    // The port of this client connected to client:port, -1 for none.
    int OwnPortFor(int client, int port) const;
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
    int Connect(int own, int client, int port);
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
