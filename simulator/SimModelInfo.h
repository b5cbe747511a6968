#pragma once
// What distinguishes the two simulated models on the wire.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

enum class SimModel { Brontisel, BrontiselS };

inline constexpr std::size_t kSimProgramSize = 254;
inline constexpr std::size_t kSimGlobalSize = 200;

using SimProgramRecord = std::array<std::uint8_t, kSimProgramSize>;
using SimGlobalRecord = std::array<std::uint8_t, kSimGlobalSize>;

struct SimModelInfo {
    std::span<const std::uint8_t> modelId;      // 58, or 00 01 40
    std::array<std::uint8_t, 4> identityModel;  // family and member bytes of the identity reply
    int programCount;                           // 128 or 256
    bool allDataHasGlobal;                      // the all-data dump ends with the global record

    static const SimModelInfo& Of(SimModel model);
    static SimModel Other(SimModel model);
    // Unpacked bytes of the all-data dump (programs, then the global if any).
    std::size_t AllDataSize() const;
};
