#pragma once

#include <cstdint>
#include <functional>
#include <span>

// The MIDI input callback, called on the MIDI thread with the status and
// the data bytes: for a channel message its data bytes (1 for program change
// and channel pressure, 2 for the others); for a system-exclusive message
// (status 0xF0) the bytes after the F0 through the final F7. The MIDI thread
// reads the next message only once it returns, so it must return quickly.
using MidInCallback = std::function<void(uint8_t status, std::span<const uint8_t> data)>;
