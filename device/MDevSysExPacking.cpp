#include "device/MDevSysExPacking.h"

#include <algorithm>

std::size_t MDevSysExPacking::Pack8to7(std::span<uint8_t> dest, std::span<const uint8_t> source) {
    const std::size_t packedSize = PackedSize(source.size());
    if (dest.size() < packedSize) return 0;
    std::size_t in = 0;
    std::size_t out = 0;
    while (in < source.size()) {
        const std::size_t count = std::min<std::size_t>(7, source.size() - in);
        uint8_t header = 0;
        for (std::size_t k = 0; k < count; ++k) {
            const uint8_t byte = source[in + k];
            header = static_cast<uint8_t>(header | ((byte >> 7) << k));
            dest[out + 1 + k] = static_cast<uint8_t>(byte & 0x7F);
        }
        dest[out] = header;
        in += count;
        out += count + 1;
    }
    return out;
}

std::vector<uint8_t> MDevSysExPacking::Pack8to7(std::span<const uint8_t> source) {
    std::vector<uint8_t> packed(PackedSize(source.size()));
    Pack8to7(packed, source);
    return packed;
}

std::size_t MDevSysExPacking::Unpack7to8(std::span<const uint8_t> packed, std::size_t offset,
                                         std::span<uint8_t> dest) {
    const std::size_t available = UnpackedSize(packed.size());
    if (offset >= available) return 0;
    const std::size_t wanted = std::min(dest.size(), available - offset);
    std::size_t group = offset / 7;
    std::size_t skip = offset % 7;
    std::size_t written = 0;
    while (written < wanted) {
        const std::size_t base = group * 8;
        const uint8_t header = packed[base];
        const std::size_t carried = std::min<std::size_t>(7, packed.size() - base - 1);
        for (std::size_t k = skip; k < carried && written < wanted; ++k) {
            const uint8_t top = static_cast<uint8_t>(((header >> k) & 1) << 7);
            dest[written++] = static_cast<uint8_t>(top | (packed[base + 1 + k] & 0x7F));
        }
        skip = 0;
        ++group;
    }
    return written;
}
