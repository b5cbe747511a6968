#include "platform/midi/AlsaMidiBackend.h"

#include <alsa/asoundlib.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/midi/MidiInputFramer.h"
#include "platform/midi/MidiMessage.h"
#include "platform/midi/MidiPacedWriter.h"
#include "platform/midi/MidiPortNames.h"
#include "platform/midi/MidiResult.h"
#include "platform/midi/MidiSendQueue.h"

namespace midiport {

namespace {

constexpr const char* kSequencerDevice = "/dev/snd/seq";
constexpr const char* kClientName = "VELK Editor";
// Room for a whole-device dump in both directions: the kernel drops events
// silently when a client's pool or buffer runs full.
constexpr int kPoolCells = 2000;
constexpr std::size_t kInputBufferBytes = 1u << 18;
constexpr std::size_t kOutputBufferBytes = 1u << 16;
constexpr std::size_t kDecodeBytes = 16;  // any event but a sysex
constexpr auto kFullRetry = std::chrono::milliseconds(1);
constexpr int kFullRetries = 2000;

// A file descriptor closed on destruction.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() {
        if (fd_ >= 0) ::close(fd_);
    }
    UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    int Get() const { return fd_; }

private:
    int fd_ = -1;
};

struct ListedPort {
    MidiPortInfo info;
    int client = 0;
    int port = 0;
};

// An input's state, shared by the port object and the reader thread.
struct AlsaInput {
    std::mutex mutex;
    bool started = false;
    MidiInHandler handler;
    MidiInputFramer framer;

    void Deliver(std::span<const uint8_t> bytes) {
        std::lock_guard lock(mutex);
        if (started && handler) framer.Feed(bytes, handler);
    }
};

}  // namespace

// The sequencer client: the handle, the reader thread and the open inputs.
// Every libasound call on the handle is made under one lock.
class AlsaMidiBackend::Sequencer {
public:
    Sequencer() {
        if (::access(kSequencerDevice, F_OK) != 0) return;
        snd_seq_t* seq = nullptr;
        if (snd_seq_open(&seq, "default", SND_SEQ_OPEN_DUPLEX, SND_SEQ_NONBLOCK) < 0 || seq == nullptr) return;
        seq_ = seq;
        snd_seq_set_client_name(seq_, kClientName);
        client_ = snd_seq_client_id(seq_);
        // Enlargements are best effort: the kernel may cap them.
        (void)snd_seq_set_client_pool_output(seq_, kPoolCells);
        (void)snd_seq_set_client_pool_input(seq_, kPoolCells);
        (void)snd_seq_set_output_buffer_size(seq_, kOutputBufferBytes);
        (void)snd_seq_set_input_buffer_size(seq_, kInputBufferBytes);
        if (snd_midi_event_new(kDecodeBytes, &decoder_) == 0) snd_midi_event_no_status(decoder_, 1);
        int fds[2];
        if (::pipe2(fds, O_NONBLOCK | O_CLOEXEC) == 0) {
            wakeRead_ = UniqueFd(fds[0]);
            wakeWrite_ = UniqueFd(fds[1]);
            reader_ = std::thread([this] { ReadLoop(); });
        }
    }

    ~Sequencer() {
        if (reader_.joinable()) {
            const char stop = 1;
            (void)!::write(wakeWrite_.Get(), &stop, 1);
            reader_.join();
        }
        if (decoder_ != nullptr) snd_midi_event_free(decoder_);
        if (seq_ != nullptr) snd_seq_close(seq_);
    }

    Sequencer(const Sequencer&) = delete;
    Sequencer& operator=(const Sequencer&) = delete;

    bool Open() const { return seq_ != nullptr && reader_.joinable(); }

    // The ports others can read from (inputs = true) or write to, without
    // this client's own and the system client's.
    std::vector<ListedPort> List(bool inputs) {
        std::vector<ListedPort> ports;
        if (!Open()) return ports;
        std::lock_guard lock(libMutex_);
        snd_seq_client_info_t* client = nullptr;
        snd_seq_port_info_t* port = nullptr;
        if (snd_seq_client_info_malloc(&client) < 0) return ports;
        if (snd_seq_port_info_malloc(&port) < 0) {
            snd_seq_client_info_free(client);
            return ports;
        }
        const unsigned need = inputs ? (SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ)
                                     : (SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE);
        snd_seq_client_info_set_client(client, -1);
        while (snd_seq_query_next_client(seq_, client) >= 0) {
            const int id = snd_seq_client_info_get_client(client);
            if (id == client_ || id == SND_SEQ_CLIENT_SYSTEM) continue;
            snd_seq_port_info_set_client(port, id);
            snd_seq_port_info_set_port(port, -1);
            while (snd_seq_query_next_port(seq_, port) >= 0) {
                const unsigned caps = snd_seq_port_info_get_capability(port);
                if ((caps & need) != need || (caps & SND_SEQ_PORT_CAP_NO_EXPORT) != 0) continue;
                ListedPort listed;
                listed.info.name = std::string(snd_seq_client_info_get_name(client)) + ":" +
                                   snd_seq_port_info_get_name(port);
                listed.info.hardware = (snd_seq_port_info_get_type(port) & SND_SEQ_PORT_TYPE_HARDWARE) != 0;
                listed.client = id;
                listed.port = snd_seq_port_info_get_port(port);
                ports.push_back(std::move(listed));
            }
        }
        snd_seq_port_info_free(port);
        snd_seq_client_info_free(client);
        std::vector<std::string> names;
        for (const ListedPort& p : ports) names.push_back(p.info.name);
        names = MakeUniquePortNames(names);
        for (std::size_t i = 0; i < ports.size(); ++i) ports[i].info.name = names[i];
        return ports;
    }

    // This client's port connected from (input) or to (output) `peer`;
    // -1 on failure.
    int Connect(const ListedPort& peer, bool input) {
        std::lock_guard lock(libMutex_);
        const unsigned caps = input ? (SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE)
                                    : (SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ);
        const int own = snd_seq_create_simple_port(seq_, input ? "VELK In" : "VELK Out", caps,
                                                   SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
        if (own < 0) return -1;
        const int connected = input ? snd_seq_connect_from(seq_, own, peer.client, peer.port)
                                    : snd_seq_connect_to(seq_, own, peer.client, peer.port);
        if (connected < 0) {
            snd_seq_delete_simple_port(seq_, own);
            return -1;
        }
        return own;
    }

    bool DeletePort(int own) {
        std::lock_guard lock(libMutex_);
        return snd_seq_delete_simple_port(seq_, own) >= 0;
    }

    void AddInput(int own, std::shared_ptr<AlsaInput> input) {
        std::lock_guard lock(inputsMutex_);
        inputs_[own] = std::move(input);
    }

    void RemoveInput(int own) {
        std::lock_guard lock(inputsMutex_);
        inputs_.erase(own);
    }

    // Puts one event out at once; false when the sequencer refused it.
    // `wait` pauses between tries while the kernel's pool is full and
    // returns false to give up.
    template <typename Wait>
    bool Output(snd_seq_event_t& event, Wait&& wait) {
        for (int tries = 0; tries < kFullRetries; ++tries) {
            int result;
            {
                std::lock_guard lock(libMutex_);
                result = snd_seq_event_output_direct(seq_, &event);
            }
            if (result >= 0) return true;
            if (result != -EAGAIN || !wait(std::chrono::steady_clock::now() + kFullRetry)) return false;
        }
        return false;
    }

private:
    struct Received {
        int port;
        std::vector<uint8_t> bytes;
        bool lost;  // the kernel dropped input before it
    };

    // Takes what the sequencer has ready, as bytes per destination port.
    std::vector<Received> Take() {
        std::vector<Received> taken;
        std::lock_guard lock(libMutex_);
        for (;;) {
            snd_seq_event_t* event = nullptr;
            const int result = snd_seq_event_input(seq_, &event);
            if (result == -ENOSPC) {
                // Overrun: the messages under way are incomplete.
                taken.push_back({-1, {}, true});
                continue;
            }
            if (result < 0 || event == nullptr) break;
            Received r{event->dest.port, {}, false};
            if (event->type == SND_SEQ_EVENT_SYSEX) {
                const auto* data = static_cast<const uint8_t*>(event->data.ext.ptr);
                if (data != nullptr) r.bytes.assign(data, data + event->data.ext.len);
            } else if (decoder_ != nullptr) {
                unsigned char buffer[kDecodeBytes];
                const long n = snd_midi_event_decode(decoder_, buffer, sizeof buffer, event);
                if (n > 0) r.bytes.assign(buffer, buffer + n);
            }
            if (!r.bytes.empty()) taken.push_back(std::move(r));
        }
        return taken;
    }

    void ReadLoop() {
        std::vector<pollfd> fds;
        {
            std::lock_guard lock(libMutex_);
            const int count = snd_seq_poll_descriptors_count(seq_, POLLIN);
            fds.resize(static_cast<std::size_t>(count > 0 ? count : 0) + 1);
            const int got = snd_seq_poll_descriptors(seq_, fds.data() + 1, static_cast<unsigned>(count), POLLIN);
            fds.resize(static_cast<std::size_t>(got > 0 ? got : 0) + 1);
        }
        fds[0] = {wakeRead_.Get(), POLLIN, 0};
        for (;;) {
            if (::poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR) return;
            if ((fds[0].revents & POLLIN) != 0) return;
            for (Received& r : Take()) {
                std::lock_guard lock(inputsMutex_);
                if (r.lost) {
                    for (auto& [own, input] : inputs_) {
                        std::lock_guard inputLock(input->mutex);
                        input->framer.Reset();
                    }
                    continue;
                }
                const auto found = inputs_.find(r.port);
                if (found != inputs_.end()) found->second->Deliver(r.bytes);
            }
        }
    }

    snd_seq_t* seq_ = nullptr;
    int client_ = -1;
    snd_midi_event_t* decoder_ = nullptr;
    std::mutex libMutex_;
    std::mutex inputsMutex_;
    std::map<int, std::shared_ptr<AlsaInput>> inputs_;
    UniqueFd wakeRead_;
    UniqueFd wakeWrite_;
    std::thread reader_;
};

namespace {

class AlsaInPort : public MidiInPort {
public:
    AlsaInPort(std::shared_ptr<AlsaMidiBackend::Sequencer> seq, int own, std::shared_ptr<AlsaInput> input)
        : seq_(std::move(seq)), own_(own), input_(std::move(input)) {}
    ~AlsaInPort() override { Close(); }

    int Start() override {
        std::lock_guard lock(input_->mutex);
        if (!open_ || input_->started) return kBadState;
        input_->framer.Reset();
        input_->started = true;
        return kOk;
    }
    int Reset() override {
        std::lock_guard lock(input_->mutex);
        input_->started = false;
        input_->framer.Reset();
        return kOk;
    }
    int Close() override {
        if (!open_) return kOk;
        seq_->RemoveInput(own_);
        {
            std::lock_guard lock(input_->mutex);
            input_->started = false;
            input_->handler = nullptr;
        }
        seq_->DeletePort(own_);
        open_ = false;
        return kOk;
    }

private:
    std::shared_ptr<AlsaMidiBackend::Sequencer> seq_;
    int own_;
    std::shared_ptr<AlsaInput> input_;
    bool open_ = true;
};

class AlsaOutPort : public MidiOutPort {
public:
    AlsaOutPort(std::shared_ptr<AlsaMidiBackend::Sequencer> seq, int own, uint32_t bytesPerSecond)
        : seq_(std::move(seq)), own_(own), pacer_(bytesPerSecond) {
        if (snd_midi_event_new(kDecodeBytes, &encoder_) < 0) encoder_ = nullptr;
        queue_ = std::make_unique<MidiSendQueue>([this](std::vector<uint8_t>& m) { Write(m); });
        writerQueue_ = queue_.get();
    }
    ~AlsaOutPort() override {
        Close();
        if (encoder_ != nullptr) snd_midi_event_free(encoder_);
    }

    int SendShort(std::span<const uint8_t> message) override {
        if (!IsChannelMessage(message)) return kBadMessage;
        return Queue(std::vector<uint8_t>(message.begin(), message.end()));
    }
    int SendSysEx(std::vector<uint8_t> message) override {
        if (!IsSysExMessage(message)) return kBadMessage;
        return Queue(std::move(message));
    }
    int Close() override {
        std::lock_guard lock(mutex_);
        if (!queue_) return kOk;
        // Ends the message in hand at its next chunk and joins the writer.
        queue_.reset();
        seq_->DeletePort(own_);
        return kOk;
    }

private:
    int Queue(std::vector<uint8_t> message) {
        std::lock_guard lock(mutex_);
        if (!queue_) return kSendRefused;
        queue_->Push(std::move(message));
        return kOk;
    }

    // On the writer thread.
    void Write(const std::vector<uint8_t>& message) {
        const bool sysex = message.front() == kSysExStart;
        // Not queue_: Close empties that while it waits for this thread.
        const auto wait = [this](MidiPacer::Clock::time_point until) { return writerQueue_->SleepUntil(until); };
        MidiPacedWriter writer(pacer_, {[] { return MidiPacer::Clock::now(); }, wait,
                                        [&](std::span<const uint8_t> chunk) { return Put(chunk, sysex, wait); }});
        writer.Write(message);
        pacer_ = writer.Pacer();
    }

    template <typename Wait>
    bool Put(std::span<const uint8_t> chunk, bool sysex, Wait& wait) {
        snd_seq_event_t event;
        snd_seq_ev_clear(&event);
        if (sysex) {
            snd_seq_ev_set_sysex(&event, static_cast<unsigned>(chunk.size()),
                                 const_cast<uint8_t*>(chunk.data()));
        } else {
            if (encoder_ == nullptr) return false;
            snd_midi_event_reset_encode(encoder_);
            if (snd_midi_event_encode(encoder_, chunk.data(), static_cast<long>(chunk.size()), &event) <= 0 ||
                event.type == SND_SEQ_EVENT_NONE)
                return false;
        }
        snd_seq_ev_set_source(&event, static_cast<unsigned char>(own_));
        snd_seq_ev_set_subs(&event);
        snd_seq_ev_set_direct(&event);
        return seq_->Output(event, wait);
    }

    std::shared_ptr<AlsaMidiBackend::Sequencer> seq_;
    int own_;
    MidiPacer pacer_;  // writer thread only
    snd_midi_event_t* encoder_ = nullptr;
    std::mutex mutex_;
    std::unique_ptr<MidiSendQueue> queue_;
    MidiSendQueue* writerQueue_ = nullptr;  // the writer's own queue, for its waits
};

}  // namespace

AlsaMidiBackend::AlsaMidiBackend(uint32_t bytesPerSecond)
    : seq_(std::make_shared<Sequencer>()), bytesPerSecond_(bytesPerSecond) {}

AlsaMidiBackend::~AlsaMidiBackend() = default;

bool AlsaMidiBackend::Available() const {
    return seq_->Open();
}

std::vector<MidiPortInfo> AlsaMidiBackend::Inputs() {
    std::vector<MidiPortInfo> result;
    for (ListedPort& p : seq_->List(true)) result.push_back(std::move(p.info));
    return result;
}

std::vector<MidiPortInfo> AlsaMidiBackend::Outputs() {
    std::vector<MidiPortInfo> result;
    for (ListedPort& p : seq_->List(false)) result.push_back(std::move(p.info));
    return result;
}

int AlsaMidiBackend::OpenIn(int id, MidiInHandler handler, std::unique_ptr<MidiInPort>& port) {
    if (!seq_->Open() || !handler || id < 0) return kOpenRefused;
    const std::vector<ListedPort> ports = seq_->List(true);
    if (static_cast<std::size_t>(id) >= ports.size()) return kOpenRefused;
    const int own = seq_->Connect(ports[static_cast<std::size_t>(id)], true);
    if (own < 0) return kOpenRefused;
    auto input = std::make_shared<AlsaInput>();
    input->handler = std::move(handler);
    seq_->AddInput(own, input);
    port = std::make_unique<AlsaInPort>(seq_, own, std::move(input));
    return kOk;
}

int AlsaMidiBackend::OpenOut(int id, std::unique_ptr<MidiOutPort>& port) {
    if (!seq_->Open() || id < 0) return kOpenRefused;
    const std::vector<ListedPort> ports = seq_->List(false);
    if (static_cast<std::size_t>(id) >= ports.size()) return kOpenRefused;
    const int own = seq_->Connect(ports[static_cast<std::size_t>(id)], false);
    if (own < 0) return kOpenRefused;
    port = std::make_unique<AlsaOutPort>(seq_, own, bytesPerSecond_);
    return kOk;
}

}  // namespace midiport
