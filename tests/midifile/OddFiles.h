#pragma once
// Files a library folder may hold that are not ordinary dump files: a FIFO
// (opening it for reading waits for a writer), a huge sparse file, and the
// process's peak memory to see that such a file was not read.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <future>

namespace oddfiles {

// Makes a FIFO at `path`; false when it cannot.
inline bool MakeFifo(const std::filesystem::path& path) { return ::mkfifo(path.c_str(), 0644) == 0; }

// Runs `body` on its own thread. When it has not ended within `bound` (it
// waits in an open of the FIFO at `fifo`), a writer opens the FIFO so the
// waiting open returns and the test can end. True when `body` ended alone.
inline bool EndsWithoutAWriter(const std::filesystem::path& fifo, const std::function<void()>& body,
                               std::chrono::seconds bound = std::chrono::seconds(10)) {
    std::future<void> done = std::async(std::launch::async, body);
    if (done.wait_for(bound) == std::future_status::ready) return true;
    // A reader waits in open(), so a non-blocking writer's open succeeds.
    for (;;) {
        const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (writer >= 0) {
            done.wait();
            ::close(writer);
            return false;
        }
        if (done.wait_for(std::chrono::milliseconds(50)) == std::future_status::ready) return false;
    }
}

// A file of `size` bytes that takes no room on disk (a hole throughout).
inline bool MakeSparseFile(const std::filesystem::path& path, std::uint64_t size) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const bool sized = ::ftruncate(fd, static_cast<off_t>(size)) == 0;
    return ::close(fd) == 0 && sized;
}

// The process's peak resident memory so far, in KiB.
inline long PeakMemoryKiB() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace oddfiles
