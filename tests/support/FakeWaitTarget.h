#pragma once
// The device side of a waiting loop as a test drives it: counts the loop's
// calls and reports the input and output progress the test sets.

#include <cstdint>
#include <functional>

#include "uiservices/VelkWaitLoop.h"

namespace velktest {

class FakeWaitTarget : public VelkWaitTarget {
public:
    std::function<void()> onProcessInput;
    int processed = 0;
    int cancels = 0;
    uint64_t progress = 0;             // what InputProgress reports
    uint64_t losses = 0;               // what InputLosses reports
    midiport::MidiOutProgress output;  // what OutputProgress reports

    void ProcessInput() override {
        ++processed;
        if (onProcessInput) onProcessInput();
    }
    void CancelTransfer() override { ++cancels; }
    uint64_t InputProgress() override { return progress; }
    uint64_t InputLosses() const override { return losses; }
    midiport::MidiOutProgress OutputProgress() override { return output; }
};

}  // namespace velktest
