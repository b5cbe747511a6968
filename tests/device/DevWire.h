#pragma once
// Reading the messages the simulated synth received.

#include <cstdint>
#include <vector>

#include "simulator/SimSynth.h"

// The function byte of a device message (F0 42 3g model-id function ...),
// or -1 for any other message.
inline int DevFunctionOf(const std::vector<uint8_t>& m) {
    if (m.size() < 5 || m[0] != 0xF0 || m[1] != 0x42) return -1;
    const std::size_t at = m[3] == 0x58 ? 4 : 6;
    return at < m.size() ? m[at] : -1;
}

inline std::vector<std::vector<uint8_t>> DevReceivedWith(const SimSynth& synth, int function) {
    std::vector<std::vector<uint8_t>> found;
    for (const auto& m : synth.Received())
        if (DevFunctionOf(m) == function) found.push_back(m);
    return found;
}
