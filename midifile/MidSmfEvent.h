#pragma once

#include <cstdint>
#include <span>

// One event as the Standard MIDI File reader hands it out. The data point
// into the loaded file (or into a writer's node) and are not copied.
struct MidSmfEvent {
    static constexpr std::uint8_t kStatusSysEx = 0xF0;
    static constexpr std::uint8_t kStatusSysExCont = 0xF7;
    static constexpr std::uint8_t kStatusClock = 0xF8;
    static constexpr std::uint8_t kMetaEndOfTrack = 0x2F;

    std::uint32_t tick = 0;
    std::uint8_t tag1 = 0x20;
    std::uint8_t tag2 = 0xFF;
    // 0x80-0xEF channel message; 0xF0/0xF7 system exclusive; 0xF8 generated
    // clock; 0x00-0x7F meta event of that type.
    std::uint8_t status = 0;
    std::uint32_t length = 0;
    const std::uint8_t* data = nullptr;
    std::int32_t track = 0;

    bool IsMeta() const { return status < 0x80; }
    std::span<const std::uint8_t> Data() const { return {data, data ? length : 0u}; }
};
