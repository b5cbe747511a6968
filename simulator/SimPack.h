#pragma once
// 7-bit packing as the synthesizer does it, written independently of the
// system's device code so that tests against the simulator are not circular.
// Each group of up to 7 data bytes becomes 1 + n wire bytes: first a byte
// holding bit 7 of each data byte (bit k for byte k), then the bytes with
// bit 7 cleared.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

class SimPack {
public:
    // Wire size of n data bytes.
    static std::size_t PackedSize(std::size_t n);
    static std::vector<std::uint8_t> Pack(std::span<const std::uint8_t> data);
    // Unpacks a whole packed stream; nullopt when its size is no packed size
    // (a last group of a single byte carries nothing).
    static std::optional<std::vector<std::uint8_t>> Unpack(std::span<const std::uint8_t> packed);
};
