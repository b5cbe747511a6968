#pragma once
// How a simulated reply goes wrong, chosen per kind of reply by tests.

#include <chrono>
#include <cstdint>
#include <optional>

// The kinds of message the simulator sends.
enum class SimReply {
    Identity,        // identity reply
    GlobalDump,      // function 51
    AllDataDump,     // function 50
    ProgramDump,     // function 40 (edit buffer, sent on request of a test)
    LoadCompleted,   // function 23
    WriteCompleted,  // function 21
    Nrpn,            // Bn 63 00, Bn 62 nn, Bn 06 v
};

struct SimFault {
    bool silent = false;                // the device acts but its reply is lost
    std::chrono::milliseconds late{0};  // added to the reply delay
    bool wrongChannel = false;          // 3g of the next channel (g + 1) & 0F; Bn likewise
    bool otherModelId = false;          // the other model's id (identity: its model bytes)
    int lengthDelta = 0;                // < 0: payload bytes cut from the end; > 0: 00 bytes added before F7
    std::optional<std::uint8_t> function;  // replaces the function byte
    bool twice = false;                    // the reply is sent two times

    // Chainable copies with one more fault: SimFault().WithSilence().
    SimFault WithSilence() const {
        auto f = *this;
        f.silent = true;
        return f;
    }
    SimFault WithLate(std::chrono::milliseconds d) const {
        auto f = *this;
        f.late = d;
        return f;
    }
    SimFault WithWrongChannel() const {
        auto f = *this;
        f.wrongChannel = true;
        return f;
    }
    SimFault WithOtherModelId() const {
        auto f = *this;
        f.otherModelId = true;
        return f;
    }
    SimFault WithLengthDelta(int d) const {
        auto f = *this;
        f.lengthDelta = d;
        return f;
    }
    SimFault WithFunction(std::uint8_t b) const {
        auto f = *this;
        f.function = b;
        return f;
    }
    SimFault WithTwice() const {
        auto f = *this;
        f.twice = true;
        return f;
    }
};
