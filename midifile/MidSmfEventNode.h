#pragma once

#include <cstdint>
#include <vector>

// One event of a writer's track list; the node owns its data bytes.
struct MidSmfEventNode {
    std::uint32_t tick = 0;
    std::uint8_t tag1 = 0x20;
    std::uint8_t tag2 = 0xFF;
    // Channel status 0x80-0xEF, 0xF0/0xF7 system exclusive, or a meta type 0x00-0x7F.
    std::uint8_t status = 0;
    std::vector<std::uint8_t> data;
    std::int32_t track = 0;

    std::uint32_t Length() const { return static_cast<std::uint32_t>(data.size()); }
};
