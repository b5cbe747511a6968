// The libasound implementation of AlsaSeqIo: the only code that calls the
// sequencer itself.

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <utility>

#include "platform/midi/AlsaSeqIo.h"

namespace midiport {

namespace {

constexpr const char* kSequencerDevice = "/dev/snd/seq";
// Room for a whole-device dump in both directions: the kernel drops events
// silently when a client's pool or buffer runs full.
constexpr int kPoolCells = 2000;
constexpr std::size_t kInputBufferBytes = 1u << 18;
constexpr std::size_t kOutputBufferBytes = 1u << 16;

// A file descriptor closed on destruction.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() {
        if (fd_ >= 0) ::close(fd_);
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    int Get() const { return fd_; }
    int Release() { return std::exchange(fd_, -1); }

private:
    int fd_ = -1;
};

// A libasound info record freed on destruction.
template <typename T, int (*Malloc)(T**), void (*Free)(T*)>
class AlsaInfo {
public:
    AlsaInfo() {
        if (Malloc(&info_) < 0) info_ = nullptr;
    }
    ~AlsaInfo() {
        if (info_ != nullptr) Free(info_);
    }
    AlsaInfo(const AlsaInfo&) = delete;
    AlsaInfo& operator=(const AlsaInfo&) = delete;
    T* Get() const { return info_; }

private:
    T* info_ = nullptr;
};

using ClientInfo = AlsaInfo<snd_seq_client_info_t, snd_seq_client_info_malloc, snd_seq_client_info_free>;
using PortInfo = AlsaInfo<snd_seq_port_info_t, snd_seq_port_info_malloc, snd_seq_port_info_free>;

// Every libasound call on the handle is made under one lock; the poll in
// Wait is not.
class AlsaSeqLib : public AlsaSeqIo {
public:
    AlsaSeqLib(snd_seq_t* seq, int wakeRead, int wakeWrite)
        : seq_(seq), wakeRead_(wakeRead), wakeWrite_(wakeWrite) {
        Recover();
    }
    ~AlsaSeqLib() override { snd_seq_close(seq_); }

    AlsaSeqLib(const AlsaSeqLib&) = delete;
    AlsaSeqLib& operator=(const AlsaSeqLib&) = delete;

    int ClientId() override {
        std::lock_guard lock(mutex_);
        return snd_seq_client_id(seq_);
    }

    std::vector<AlsaSeqPort> Ports() override {
        std::vector<AlsaSeqPort> ports;
        ClientInfo client;
        PortInfo port;
        if (client.Get() == nullptr || port.Get() == nullptr) return ports;
        std::lock_guard lock(mutex_);
        snd_seq_client_info_set_client(client.Get(), -1);
        while (snd_seq_query_next_client(seq_, client.Get()) >= 0) {
            const int id = snd_seq_client_info_get_client(client.Get());
            snd_seq_port_info_set_client(port.Get(), id);
            snd_seq_port_info_set_port(port.Get(), -1);
            while (snd_seq_query_next_port(seq_, port.Get()) >= 0) {
                ports.push_back(
                    {id, snd_seq_port_info_get_port(port.Get()), snd_seq_client_info_get_name(client.Get()),
                     snd_seq_port_info_get_name(port.Get()), snd_seq_port_info_get_capability(port.Get()),
                     snd_seq_port_info_get_type(port.Get())});
            }
        }
        return ports;
    }

    int CreatePort(const char* name, unsigned capability, unsigned type) override {
        std::lock_guard lock(mutex_);
        return snd_seq_create_simple_port(seq_, name, capability, type);
    }
    int DeletePort(int own) override {
        std::lock_guard lock(mutex_);
        return snd_seq_delete_simple_port(seq_, own);
    }
    int ConnectFrom(int own, int client, int port) override {
        std::lock_guard lock(mutex_);
        return snd_seq_connect_from(seq_, own, client, port);
    }
    int ConnectTo(int own, int client, int port) override {
        std::lock_guard lock(mutex_);
        return snd_seq_connect_to(seq_, own, client, port);
    }
    int Output(snd_seq_event_t& event) override {
        std::lock_guard lock(mutex_);
        return snd_seq_event_output_direct(seq_, &event);
    }
    int Input(snd_seq_event_t*& event) override {
        std::lock_guard lock(mutex_);
        event = nullptr;
        const int result = snd_seq_event_input(seq_, &event);
        return result >= 0 && event == nullptr ? -EAGAIN : result;
    }

    AlsaWaitResult Wait() override {
        std::vector<pollfd> fds;
        {
            std::lock_guard lock(mutex_);
            fds = fds_;
        }
        fds[0] = {wakeRead_.Get(), POLLIN, 0};
        for (;;) {
            if (::poll(fds.data(), fds.size(), -1) >= 0) break;
            if (errno != EINTR) return {AlsaWait::Failed, errno};
        }
        if (fds[0].revents != 0) {
            // Taken in full: one Woken for every Wake before it.
            char drained[16];
            while (::read(wakeRead_.Get(), drained, sizeof drained) > 0) {
            }
            return {AlsaWait::Woken, 0};
        }
        for (std::size_t i = 1; i < fds.size(); ++i)
            if ((fds[i].revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) return {AlsaWait::DeviceError, 0};
        return {AlsaWait::Ready, 0};
    }

    void Wake() override {
        const char stop = 1;
        (void)!::write(wakeWrite_.Get(), &stop, 1);
    }

    void Recover() override {
        std::lock_guard lock(mutex_);
        const int count = snd_seq_poll_descriptors_count(seq_, POLLIN);
        fds_.assign(static_cast<std::size_t>(count > 0 ? count : 0) + 1, pollfd{-1, 0, 0});
        const int got =
            snd_seq_poll_descriptors(seq_, fds_.data() + 1, static_cast<unsigned>(fds_.size() - 1), POLLIN);
        fds_.resize(static_cast<std::size_t>(got > 0 ? got : 0) + 1);
    }

private:
    std::mutex mutex_;
    snd_seq_t* seq_;
    UniqueFd wakeRead_;
    UniqueFd wakeWrite_;
    std::vector<pollfd> fds_;  // [0] is the wake pipe's place
};

}  // namespace

std::unique_ptr<AlsaSeqIo> OpenAlsaSeq(const char* clientName) {
    if (::access(kSequencerDevice, F_OK) != 0) return nullptr;
    int fds[2];
    if (::pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0) return nullptr;
    UniqueFd wakeRead(fds[0]);
    UniqueFd wakeWrite(fds[1]);
    snd_seq_t* seq = nullptr;
    if (snd_seq_open(&seq, "default", SND_SEQ_OPEN_DUPLEX, SND_SEQ_NONBLOCK) < 0 || seq == nullptr)
        return nullptr;
    snd_seq_set_client_name(seq, clientName);
    // Enlargements are best effort: the kernel may cap them.
    (void)snd_seq_set_client_pool_output(seq, kPoolCells);
    (void)snd_seq_set_client_pool_input(seq, kPoolCells);
    (void)snd_seq_set_output_buffer_size(seq, kOutputBufferBytes);
    (void)snd_seq_set_input_buffer_size(seq, kInputBufferBytes);
    return std::make_unique<AlsaSeqLib>(seq, wakeRead.Release(), wakeWrite.Release());
}

}  // namespace midiport
