#pragma once
// A program's name: the 12 raw bytes the synth holds, NUL-padded in memory
// and space-padded in the record. Bytes are kept as given (no code page
// conversion); only cutting a long name respects UTF-8 sequences.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

class MDevProgramName {
public:
    static constexpr std::size_t kSize = 12;

    // Takes at most 12 bytes, never splitting a UTF-8 multi-byte sequence,
    // and fills the rest with NUL.
    void Set(std::string_view text);
    // The bytes up to the first NUL.
    std::string Get() const;

    // From the record: trailing spaces become NUL.
    void FromRecord(std::span<const uint8_t, kSize> bytes);
    // To the record: trailing NULs become spaces.
    void ToRecord(std::span<uint8_t, kSize> bytes) const;

    // Number of leading bytes of text that fit in `limit` bytes without
    // splitting a UTF-8 multi-byte sequence.
    static std::size_t CutLength(std::string_view text, std::size_t limit);

private:
    std::array<uint8_t, kSize> bytes_{};
};
