#include "device/MDevDescZEPHAProgramVocoder.h"

#include "device/MDevBitFieldCodec.h"
#include "device/MDevValueWidth.h"

#include <iterator>

namespace {

using Vocoder = MDevDescZEPHAProgramVocoder;

constexpr int32_t kDefaults[] = {
    -1,  1,   1,   0,   0,   0,   0,   64,  66,  64,                     // k0-k9
    69,  0,   0,   0,   0,   0,   0,   127, 0,   0,                      // k10-k19
    0,   100, 0,   2,   64,  20,  1,   64,  30,  127,                    // k20-k29
    0,   0,   64,  64,  0,   0,   127, 0,   0,   64,                     // k30-k39
    127, 0,   0,   2,   10,  0,   0,   0,   2,   70,                     // k40-k49
    0,   0,   127, 127, 127, 127, 127, 127, 127, 127,                    // k50-k59
    64,  64,  64,  64,  64,  64,  64,  64,                               // k60-k67
    0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0, 0, 0, 0, 0, 0,  // k68-k83
};
static_assert(std::size(kDefaults) == Vocoder::kParamCount);

MDevValueWidth WidthOf(int k) {
    if (k >= Vocoder::kFirstHoldLevel) return MDevValueWidth::S32;
    switch (k) {
    case 0: return MDevValueWidth::S8;
    case 2:
    case 3:
    case 4:
    case 15:
    case 31:
    case 45:
    case 50: return MDevValueWidth::S32;
    default: return MDevValueWidth::U8;
    }
}

// {k, block byte, shift, read mask, write mask} for k0-k51; the channel
// levels, pans and hold levels span several bytes and are coded below.
// clang-format off
constexpr MDevBitField kFields[] = {
    {0, 0, 0, 0xFF, 0xFF},
    {1, 1, 6, 0x03, 0xFF}, {2, 1, 5, 0x01, 0x01}, {3, 1, 4, 0x01, 0x01},
    {4, 1, 3, 0x01, 0x01}, {5, 1, 0, 0x03, 0x03},
    {6, 2, 0, 0xFF, 0xFF}, {7, 3, 0, 0xFF, 0xFF}, {8, 4, 0, 0xFF, 0xFF},
    {9, 5, 0, 0xFF, 0xFF}, {10, 6, 0, 0xFF, 0xFF},
    {11, 7, 0, 0x07, 0xFF}, {12, 8, 0, 0x7F, 0xFF}, {13, 9, 0, 0x7F, 0xFF},
    {14, 10, 0, 0x3F, 0xFF},
    {15, 12, 0, 0x01, 0x01},
    {16, 14, 0, 0x7F, 0x7F},
    {17, 15, 0, 0x7F, 0xFF}, {18, 16, 0, 0x7F, 0xFF}, {19, 17, 0, 0x7F, 0xFF},
    {20, 18, 0, 0x7F, 0xFF}, {21, 19, 0, 0x7F, 0xFF}, {22, 20, 0, 0x7F, 0xFF},
    // clang-format on
    // Formant Shift takes values 0-4 and is written whole; bit 2 of its byte
    // carries nothing else, so it is read with 0x07 to keep the value 4.
    // clang-format off
    {23, 21, 0, 0x07, 0xFF},
    {24, 22, 0, 0x7F, 0xFF}, {25, 23, 0, 0x7F, 0xFF},
    {26, 24, 0, 0x07, 0xFF},
    {27, 25, 0, 0xFF, 0xFF}, {28, 26, 0, 0xFF, 0xFF},
    {29, 27, 0, 0x7F, 0xFF}, {30, 28, 0, 0x7F, 0xFF},
    {31, 29, 0, 0x01, 0x01},
    {32, 30, 0, 0xFF, 0xFF}, {33, 31, 0, 0xFF, 0xFF},
    {34, 32, 0, 0x7F, 0xFF}, {35, 33, 0, 0x7F, 0xFF}, {36, 34, 0, 0x7F, 0xFF},
    {37, 35, 0, 0x7F, 0xFF}, {38, 36, 0, 0x7F, 0xFF}, {39, 37, 0, 0x7F, 0xFF},
    {40, 38, 0, 0x7F, 0xFF}, {41, 39, 0, 0x7F, 0xFF},
    {42, 40, 4, 0x03, 0x03}, {43, 40, 0, 0x03, 0x03},
    {44, 41, 0, 0x7F, 0xFF},
    // clang-format on
    // Sync notes: read with 0x0F, written with 0x1F, as the synth does.
    // clang-format off
    {45, 42, 7, 0x01, 0xFF}, {46, 42, 0, 0x0F, 0x1F},
    {47, 43, 4, 0x03, 0x03}, {48, 43, 0, 0x03, 0x03},
    {49, 44, 0, 0x7F, 0xFF},
    {50, 45, 7, 0x01, 0xFF}, {51, 45, 0, 0x0F, 0x1F},
    // clang-format on
};

constexpr MDevKeptBits kKept[] = {
    {12, 0xFE}, {14, 0x80}, {29, 0xFE}, {40, 0xCC}, {42, 0x60}, {43, 0xCC}, {45, 0x60},
};

static_assert(std::size(kFields) == Vocoder::kFirstChannelLevel);
static_assert(MDevBitFieldCodec::FitsIn(kFields, kKept, Vocoder::kBlockSize));

constexpr std::size_t kFirstLevelByte = 46;
constexpr std::size_t kFirstPanByte = 62;
constexpr std::size_t kFirstHoldByte = 78;
static_assert(kFirstHoldByte + 4 * Vocoder::kHoldLevelCount == Vocoder::kBlockSize);

bool InRange(int k) { return k >= 0 && k < Vocoder::kParamCount; }

}  // namespace

void MDevDescZEPHAProgramVocoder::Init() {
    for (int k = 0; k < kParamCount; ++k) SetParam(k, kDefaults[k]);
}

void MDevDescZEPHAProgramVocoder::SetParam(int k, int32_t value) {
    if (InRange(k)) values_[k] = MDevStoreAs(WidthOf(k), value);
}

int32_t MDevDescZEPHAProgramVocoder::GetParam(int k) const { return InRange(k) ? values_[k] : 0; }

std::string MDevDescZEPHAProgramVocoder::GetValueText(int) const { return {}; }
std::string MDevDescZEPHAProgramVocoder::GetParamName(int) const { return {}; }
std::string MDevDescZEPHAProgramVocoder::GetUnitText(int) const { return {}; }

void MDevDescZEPHAProgramVocoder::FromBytes(std::span<const uint8_t, kBlockSize> block) {
    MDevBitFieldCodec::Read(kFields, block, [this](int k, int32_t v) { SetParam(k, v); });
    // Each level and pan has two bytes; only the first is read.
    for (int i = 0; i < kChannelCount; ++i) {
        SetParam(kFirstChannelLevel + i, block[kFirstLevelByte + 2 * i] & 0x7F);
    }
    for (int i = 0; i < kChannelCount; ++i) {
        SetParam(kFirstChannelPan + i, block[kFirstPanByte + 2 * i] & 0x7F);
    }
    for (int i = 0; i < kHoldLevelCount; ++i) {
        const std::size_t at = kFirstHoldByte + 4 * i;
        const uint32_t v = (uint32_t{block[at]} << 24) | (uint32_t{block[at + 1]} << 16) |
                           (uint32_t{block[at + 2]} << 8) | uint32_t{block[at + 3]};
        SetParam(kFirstHoldLevel + i, static_cast<int32_t>(v));
    }
}

void MDevDescZEPHAProgramVocoder::ToBytes(std::span<uint8_t, kBlockSize> block) const {
    MDevBitFieldCodec::Write(
        kFields, kKept, [this](int k) { return GetParam(k); }, block);
    for (int i = 0; i < kChannelCount; ++i) {
        const auto v = static_cast<uint8_t>(GetParam(kFirstChannelLevel + i));
        block[kFirstLevelByte + 2 * i] = v;
        block[kFirstLevelByte + 2 * i + 1] = v;
    }
    for (int i = 0; i < kChannelCount; ++i) {
        const auto v = static_cast<uint8_t>(GetParam(kFirstChannelPan + i));
        block[kFirstPanByte + 2 * i] = v;
        block[kFirstPanByte + 2 * i + 1] = v;
    }
    for (int i = 0; i < kHoldLevelCount; ++i) {
        const auto v = static_cast<uint32_t>(GetParam(kFirstHoldLevel + i));
        const std::size_t at = kFirstHoldByte + 4 * i;
        block[at] = static_cast<uint8_t>(v >> 24);
        block[at + 1] = static_cast<uint8_t>(v >> 16);
        block[at + 2] = static_cast<uint8_t>(v >> 8);
        block[at + 3] = static_cast<uint8_t>(v);
    }
}
