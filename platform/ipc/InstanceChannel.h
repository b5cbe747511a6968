#pragma once
// The channel between two starts of the program for one user: the first
// instance listens on a Unix socket in the user's private folder (see
// InstanceLock.h); a second start connects, asks it to come to the front
// and ends. The request and the reply are one short line each; anything
// else is ignored.

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

namespace velkipc {

inline constexpr std::string_view kRaiseRequest = "velk-raise\n";
inline constexpr std::string_view kRaiseReply = "ok\n";
inline constexpr const char* kSocketName = "velk-editor.sock";

// True when `received` is exactly the raise request.
bool IsRaiseRequest(std::string_view received);

// `runtimeDir`/kSocketName; empty when there is no folder (null or empty)
// or the path is too long for a socket address.
std::string InstanceSocketPath(const char* runtimeDir);

// The first instance's end: listens until destroyed, then removes the socket.
class InstanceServer {
public:
    // Runs on the server's own thread for each raise request, before the
    // reply is sent: queue the real work to the user-interface thread.
    using Handler = std::function<void()>;

    // Listens at `path`, replacing a socket left behind by an instance that
    // ended without removing it. Null with `error` set on failure.
    static std::unique_ptr<InstanceServer> Open(const std::string& path, Handler onRaise, std::string* error);
    ~InstanceServer();
    InstanceServer(const InstanceServer&) = delete;
    InstanceServer& operator=(const InstanceServer&) = delete;

    // How long one connection may take to send its request.
    static constexpr std::chrono::milliseconds kRequestTimeout{1000};

private:
    InstanceServer(std::string path, int listenFd, int stopFd, Handler onRaise);
    void Serve();
    void Answer(int connection);

    std::string path_;
    int listenFd_;
    int stopFd_;  // eventfd that ends the thread
    Handler onRaise_;
    std::thread thread_;
};

// A second start's end: asks the instance listening at `path` to come to the
// front. True when it acknowledged within `timeout`; false when nobody
// listens (the first instance is still starting, or has ended).
bool AskToRaise(const std::string& path, std::chrono::milliseconds timeout);

}  // namespace velkipc
