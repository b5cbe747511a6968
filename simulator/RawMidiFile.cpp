#include "simulator/RawMidiFile.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>
#include <utility>

namespace {

bool IsGoneError(int error) { return error == ENODEV || error == ENXIO || error == EBADF || error == EIO; }

}  // namespace

RawMidiFile::RawMidiFile(std::string path) : path_(std::move(path)) {
    fd_ = ::open(path_.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        error_ = "cannot open " + path_ + ": " + std::strerror(errno);
        return;
    }
    // Input starts with the first poll or read: a virtual raw MIDI device
    // drops what arrives before (measured), a synth listens from power-on.
    pollfd p{fd_, POLLIN, 0};
    (void)::poll(&p, 1, 0);
}

RawMidiFile::~RawMidiFile() { Close(); }

bool RawMidiFile::IsOpen() const {
    std::lock_guard lock(mutex_);
    return fd_ >= 0;
}

std::string RawMidiFile::Error() const {
    std::lock_guard lock(mutex_);
    return error_;
}

void RawMidiFile::Close() {
    std::lock_guard lock(mutex_);
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

void RawMidiFile::Gone(const std::string& why) {
    std::lock_guard lock(mutex_);
    if (fd_ < 0) return;
    ::close(fd_);
    fd_ = -1;
    error_ = path_ + " went away (" + why + ")";
}

bool RawMidiFile::WaitFor(short events, std::chrono::milliseconds wait) {
    int fd;
    {
        std::lock_guard lock(mutex_);
        fd = fd_;
    }
    if (fd < 0) return false;
    pollfd p{fd, events, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(wait.count()));
    if (ready < 0) return false;  // EINTR: the caller looks again
    if (ready == 0) return false;
    if ((p.revents & (POLLERR | POLLHUP | POLLNVAL)) != 0) {
        Gone("poll reported an error or hang-up");
        return false;
    }
    return (p.revents & events) != 0;
}

std::vector<std::uint8_t> RawMidiFile::Read(std::chrono::milliseconds wait, std::size_t most) {
    std::vector<std::uint8_t> bytes;
    if (most == 0 || !WaitFor(POLLIN, wait)) return bytes;
    std::uint8_t buffer[4096];
    std::unique_lock lock(mutex_);
    if (fd_ < 0) return bytes;
    const ssize_t got = ::read(fd_, buffer, std::min(most, sizeof buffer));
    const int error = errno;
    lock.unlock();
    if (got > 0) bytes.assign(buffer, buffer + got);
    else if (got < 0 && IsGoneError(error)) Gone(std::strerror(error));
    return bytes;
}

bool RawMidiFile::Write(std::span<const std::uint8_t> bytes, std::uint32_t bytesPerSecond,
                        const std::atomic<bool>* stop, std::atomic<std::size_t>* written, std::size_t piece) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    std::size_t done = 0;
    while (done < bytes.size()) {
        if (stop != nullptr && stop->load()) return false;
        if (bytesPerSecond > 0) {
            // Not ahead of the cable: byte n leaves at n / rate.
            const auto due =
                start + std::chrono::duration_cast<Clock::duration>(
                            std::chrono::duration<double>(static_cast<double>(done) / bytesPerSecond));
            std::this_thread::sleep_until(due);
        }
        const std::size_t n = std::min(piece, bytes.size() - done);
        std::unique_lock lock(mutex_);
        if (fd_ < 0) return false;
        const ssize_t put = ::write(fd_, bytes.data() + done, n);
        const int error = errno;
        lock.unlock();
        if (put > 0) {
            done += static_cast<std::size_t>(put);
            if (written != nullptr) *written += static_cast<std::size_t>(put);
        } else if (put < 0 && error == EAGAIN) {
            WaitFor(POLLOUT, std::chrono::milliseconds(100));
        } else if (put < 0 && error != EINTR) {
            if (IsGoneError(error)) Gone(std::strerror(error));
            return false;
        }
        if (!IsOpen()) return false;
    }
    return true;
}
