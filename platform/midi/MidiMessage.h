#pragma once
// Small facts about MIDI bytes shared by the framer, the outputs and the
// MIDI thread.

#include <cstddef>
#include <cstdint>
#include <span>

namespace midiport {

inline constexpr uint8_t kSysExStart = 0xF0;
inline constexpr uint8_t kSysExEnd = 0xF7;

// Largest system-exclusive message (F0 through F7) an input delivers; larger
// ones are dropped whole.
inline constexpr std::size_t kDefaultSysExCap = 0x20000;

inline constexpr bool IsStatus(uint8_t b) { return b >= 0x80; }
inline constexpr bool IsChannelStatus(uint8_t b) { return b >= 0x80 && b <= 0xEF; }
inline constexpr bool IsRealTime(uint8_t b) { return b >= 0xF8; }

// Data bytes a channel status carries: 1 for program change and channel
// pressure, 2 for the others; -1 for anything that is not a channel status.
inline constexpr int ChannelDataCount(uint8_t status) {
    if (!IsChannelStatus(status)) return -1;
    return (status >= 0xC0 && status <= 0xDF) ? 1 : 2;
}

// A complete channel message: a channel status and exactly its data bytes,
// all below 0x80.
bool IsChannelMessage(std::span<const uint8_t> message);

// A complete system-exclusive message: F0 first, F7 last, at least one byte
// between them, no status byte inside.
bool IsSysExMessage(std::span<const uint8_t> message);

}  // namespace midiport
