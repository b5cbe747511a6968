#pragma once
// The acceptance rules for system-exclusive messages received from the synth
// or read from a dump file. Pure functions: the caller passes what the rules
// depend on and applies the verdict itself.
//
// A message is given as its bytes through the closing F7; a leading F0 is
// optional and skipped (no other byte of a system-exclusive message can be
// F0). Byte k below is the k-th byte after F0 and n the count of bytes after
// F0, the F7 included.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "device/MDevModelInfo.h"

struct MDevSysExVerdict {
    bool accepted = false;
    uint8_t function = 0;              // byte d + 2
    int idLength = 0;                  // d: 1 (58) or 3 (00 01 40)
    std::span<const uint8_t> payload;  // packed payload inside the message; empty for 21 and 23
    // S of an all-data dump (function 50): reported once the header and
    // function are recognised, also when the length rule then rejects it,
    // since the receiver records it either way.
    std::size_t allDataSize = 0;
};

class MDevSysExClassifier {
public:
    // Device messages: 42, 30 + g, model id, function byte, payload, F7.
    // channel is the stored channel byte (g = its low four bits), model the
    // identified model (its L), loadProgram the flag that admits a current
    // program dump. Accepted functions and their length rules:
    //   21 write completed, 23 data load completed: no length rule, no payload;
    //   40 current program dump: loadProgram and n = d + 295;
    //   50 all-data dump: n = S + d + 4 with S = 74314 for d = 3, else 37386;
    //   51 global dump: L != 0, d = L and n = L + 233.
    // Every length rule also requires F7 as the last byte. The model id is
    // 00 01 40 (d = 3) or 58 (d = 1); anything else is ignored.
    static MDevSysExVerdict Classify(std::span<const uint8_t> message, uint8_t channel,
                                     const MDevModelInfo& model, bool loadProgram);

    struct IdentityReply {
        uint8_t channel = 0;  // byte c of the reply; its low four bits are g
        std::array<uint8_t, 4> modelBytes{};
    };
    // Universal identity reply: n = 14, bytes 7E c 06 02 42, four model
    // bytes, four version bytes (not tested), F7. Answers false for any
    // other message and for model bytes of no known model.
    static bool ParseIdentityReply(std::span<const uint8_t> message, IdentityReply& reply);
    // ParseIdentityReply, then on success stores c as the channel byte and
    // the model in model (its last all-data size stays). On failure nothing
    // changes.
    static bool ApplyIdentityReply(std::span<const uint8_t> message, uint8_t& channel, MDevModelInfo& model);
};
