#pragma once
// Reads a backend's inputs on a thread of its own, as the program's MIDI
// thread does, for tests of the port layer without the rest of the program.

#include <thread>

#include "platform/midi/MidiBackend.h"
#include "platform/midi/MidiClock.h"

namespace midiport {

class InputReader {
public:
    explicit InputReader(MidiBackend& backend)
        : backend_(backend), thread_([this] { backend_.ReadInput(stop_); }) {}
    ~InputReader() {
        stop_.Cancel();
        backend_.WakeInput();
        thread_.join();
    }
    InputReader(const InputReader&) = delete;
    InputReader& operator=(const InputReader&) = delete;

private:
    MidiBackend& backend_;
    MidiCancel stop_;
    std::thread thread_;
};

}  // namespace midiport
