#pragma once
// The MIDI thread: it is both ports (input and output) and the one thread on
// which every received message reaches the input callback. The port layer
// hands complete messages to it from its own threads; the thread takes them
// in arrival order. Quitting stops and closes the input, closes the output
// and ends the thread.
//
// Sends go out at once on the caller's thread (the output's queue keeps them
// whole and in order), so both the UI thread and the callback may send. The
// thread never waits for another thread.

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "midifile/MidIn.h"
#include "midifile/MidInCallback.h"
#include "midifile/MidOut.h"

class MidIOThread : public MidIn, public MidOut {
public:
    // Pause before each port is opened (tests set it to 0).
    static constexpr std::chrono::milliseconds kOpenPause{300};

    explicit MidIOThread(midiport::MidiBackend& backend);
    // Quits the thread when it runs.
    ~MidIOThread() override;

    // Starts the thread (time-critical priority when the system allows it);
    // 0, also when it already runs.
    int Run();
    // Queues the quit and waits for the thread to end; 0, also when it does
    // not run. Never call it from the callback.
    int Quit();
    bool Running() const;

    // Waits the open pause, stores the callback, opens input `deviceId` and
    // starts it: 0, or the code of the open (1) or of the start (3, 5).
    int OpenIn(int deviceId, MidInCallback callback, void* user);
    // Waits the open pause, opens output `deviceId`: 0 or 1.
    int OpenOut(int deviceId);
    // Sends one message: status below 0xF0 a channel message with its data
    // bytes from `data` (as many as the status needs, at most `length`);
    // 0xF0 a system-exclusive message of `length` bytes after its F0. A
    // status below 0x80, any other status, too few data bytes or a refusal
    // of the port send nothing more and are logged. Returns 0 in every case:
    // callers rely on their transfer time-outs.
    int Send(uint8_t status, const uint8_t* data, std::size_t length);

    void SetOpenPause(std::chrono::milliseconds pause) { openPause_ = pause; }

    // Returns when every message the ports handed over so far has been
    // taken (delivered or dropped). For tests.
    void WaitIdle();

private:
    struct Item {
        bool quit = false;
        uint64_t generation = 0;
        std::vector<uint8_t> message;
    };

    void Post(Item item);
    void Loop();
    void Handle(const Item& item);
    void OnMimData(std::span<const uint8_t> message);
    void OnMimLongData(std::span<const uint8_t> message);

    std::chrono::milliseconds openPause_{kOpenPause};
    MidInCallback callback_ = nullptr;  // guarded by InputLock()
    void* user_ = nullptr;

    mutable std::mutex queueMutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<Item> queue_;
    bool busy_ = false;
    std::thread thread_;
};

// The plain functions of the device configuration: it owns the thread object
// through `thread`.

// Creates and starts the thread when `thread` is empty; 0 (also when a
// thread exists, which is kept).
int MidIOStart(std::unique_ptr<MidIOThread>& thread, midiport::MidiBackend& backend);
// Quits and destroys the thread when there is one; 0.
int MidIOStop(std::unique_ptr<MidIOThread>& thread);
// -1 without a thread; else MidIOThread::OpenIn.
int MidIOOpenIn(MidIOThread* thread, int deviceId, MidInCallback callback, void* user);
// -1 without a thread; else MidIOThread::OpenOut.
int MidIOOpenOut(MidIOThread* thread, int deviceId);
// Nothing without a thread; else MidIOThread::Send. Always 0.
int MidIOSend(MidIOThread* thread, uint8_t status, const uint8_t* data, std::size_t length);
