#pragma once
// What the identity reply told about the connected synth, plus the packed
// size of the last all-data dump seen (it decides how a whole device is sent
// back). Everything is 0 before identification.

#include <cstddef>
#include <cstdint>
#include <span>

struct MDevModelInfo {
    static constexpr int kBrontisel = 0;
    static constexpr int kBrontiselS = 1;

    int modelIndex = 0;               // kBrontisel or kBrontiselS
    int modelIdLength = 0;            // L: 1 (58) or 3 (00 01 40); 0 before identification
    int programCount = 0;             // 128 or 256
    std::size_t lastAllDataSize = 0;  // 37386 or 74314, set by every all-data dump seen

    bool IsModelS() const { return modelIndex == kBrontiselS; }
    bool IsIdentified() const { return modelIdLength != 0; }

    // Takes model index, L and program count from the four model bytes of an
    // identity reply (family low, family high, member low, member high).
    // Unknown bytes change nothing and answer false. The last all-data size
    // is left as it is.
    bool Identify(std::span<const uint8_t, 4> modelBytes);
};
