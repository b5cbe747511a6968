#pragma once

#include <cstdint>

// The MIDI input callback, called on the MIDI thread with (0, status, data,
// count, user): for a channel message its data bytes (1 for program change
// and channel pressure, 2 for the others); for a system-exclusive message
// (status 0xF0) the bytes after the F0 through the final F7.
using MidInCallback = void (*)(int zero, uint8_t status, const uint8_t* data, int length, void* user);
