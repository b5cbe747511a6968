#pragma once
// Table-driven reading and writing of parameter fields packed into the bytes
// of a record block.
//
// Reading a field: value = (block[byte] >> shift) & readMask.
// Writing: every byte that carries a field first keeps only its kept bits
// (none unless listed), then each field ORs in ((value & writeMask) << shift)
// truncated to 8 bits. Bytes that carry no field are left untouched.

#include <cstddef>
#include <cstdint>
#include <span>

struct MDevBitField {
    int param;          // parameter index within its set
    uint8_t byte;       // byte offset within the block
    uint8_t shift;      // bit position of the field's lowest bit
    uint8_t readMask;   // field mask after shifting down, as read
    uint8_t writeMask;  // value mask before shifting up, as written
};

struct MDevKeptBits {
    uint8_t byte;  // byte offset within the block
    uint8_t mask;  // bits of the incoming byte that go out unchanged
};

class MDevBitFieldCodec {
public:
    // True when every field and kept byte lies inside a block of this size;
    // used in static_asserts beside each table.
    static constexpr bool FitsIn(std::span<const MDevBitField> fields, std::span<const MDevKeptBits> kept,
                                 std::size_t blockSize) {
        for (const auto& f : fields)
            if (f.byte >= blockSize || f.shift > 7) return false;
        for (const auto& k : kept)
            if (k.byte >= blockSize) return false;
        return true;
    }

    // Calls set(param, value) for every field, in table order.
    template <class Set>
    static void Read(std::span<const MDevBitField> fields, std::span<const uint8_t> block, Set&& set) {
        for (const auto& f : fields) {
            if (f.byte >= block.size()) continue;
            set(f.param, static_cast<int32_t>((block[f.byte] >> f.shift) & f.readMask));
        }
    }

    // Builds each field's byte from get(param), in place over the block.
    template <class Get>
    static void Write(std::span<const MDevBitField> fields, std::span<const MDevKeptBits> kept, Get&& get,
                      std::span<uint8_t> block) {
        for (const auto& f : fields) {
            if (f.byte >= block.size()) continue;
            block[f.byte] &= KeptMask(kept, f.byte);
        }
        for (const auto& f : fields) {
            if (f.byte >= block.size()) continue;
            const uint32_t value = static_cast<uint32_t>(get(f.param));
            block[f.byte] |= static_cast<uint8_t>(((value & f.writeMask) << f.shift) & 0xFFu);
        }
    }

private:
    static uint8_t KeptMask(std::span<const MDevKeptBits> kept, uint8_t byte) {
        for (const auto& k : kept)
            if (k.byte == byte) return k.mask;
        return 0;
    }
};
