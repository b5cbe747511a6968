#pragma once
// A raw MIDI device (/dev/snd/midiCxDy) opened with plain open, read and
// write: the far end of a cable. Non-blocking underneath, so that no call
// hangs when the device goes away (the kernel's unplug waits for every open
// file of the card to be closed): reads and writes wait in poll with a
// bound, and the first sign of the device being gone (ENODEV, an error or
// hang-up from poll) closes the file.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <vector>

class RawMidiFile {
public:
    // A cable's rate: 31250 baud, 10 bits a byte.
    static constexpr std::uint32_t kCableBytesPerSecond = 3125;

    // Opens `path`; see IsOpen and Error.
    explicit RawMidiFile(std::string path);
    ~RawMidiFile();
    RawMidiFile(const RawMidiFile&) = delete;
    RawMidiFile& operator=(const RawMidiFile&) = delete;

    bool IsOpen() const;
    // Why the open failed or the device is gone; empty while it works.
    std::string Error() const;
    const std::string& Path() const { return path_; }

    // Waits up to `wait` for bytes and returns those there, at most `most`
    // (empty when none came or the device is gone).
    std::vector<std::uint8_t> Read(std::chrono::milliseconds wait, std::size_t most = 4096);
    // Writes all of `bytes`, at most `bytesPerSecond` (0: as fast as the
    // device takes them), in pieces of at most `piece` bytes, adding what
    // went out to `written`. False when the device went away or `stop`
    // became true (read between pieces).
    bool Write(std::span<const std::uint8_t> bytes, std::uint32_t bytesPerSecond,
               const std::atomic<bool>* stop = nullptr, std::atomic<std::size_t>* written = nullptr,
               std::size_t piece = 32);
    // Closes the file (the device's unplug can then go on).
    void Close();

private:
    // Waits for `events` on the file: true when ready; false on time-out or
    // when the device is gone (then closed).
    bool WaitFor(short events, std::chrono::milliseconds wait);
    void Gone(const std::string& why);

    std::string path_;
    mutable std::mutex mutex_;  // guards fd_ and error_ (reads and writes come from two threads)
    int fd_ = -1;
    std::string error_;
};
