#include "simulator/SimPack.h"

#include <algorithm>

std::size_t SimPack::PackedSize(std::size_t n) {
    const std::size_t rest = n % 7;
    return n / 7 * 8 + (rest ? rest + 1 : 0);
}

std::vector<std::uint8_t> SimPack::Pack(std::span<const std::uint8_t> data) {
    std::vector<std::uint8_t> out;
    out.reserve(PackedSize(data.size()));
    for (std::size_t i = 0; i < data.size(); i += 7) {
        const std::size_t n = std::min<std::size_t>(7, data.size() - i);
        std::uint8_t high = 0;
        for (std::size_t k = 0; k < n; ++k)
            if (data[i + k] & 0x80) high |= static_cast<std::uint8_t>(1u << k);
        out.push_back(high);
        for (std::size_t k = 0; k < n; ++k) out.push_back(data[i + k] & 0x7F);
    }
    return out;
}

std::optional<std::vector<std::uint8_t>> SimPack::Unpack(std::span<const std::uint8_t> packed) {
    std::vector<std::uint8_t> out;
    out.reserve(packed.size() / 8 * 7 + 7);
    for (std::size_t i = 0; i < packed.size(); i += 8) {
        const std::size_t n = std::min<std::size_t>(8, packed.size() - i);
        if (n < 2) return std::nullopt;
        const std::uint8_t high = packed[i];
        for (std::size_t k = 1; k < n; ++k) {
            const std::uint8_t bit7 = (high >> (k - 1)) & 1u;
            out.push_back(static_cast<std::uint8_t>((packed[i + k] & 0x7F) | (bit7 << 7)));
        }
    }
    return out;
}
