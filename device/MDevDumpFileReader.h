#pragma once
// Reads a dump file (a Standard MIDI File holding one system-exclusive
// event) and hands every system-exclusive event to the device's receive
// handler. Clock events are off: nothing consumes them, and playing then
// takes time in proportion to the file's size.

#include <cstdint>
#include <functional>
#include <span>

#include "midifile/MidSmfReader.h"

class MDevDumpFileReader final : public MidSmfReader {
public:
    // The largest file read. The largest dump file is a Brontisel S ".set"
    // of 74,372 bytes (one event of 74,321); no single event the reader
    // accepts reaches 128 KiB. 1 MiB leaves room for what other programs
    // add around a dump (names, text, more tracks), while anything far
    // larger is refused before it is read.
    static constexpr std::uint64_t kMaxFileSize = std::uint64_t{1} << 20;

    // Receives the bytes after F0 (the closing F7 included).
    using SysExHandler = std::function<void(std::span<const uint8_t> data)>;

    explicit MDevDumpFileReader(SysExHandler handler);

    int OnEvent(const MidSmfEvent& event) override;

private:
    SysExHandler handler_;
};
