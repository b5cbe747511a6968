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
    // Receives the bytes after F0 (the closing F7 included).
    using SysExHandler = std::function<void(std::span<const uint8_t> data)>;

    explicit MDevDumpFileReader(SysExHandler handler);

    int OnEvent(const MidSmfEvent& event) override;

private:
    SysExHandler handler_;
};
