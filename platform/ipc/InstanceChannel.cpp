#include "platform/ipc/InstanceChannel.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace velkipc {

namespace {

// Closes a descriptor at the end of its scope.
class Fd {
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

bool MakeAddress(const std::string& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.data(), path.size());
    return true;
}

// Waits until `fd` is ready for `events` or the time is up; true when ready.
bool WaitFor(int fd, short events, std::chrono::milliseconds timeout) {
    pollfd entry{fd, events, 0};
    int result;
    do result = ::poll(&entry, 1, static_cast<int>(timeout.count()));
    while (result < 0 && errno == EINTR);
    return result > 0 && (entry.revents & events) != 0;
}

// Reads one short line (up to the first '\n', at most `limit` bytes).
std::string ReadLine(int fd, std::size_t limit, std::chrono::milliseconds timeout) {
    std::string line;
    char c;
    while (line.size() < limit && WaitFor(fd, POLLIN, timeout)) {
        const ssize_t n = ::read(fd, &c, 1);
        if (n <= 0) break;
        line.push_back(c);
        if (c == '\n') break;
    }
    return line;
}

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// True when something listens at `address` (a live first instance).
bool SomeoneListens(const sockaddr_un& address) {
    Fd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (fd.get() < 0) return false;
    return ::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

}  // namespace

bool IsRaiseRequest(std::string_view received) { return received == kRaiseRequest; }

std::string InstanceSocketPath(const char* runtimeDir) {
    if (runtimeDir == nullptr || *runtimeDir == '\0') return {};
    std::string path(runtimeDir);
    if (path.back() != '/') path += '/';
    path += kSocketName;
    sockaddr_un address;
    return MakeAddress(path, address) ? path : std::string();
}

std::unique_ptr<InstanceServer> InstanceServer::Open(const std::string& path, Handler onRaise,
                                                     std::string* error) {
    const auto fail = [error](const std::string& what) {
        if (error) *error = what + ": " + std::strerror(errno);
        return nullptr;
    };
    sockaddr_un address;
    if (!MakeAddress(path, address)) {
        errno = ENAMETOOLONG;
        return fail("socket path \"" + path + "\"");
    }
    Fd listenFd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (listenFd.get() < 0) return fail("socket");
    const auto* raw = reinterpret_cast<const sockaddr*>(&address);
    if (::bind(listenFd.get(), raw, sizeof address) != 0) {
        // A socket file whose owner is gone is left from a crash: replace it.
        if (errno != EADDRINUSE || SomeoneListens(address)) return fail("bind " + path);
        ::unlink(path.c_str());
        if (::bind(listenFd.get(), raw, sizeof address) != 0) return fail("bind " + path);
    }
    ::chmod(path.c_str(), S_IRUSR | S_IWUSR);
    if (::listen(listenFd.get(), 4) != 0) {
        ::unlink(path.c_str());
        return fail("listen");
    }
    Fd stopFd(::eventfd(0, EFD_CLOEXEC));
    if (stopFd.get() < 0) {
        ::unlink(path.c_str());
        return fail("eventfd");
    }
    return std::unique_ptr<InstanceServer>(
        new InstanceServer(path, listenFd.release(), stopFd.release(), std::move(onRaise)));
}

InstanceServer::InstanceServer(std::string path, int listenFd, int stopFd, Handler onRaise)
    : path_(std::move(path)), listenFd_(listenFd), stopFd_(stopFd), onRaise_(std::move(onRaise)) {
    thread_ = std::thread([this] { Serve(); });
}

InstanceServer::~InstanceServer() {
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(stopFd_, &one, sizeof one);
    thread_.join();
    ::unlink(path_.c_str());
    ::close(listenFd_);
    ::close(stopFd_);
}

void InstanceServer::Serve() {
    for (;;) {
        pollfd entries[2] = {{listenFd_, POLLIN, 0}, {stopFd_, POLLIN, 0}};
        if (::poll(entries, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (entries[1].revents != 0) return;
        if ((entries[0].revents & POLLIN) == 0) continue;
        Fd connection(::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC));
        if (connection.get() >= 0) Answer(connection.get());
    }
}

void InstanceServer::Answer(int connection) {
    const std::string request = ReadLine(connection, kRaiseRequest.size(), kRequestTimeout);
    if (!IsRaiseRequest(request)) return;
    if (onRaise_) onRaise_();
    WriteAll(connection, kRaiseReply);
}

bool AskToRaise(const std::string& path, std::chrono::milliseconds timeout) {
    sockaddr_un address;
    if (!MakeAddress(path, address)) return false;
    Fd fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (fd.get() < 0) return false;
    if (::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) return false;
    if (!WriteAll(fd.get(), kRaiseRequest)) return false;
    return ReadLine(fd.get(), kRaiseReply.size(), timeout) == kRaiseReply;
}

}  // namespace velkipc
