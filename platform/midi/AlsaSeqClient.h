#pragma once
// This program as one client of the ALSA sequencer. It lists the ports of
// the other clients that a synth can be reached through, opens a port by the
// name behind an id of the list it last handed out, keeps the register of
// open ports, and reads the client's input on the thread that calls Read
// (the program's MIDI thread): received events go to the open inputs,
// announcements of the system client mark open ports gone and refresh the
// lists, and a failing wait is reported and retried with a growing pause
// instead of ending the reading or spinning. While no thread reads, the
// kernel keeps what arrives in the client's input pool.

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/midi/AlsaEventCodec.h"
#include "platform/midi/AlsaSeqIo.h"
#include "platform/midi/MidiClock.h"
#include "platform/midi/MidiInPort.h"
#include "platform/midi/MidiInputFramer.h"
#include "platform/midi/MidiNotice.h"
#include "platform/midi/MidiPortInfo.h"

namespace midiport {

// One entry of a port list and the sequencer address behind it.
struct AlsaListedPort {
    MidiPortInfo info;
    int client = 0;
    int port = 0;
};

// An open input's state, shared by the port object and the reading thread.
struct AlsaInput {
    std::mutex mutex;  // held while the handler runs
    bool started = false;
    MidiInHandler handler;
    MidiInputFramer framer;

    void Deliver(std::span<const uint8_t> bytes);
};

// One open port: this client's own port and the peer it is connected to.
struct AlsaPortLink {
    bool input = false;
    std::string name;  // the peer's name as listed
    int client = 0;    // the peer
    int port = 0;
    int own = -1;
    std::shared_ptr<AlsaInput> in;  // inputs only
    std::atomic<bool> gone{false};  // the peer went away or the connection was removed
};

class AlsaSeqClient {
public:
    static constexpr auto kFirstBackOff = std::chrono::milliseconds(10);
    static constexpr auto kLongestBackOff = std::chrono::seconds(1);

    // Without `io` (no sequencer) the lists are empty and nothing opens.
    AlsaSeqClient(std::unique_ptr<AlsaSeqIo> io, std::shared_ptr<MidiClock> clock);

    AlsaSeqClient(const AlsaSeqClient&) = delete;
    AlsaSeqClient& operator=(const AlsaSeqClient&) = delete;

    bool Open() const { return io_ != nullptr; }
    AlsaSeqIo& Io() { return *io_; }
    MidiClock& Clock() { return *clock_; }

    // The current list of inputs (ports others can read from) or outputs;
    // later ids refer to the list handed out last.
    std::vector<MidiPortInfo> HandOut(bool inputs);
    // The name behind `id` in the list handed out last; empty for none.
    std::string HandedName(bool inputs, int id);
    // Connects a new port of this client to port `id` of the list last
    // handed out (the current list when none was), found again by its name
    // in the current list. Null when that name is not there any more or the
    // sequencer refuses.
    std::shared_ptr<AlsaPortLink> Connect(bool input, int id, std::shared_ptr<AlsaInput> in = nullptr);
    // Takes the link out of the register and deletes its own port: false
    // when the sequencer refused the delete.
    bool Disconnect(const std::shared_ptr<AlsaPortLink>& link);
    // Marks an open port gone (once) and reports it.
    void MarkGone(AlsaPortLink& link, const std::string& why);

    // Reads the client's input until `stop` is cancelled and Wake called;
    // one thread at a time.
    void Read(MidiCancel& stop);
    // Makes a Read that waits look at its stop flag.
    void Wake();

    void SetNoticeHandler(MidiNoticeHandler handler);
    // Logs the notice and passes it to the handler.
    void Notify(const MidiNotice& notice);

private:
    struct Taken {
        int events = 0;  // events and overruns taken
        int error = 0;   // the negative errno that ended the taking, 0 for none
        bool listsMayHaveChanged = false;
    };

    std::vector<AlsaListedPort> List(bool inputs);
    Taken Take();
    void OnOverrun();
    void Dispatch(const snd_seq_event_t& event);
    bool OnAnnounce(const snd_seq_event_t& event);
    void MarkGoneWhere(const std::function<bool(const AlsaPortLink&)>& match, const std::string& why);
    void RefreshLists();

    std::unique_ptr<AlsaSeqIo> io_;
    std::shared_ptr<MidiClock> clock_;
    int self_ = -1;
    int announcePort_ = -1;

    std::mutex listMutex_;
    std::optional<std::vector<AlsaListedPort>> handedIn_;
    std::optional<std::vector<AlsaListedPort>> handedOut_;
    std::vector<MidiPortInfo> seenIn_;  // the lists at the last announcement (reading thread)
    std::vector<MidiPortInfo> seenOut_;

    std::mutex registerMutex_;
    std::map<int, std::shared_ptr<AlsaPortLink>> open_;  // by own port

    std::mutex noticeMutex_;
    std::shared_ptr<const MidiNoticeHandler> notice_;

    std::mutex readMutex_;  // held by the reading thread
    AlsaEventCodec codec_;  // reading thread
};

}  // namespace midiport
