#pragma once
// The synth's 7-bit packing of 8-bit dump data. Every group of up to seven
// data bytes travels as one header byte holding their top bits (bit k of the
// header is bit 7 of data byte k) followed by the data bytes with bit 7
// cleared. A stream is packed as a whole, so groups ignore record borders.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class MDevSysExPacking {
public:
    // Packed length of n data bytes: 8 per full group of 7, plus a short
    // group of (n mod 7) + 1 bytes when data is left over.
    static constexpr std::size_t PackedSize(std::size_t unpacked) {
        const std::size_t rest = unpacked % 7;
        return unpacked / 7 * 8 + (rest != 0 ? rest + 1 : 0);
    }

    // Data bytes a packed stream of this length carries (a trailing group
    // of one byte is a lone header and carries none).
    static constexpr std::size_t UnpackedSize(std::size_t packed) {
        const std::size_t rest = packed % 8;
        return packed / 8 * 7 + (rest != 0 ? rest - 1 : 0);
    }

    // Packs all of source into the start of dest. Writes nothing and returns
    // 0 when dest is shorter than PackedSize(source.size()); otherwise
    // returns the packed length written.
    static std::size_t Pack8to7(std::span<uint8_t> dest, std::span<const uint8_t> source);
    static std::vector<uint8_t> Pack8to7(std::span<const uint8_t> source);

    // Unpacks dest.size() data bytes starting at data byte `offset` of the
    // packed stream, without decoding the groups before it. Never reads past
    // packed: when fewer bytes are available than asked for, writes those
    // that are and leaves the rest of dest untouched. Returns the count of
    // bytes written (dest.size() on full success). Bit 7 of a packed data
    // byte is ignored.
    static std::size_t Unpack7to8(std::span<const uint8_t> packed, std::size_t offset,
                                  std::span<uint8_t> dest);
};
