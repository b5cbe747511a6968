#pragma once
// The 254-byte program record carried by current-program dumps, all-data
// dumps and program files.
//
//   bytes 0-11    name, padded with spaces
//   bytes 12-13   not interpreted
//   bytes 14-37   common parameters
//   bytes 38-145  Timbre 1 block  (voice modes 0 and 2)
//   bytes 146-253 Timbre 2 block  (voice modes 0 and 2)
//   bytes 38-179  vocoder block   (voice mode 3)

#include <array>
#include <cstddef>
#include <cstdint>

using MDevProgramData = std::array<uint8_t, 254>;

namespace MDevProgramLayout {
inline constexpr std::size_t kRecordSize = 254;
inline constexpr std::size_t kNameOffset = 0;
inline constexpr std::size_t kNameSize = 12;
inline constexpr std::size_t kTimbreBlockSize = 108;
inline constexpr std::size_t kTimbre1Offset = 38;
inline constexpr std::size_t kTimbre2Offset = 146;
inline constexpr std::size_t kVocoderBlockSize = 142;
inline constexpr std::size_t kVocoderOffset = 38;
}  // namespace MDevProgramLayout
