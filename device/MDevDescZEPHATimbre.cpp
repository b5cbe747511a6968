#include "device/MDevDescZEPHATimbre.h"

#include "device/MDevBitFieldCodec.h"
#include "device/MDevValueWidth.h"

#include <iterator>

namespace {

constexpr const char* kNames[MDevDescZEPHATimbre::kParamCount] = {
    "MIDI ch.",
    "Assign Mode",
    "EG2 Reset",
    "EG1 Reset",
    "Trigger Mode",
    "Key Priority",
    "Unison Detune",
    "PITCH Tune",
    "PITCH Bend Range",
    "PITCH Transpose",
    "PITCH Vibrato Int",
    "OSC1 Wave",
    "OSC1 Waveform CTRL1",
    "OSC1 Waveform CTRL2",
    "OSC1 KARV Wave",
    "OSC2 Mode Select",
    "OSC2 Wave",
    "OSC2 Semitone",
    "OSC2 Tune",
    "PITCH2 Portamento Time",
    "MIXER OSC1 Level",
    "MIXER OSC2 Level",
    "MIXER Noise",
    "FILTER Type",
    "FILTER Cutoff",
    "FILTER Resonance",
    "FILTER EG1 Intensity",
    "FILTER Velocity Sense",
    "FILTER Keyboard Track",
    "AMP Level",
    "AMP Panpot",
    "AMP Amp Sw",
    "AMP Distortion",
    "AMP Velocity Sense",
    "AMP Keyboard Track",
    "EG1 Attack",
    "EG1 Decay",
    "EG1 Sustain",
    "EG1 Release",
    "EG2 Attack",
    "EG2 Decay",
    "EG2 Sustain",
    "EG2 Release",
    "LFO1 Key Sync",
    "LFO1 Wave",
    "LFO1 Frequency",
    "LFO1 Tempo Sync",
    "LFO1 Sync Note",
    "LFO2 Key Sync",
    "LFO2 Wave",
    "LFO2 Frequency",
    "LFO2 Tempo Sync",
    "LFO2 Sync Note",
    "PATCH1 Destination",
    "PATCH1 Source",
    "PATCH1 Intensity",
    "PATCH2 Destination",
    "PATCH2 Source",
    "PATCH2 Intensity",
    "PATCH3 Destination",
    "PATCH3 Source",
    "PATCH3 Intensity",
    "PATCH4 Destination",
    "PATCH4 Source",
    "PATCH4 Intensity",
};

constexpr int32_t kDefaults[] = {
    -1,  1,   1, 1,  0,   0,  0,  64,  66, 64,   // t0-t9
    69,  0,   0, 0,  0,   0,  0,  64,  64, 0,    // t10-t19
    127, 0,   0, 0,  127, 20, 64, 64,  64, 127,  // t20-t29
    64,  0,   0, 64, 64,  0,  64, 127, 0,  0,    // t30-t39
    64,  127, 0, 0,  2,   10, 0,  0,   0,  2,    // t40-t49
    70,  0,   0, 0,  10,  64, 0,  11,  64, 0,    // t50-t59
    10,  64,  0, 11, 64,                         // t60-t64
};
static_assert(std::size(kDefaults) == MDevDescZEPHATimbre::kParamCount);

MDevValueWidth WidthOf(int t) {
    switch (t) {
    case 0: return MDevValueWidth::S8;
    case 2:
    case 3:
    case 4:
    case 31:
    case 32:
    case 46:
    case 51: return MDevValueWidth::S32;
    default: return MDevValueWidth::U8;
    }
}

// {t, block byte, shift, read mask, write mask}
// clang-format off
constexpr MDevBitField kFields[] = {
    {0, 0, 0, 0xFF, 0xFF},
    {1, 1, 6, 0x03, 0xFF}, {2, 1, 5, 0x01, 0x01}, {3, 1, 4, 0x01, 0x01},
    {4, 1, 3, 0x01, 0x01}, {5, 1, 0, 0x03, 0x03},
    {6, 2, 0, 0xFF, 0xFF}, {7, 3, 0, 0xFF, 0xFF}, {8, 4, 0, 0xFF, 0xFF},
    {9, 5, 0, 0xFF, 0xFF}, {10, 6, 0, 0xFF, 0xFF},
    {11, 7, 0, 0x07, 0xFF}, {12, 8, 0, 0x7F, 0xFF}, {13, 9, 0, 0x7F, 0xFF},
    {14, 10, 0, 0x3F, 0xFF},
    {15, 12, 4, 0x03, 0x03}, {16, 12, 0, 0x03, 0x03},
    {17, 13, 0, 0xFF, 0xFF}, {18, 14, 0, 0xFF, 0xFF},
    {19, 15, 0, 0x7F, 0x7F},
    {20, 16, 0, 0x7F, 0xFF}, {21, 17, 0, 0x7F, 0xFF}, {22, 18, 0, 0x7F, 0xFF},
    {23, 19, 0, 0x03, 0xFF}, {24, 20, 0, 0x7F, 0xFF}, {25, 21, 0, 0x7F, 0xFF},
    {26, 22, 0, 0xFF, 0xFF}, {27, 23, 0, 0xFF, 0xFF}, {28, 24, 0, 0xFF, 0xFF},
    {29, 25, 0, 0x7F, 0xFF}, {30, 26, 0, 0x7F, 0xFF},
    {31, 27, 6, 0x01, 0x01}, {32, 27, 0, 0x01, 0x01},
    {33, 28, 0, 0xFF, 0xFF}, {34, 29, 0, 0xFF, 0xFF},
    {35, 30, 0, 0x7F, 0xFF}, {36, 31, 0, 0x7F, 0xFF}, {37, 32, 0, 0x7F, 0xFF},
    {38, 33, 0, 0x7F, 0xFF}, {39, 34, 0, 0x7F, 0xFF}, {40, 35, 0, 0x7F, 0xFF},
    {41, 36, 0, 0x7F, 0xFF}, {42, 37, 0, 0x7F, 0xFF},
    {43, 38, 4, 0x03, 0x03}, {44, 38, 0, 0x03, 0x03},
    {45, 39, 0, 0x7F, 0x7F},
    // clang-format on
    // Sync notes are read with 0x0F but written with 0x1F (the synth's own
    // asymmetry; bit 4 of the byte does not survive a read and write).
    // clang-format off
    {46, 40, 7, 0x01, 0xFF}, {47, 40, 0, 0x0F, 0x1F},
    {48, 41, 4, 0x03, 0x03}, {49, 41, 0, 0x03, 0x03},
    {50, 42, 0, 0x7F, 0x7F},
    {51, 43, 7, 0x01, 0xFF}, {52, 43, 0, 0x0F, 0x1F},
    {53, 44, 4, 0x0F, 0xFF}, {54, 44, 0, 0x0F, 0x0F}, {55, 45, 0, 0xFF, 0xFF},
    {56, 46, 4, 0x0F, 0xFF}, {57, 46, 0, 0x0F, 0x0F}, {58, 47, 0, 0xFF, 0xFF},
    {59, 48, 4, 0x0F, 0xFF}, {60, 48, 0, 0x0F, 0x0F}, {61, 49, 0, 0xFF, 0xFF},
    {62, 50, 4, 0x0F, 0xFF}, {63, 50, 0, 0x0F, 0x0F}, {64, 51, 0, 0xFF, 0xFF},
    // clang-format on
};

constexpr MDevKeptBits kKept[] = {
    {12, 0xCC}, {15, 0x80}, {27, 0xBE}, {38, 0xCC}, {40, 0x60}, {41, 0xCC}, {43, 0x60},
};

static_assert(std::size(kFields) == MDevDescZEPHATimbre::kParamCount);
static_assert(MDevBitFieldCodec::FitsIn(kFields, kKept, MDevDescZEPHATimbre::kBlockSize));

bool InRange(int t) { return t >= 0 && t < MDevDescZEPHATimbre::kParamCount; }

}  // namespace

void MDevDescZEPHATimbre::SetDefaults(int index) {
    index_ = index;
    for (int t = 0; t < kParamCount; ++t) SetParam(t, kDefaults[t]);
}

void MDevDescZEPHATimbre::SetParam(int t, int32_t value) {
    if (InRange(t)) values_[t] = MDevStoreAs(WidthOf(t), value);
}

int32_t MDevDescZEPHATimbre::GetParam(int t) const { return InRange(t) ? values_[t] : 0; }

std::string MDevDescZEPHATimbre::GetValueText(int t) const { return std::to_string(GetParam(t)); }

std::string MDevDescZEPHATimbre::GetParamName(int t) const {
    if (!InRange(t)) return {};
    return (index_ == 1 ? "Timbre 2 " : "Timbre 1 ") + std::string(kNames[t]);
}

std::string MDevDescZEPHATimbre::GetUnitText(int) const { return {}; }

void MDevDescZEPHATimbre::FromBytes(std::span<const uint8_t, kBlockSize> block) {
    MDevBitFieldCodec::Read(kFields, block, [this](int t, int32_t v) { SetParam(t, v); });
}

void MDevDescZEPHATimbre::ToBytes(std::span<uint8_t, kBlockSize> block) const {
    MDevBitFieldCodec::Write(
        kFields, kKept, [this](int t) { return GetParam(t); }, block);
}
