#pragma once
// The 200-byte global settings record carried by global dumps, Brontisel
// all-data dumps and global files. Bytes and bits that no parameter covers
// travel unchanged from the last record read to the next one written.

#include <array>
#include <cstddef>
#include <cstdint>

using MDevGlobalData = std::array<uint8_t, 200>;

namespace MDevGlobalLayout {
inline constexpr std::size_t kRecordSize = 200;
}  // namespace MDevGlobalLayout
