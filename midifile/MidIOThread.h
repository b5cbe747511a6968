#pragma once
// The MIDI thread: the one thread of the program that reads MIDI input. The
// object is both ports (input and output). Its thread reads the port layer
// (MidiBackend::ReadInput), which frames what the input received, and hands
// each whole message to the input callback on the spot: there is no queue of
// its own between the port and the callback. Quitting ends the reading; the
// thread then stops and closes the input and closes the output, and ends.
//
// Sends go out at once on the caller's thread (the output's queue keeps them
// whole and in order, its writer thread paces them), so both the UI thread
// and the callback may send. The thread never waits for another thread.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <thread>

#include "midifile/MidIn.h"
#include "midifile/MidInCallback.h"
#include "midifile/MidOut.h"
#include "platform/midi/MidiClock.h"

class MidIOThread;

// The plain functions of the device configuration: it owns the thread object
// through `thread`.

// Creates and starts the thread when `thread` is empty, with the pause its
// opens wait; 0 (also when a thread exists, which is kept).
int MidIOStart(std::unique_ptr<MidIOThread>& thread, midiport::MidiBackend& backend,
               std::chrono::milliseconds openPause);
// Quits and destroys the thread when there is one; 0. Never call it from
// the callback.
int MidIOStop(std::unique_ptr<MidIOThread>& thread);
// -1 without a thread. Waits the open pause, opens input `deviceId` with
// `callback` and starts it: 0, or the code of the open (1) or of the start
// (3, 5).
int MidIOOpenIn(MidIOThread* thread, int deviceId, MidInCallback callback);
// -1 without a thread. Waits the open pause, opens output `deviceId`: 0 or 1.
int MidIOOpenOut(MidIOThread* thread, int deviceId);
// Sends one message: status below 0xF0 a channel message with its data
// bytes from `data` (as many as the status needs, at most `length`); 0xF0 a
// system-exclusive message of `length` bytes after its F0. No thread, a
// status below 0x80, any other status, too few data bytes or a refusal of
// the port send nothing (all but the first are logged). Returns 0 in every
// case: callers rely on their transfer time-outs.
int MidIOSend(MidIOThread* thread, uint8_t status, const uint8_t* data, std::size_t length);

class MidIOThread : public MidIn, public MidOut {
public:
    // Pause before each port is opened.
    static constexpr std::chrono::milliseconds kOpenPause{300};

    MidIOThread(midiport::MidiBackend& backend, std::chrono::milliseconds openPause);
    // Quits the thread when it runs.
    ~MidIOThread() override;

    // Starts the thread (time-critical priority when the system allows it);
    // 0, also when it already runs.
    int Run();
    // Ends the reading and waits for the thread to end, which closes both
    // ports first; 0, also when it does not run. Never call it from the
    // callback.
    int Quit();
    bool Running() const;

private:
    friend int MidIOOpenIn(MidIOThread* thread, int deviceId, MidInCallback callback);
    friend int MidIOOpenOut(MidIOThread* thread, int deviceId);

    void Loop(midiport::MidiCancel& stop);
    // The input's handler, on this thread: a channel message or a whole
    // system-exclusive message to the callback.
    static void OnMimData(const MidInCallback& callback, std::span<const uint8_t> message);
    static void OnMimLongData(const MidInCallback& callback, std::span<const uint8_t> message);

    midiport::MidiBackend& backend_;
    const std::chrono::milliseconds openPause_;
    mutable std::mutex mutex_;                    // guards the two below
    std::unique_ptr<midiport::MidiCancel> stop_;  // of the running thread
    std::thread thread_;
};
