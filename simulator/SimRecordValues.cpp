#include "simulator/SimRecordValues.h"

#include <algorithm>
#include <cstdint>
#include <span>

namespace {

// One value's bits in a block: `bits` wide, starting at bit `shift` of `byte`.
struct Field {
    int index;
    int byte;
    int shift;
    int bits;
};

void Put(std::span<std::uint8_t> block, int byte, int shift, int bits, int value) {
    const unsigned mask = (1u << bits) - 1u;
    block[static_cast<std::size_t>(byte)] |=
        static_cast<std::uint8_t>((static_cast<unsigned>(value) & mask) << shift);
}

template <std::size_t N>
void PutFields(std::span<std::uint8_t> block, std::span<const Field> fields,
               const std::array<int, N>& values) {
    for (const Field& f : fields)
        Put(block, f.byte, f.shift, f.bits, values[static_cast<std::size_t>(f.index)]);
}

// Common values in record bytes 14-37 (tempo and the signed bytes below).
// clang-format off
constexpr Field kCommonFields[] = {
    {0, 14, 0, 3},  {1, 15, 0, 8},  {2, 16, 4, 2},  {3, 17, 4, 4},  {4, 17, 0, 4},
    {5, 19, 7, 1},  {6, 19, 0, 4},  {7, 20, 0, 7},  {8, 21, 0, 7},  {9, 22, 0, 2},
    {10, 23, 0, 7}, {11, 24, 0, 7}, {12, 25, 0, 2}, {13, 26, 0, 7}, {14, 27, 0, 7},
    {15, 28, 0, 7}, {16, 29, 0, 7}, {18, 32, 7, 1}, {19, 32, 6, 1}, {20, 32, 4, 2},
    {21, 32, 0, 1}, {22, 33, 0, 4}, {23, 33, 4, 2}, {24, 34, 0, 7}, {25, 35, 0, 3},
    {26, 36, 0, 8}, {27, 37, 0, 8},
};
// clang-format on
constexpr int kTempoHigh = 30;  // tempo: bytes 30-31, most significant first

// The voice and OSC 1 values 0-14 open a timbre block and the vocoder block
// alike.
// clang-format off
constexpr Field kVoiceFields[] = {
    {0, 0, 0, 8},   {1, 1, 6, 2},   {2, 1, 5, 1},   {3, 1, 4, 1},   {4, 1, 3, 1},
    {5, 1, 0, 2},   {6, 2, 0, 8},   {7, 3, 0, 8},   {8, 4, 0, 8},   {9, 5, 0, 8},
    {10, 6, 0, 8},  {11, 7, 0, 3},  {12, 8, 0, 7},  {13, 9, 0, 7},  {14, 10, 0, 6},
};
// clang-format on

// The rest of a timbre block (108 bytes).
// clang-format off
constexpr Field kTimbreFields[] = {
    {15, 12, 4, 2}, {16, 12, 0, 2}, {17, 13, 0, 8}, {18, 14, 0, 8}, {19, 15, 0, 7},
    {20, 16, 0, 7}, {21, 17, 0, 7}, {22, 18, 0, 7}, {23, 19, 0, 2}, {24, 20, 0, 7},
    {25, 21, 0, 7}, {26, 22, 0, 8}, {27, 23, 0, 8}, {28, 24, 0, 8}, {29, 25, 0, 7},
    {30, 26, 0, 7}, {31, 27, 6, 1}, {32, 27, 0, 1}, {33, 28, 0, 8}, {34, 29, 0, 8},
    {35, 30, 0, 7}, {36, 31, 0, 7}, {37, 32, 0, 7}, {38, 33, 0, 7}, {39, 34, 0, 7},
    {40, 35, 0, 7}, {41, 36, 0, 7}, {42, 37, 0, 7}, {43, 38, 4, 2}, {44, 38, 0, 2},
    {45, 39, 0, 7}, {46, 40, 7, 1}, {47, 40, 0, 4}, {48, 41, 4, 2}, {49, 41, 0, 2},
    {50, 42, 0, 7}, {51, 43, 7, 1}, {52, 43, 0, 4}, {53, 44, 4, 4}, {54, 44, 0, 4},
    {55, 45, 0, 8}, {56, 46, 4, 4}, {57, 46, 0, 4}, {58, 47, 0, 8}, {59, 48, 4, 4},
    {60, 48, 0, 4}, {61, 49, 0, 8}, {62, 50, 4, 4}, {63, 50, 0, 4}, {64, 51, 0, 8},
};
// clang-format on
constexpr int kTimbreBlocks[2] = {38, 146};
constexpr std::size_t kTimbreBlockSize = 108;

// The rest of the vocoder block (142 bytes at record byte 38), without the
// channel levels and pans (two bytes each) and the hold levels (four bytes
// each).
// clang-format off
constexpr Field kVocoderFields[] = {
    {15, 12, 0, 1}, {16, 14, 0, 7}, {17, 15, 0, 7}, {18, 16, 0, 7}, {19, 17, 0, 7},
    {20, 18, 0, 7}, {21, 19, 0, 7}, {22, 20, 0, 7}, {23, 21, 0, 2}, {24, 22, 0, 7},
    {25, 23, 0, 7}, {26, 24, 0, 3}, {27, 25, 0, 8}, {28, 26, 0, 8}, {29, 27, 0, 7},
    {30, 28, 0, 7}, {31, 29, 0, 1}, {32, 30, 0, 8}, {33, 31, 0, 8}, {34, 32, 0, 7},
    {35, 33, 0, 7}, {36, 34, 0, 7}, {37, 35, 0, 7}, {38, 36, 0, 7}, {39, 37, 0, 7},
    {40, 38, 0, 7}, {41, 39, 0, 7}, {42, 40, 4, 2}, {43, 40, 0, 2}, {44, 41, 0, 7},
    {45, 42, 7, 1}, {46, 42, 0, 4}, {47, 43, 4, 2}, {48, 43, 0, 2}, {49, 44, 0, 7},
    {50, 45, 7, 1}, {51, 45, 0, 4},
};
// clang-format on
constexpr int kVocoderBlock = 38;
constexpr std::size_t kVocoderBlockSize = 142;
constexpr int kChannelLevelFirst = 52, kChannelPanFirst = 60, kHoldLevelFirst = 68;
constexpr int kChannelLevelByte = 46, kChannelPanByte = 62, kHoldLevelByte = 78;

// The global record (200 bytes).
// clang-format off
constexpr Field kGlobalFields[] = {
    {0, 0, 0, 8},  {1, 1, 0, 8},  {2, 2, 0, 1},  {3, 3, 0, 7},  {4, 4, 0, 4},
    {5, 5, 2, 1},  {6, 5, 0, 1},  {7, 8, 0, 2},  {8, 9, 0, 4},  {9, 10, 0, 8},
    {10, 11, 0, 8}, {11, 16, 7, 1}, {12, 17, 6, 1}, {13, 17, 2, 1}, {14, 17, 0, 1},
    {56, 72, 0, 1},
};
// clang-format on
constexpr int kCcMapFirst = 15, kCcMapLast = 55, kCcMapByte = 18;
constexpr int kFavoriteFirst = 57, kFavoriteLast = 64, kFavoriteByte = 80;

}  // namespace

std::array<int, kSimTimbreCount> SimProgramValues::TimbreDefaults() {
    return {
        -1,  1,   1, 1,  0,   0,  0,  64,  66, 64,   // 0-9
        69,  0,   0, 0,  0,   0,  0,  64,  64, 0,    // 10-19
        127, 0,   0, 0,  127, 20, 64, 64,  64, 127,  // 20-29
        64,  0,   0, 64, 64,  0,  64, 127, 0,  0,    // 30-39
        64,  127, 0, 0,  2,   10, 0,  0,   0,  2,    // 40-49
        70,  0,   0, 0,  10,  64, 0,  11,  64, 0,    // 50-59
        10,  64,  0, 11, 64,                         // 60-64
    };
}

std::array<int, kSimVocoderCount> SimProgramValues::VocoderDefaults() {
    std::array<int, kSimVocoderCount> k = {
        -1,  1,   1,  0,  0,  0,  0,   64,  66, 64,   // 0-9
        69,  0,   0,  0,  0,  0,  0,   127, 0,  0,    // 10-19
        0,   100, 0,  2,  64, 20, 1,   64,  30, 127,  // 20-29
        0,   0,   64, 64, 0,  0,  127, 0,   0,  64,   // 30-39
        127, 0,   0,  2,  10, 0,  0,   0,   2,  70,   // 40-49
        0,   0,                                       // 50-51
    };
    std::fill_n(k.begin() + kChannelLevelFirst, 8, 127);
    std::fill_n(k.begin() + kChannelPanFirst, 8, 64);
    return k;  // hold levels 68-83 stay 0
}

SimProgramRecord SimEncodeProgram(const SimProgramValues& values) {
    SimProgramRecord record{};
    std::fill_n(record.begin(), kSimNameSize, std::uint8_t{' '});
    std::copy_n(values.name.begin(), std::min(values.name.size(), kSimNameSize), record.begin());

    const std::span<std::uint8_t> all(record);
    PutFields(all, kCommonFields, values.common);
    const unsigned tempo = static_cast<unsigned>(values.common[SimCommon::kArpTempo]) & 0xFFFFu;
    record[kTempoHigh] = static_cast<std::uint8_t>(tempo >> 8);
    record[kTempoHigh + 1] = static_cast<std::uint8_t>(tempo & 0xFF);

    if (values.common[SimCommon::kVoiceMode] == kSimVoiceVocoder) {
        const auto block = all.subspan(kVocoderBlock, kVocoderBlockSize);
        PutFields(block, kVoiceFields, values.vocoder);
        PutFields(block, kVocoderFields, values.vocoder);
        for (int i = 0; i < 8; ++i) {
            const int level = values.vocoder[static_cast<std::size_t>(kChannelLevelFirst + i)];
            const int pan = values.vocoder[static_cast<std::size_t>(kChannelPanFirst + i)];
            for (int copy = 0; copy < 2; ++copy) {
                Put(block, kChannelLevelByte + 2 * i + copy, 0, 8, level);
                Put(block, kChannelPanByte + 2 * i + copy, 0, 8, pan);
            }
        }
        for (int i = 0; i < 16; ++i) {
            const auto level =
                static_cast<std::uint32_t>(values.vocoder[static_cast<std::size_t>(kHoldLevelFirst + i)]);
            for (int b = 0; b < 4; ++b)
                Put(block, kHoldLevelByte + 4 * i + b, 0, 8,
                    static_cast<int>((level >> (24 - 8 * b)) & 0xFF));
        }
    } else {
        for (int t = 0; t < 2; ++t) {
            const auto block = all.subspan(static_cast<std::size_t>(kTimbreBlocks[t]), kTimbreBlockSize);
            PutFields(block, kVoiceFields, values.timbres[static_cast<std::size_t>(t)]);
            PutFields(block, kTimbreFields, values.timbres[static_cast<std::size_t>(t)]);
        }
    }
    return record;
}

SimGlobalRecord SimEncodeGlobal(const std::array<int, kSimGlobalCount>& values) {
    SimGlobalRecord record{};
    const std::span<std::uint8_t> all(record);
    PutFields(all, kGlobalFields, values);
    for (int id = kCcMapFirst; id <= kCcMapLast; ++id)
        Put(all, kCcMapByte + id - kCcMapFirst, 0, 8, values[static_cast<std::size_t>(id)]);
    for (int id = kFavoriteFirst; id <= kFavoriteLast; ++id)
        Put(all, kFavoriteByte + id - kFavoriteFirst, 0, 8, values[static_cast<std::size_t>(id)]);
    return record;
}
