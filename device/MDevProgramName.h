#pragma once
// A program's name: the 12 raw bytes the synth holds, NUL-padded in memory
// and space-padded in the record. Bytes are kept as given (no code page
// conversion); only cutting a long name respects UTF-8 sequences.
//
// The synth's bytes are single characters of its own set, not UTF-8 (a
// file or another program may hold any byte): AsText makes them text for
// the screen and for file names, FilterProgramName takes what a user types
// for a name the synth will hold.

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

    // The bytes as UTF-8 text: each byte as its Latin-1 character, control
    // bytes (0x00-0x1F, 0x7F-0x9F) as '_'. Always valid UTF-8.
    static std::string AsText(std::string_view bytes);

private:
    std::array<uint8_t, kSize> bytes_{};
};

// A name typed for a program (the Program Editor's name field, a rename in
// the explorer): printable ASCII (0x20-0x7E) only, at most 12 characters.
// Every other byte is dropped whole, so no UTF-8 sequence is ever cut.
std::string FilterProgramName(std::string_view text);
