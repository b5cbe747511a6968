#include "device/MDevDescZEPHAProgram.h"

#include "device/MDevBitFieldCodec.h"
#include "device/MDevValueWidth.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace Id = MDevProgramParamId;

namespace {

constexpr const char* kNames[Id::kCommonCount] = {
    "Arppegio Trigger Length",
    "Arppegio Trigger Pattern",
    "Voice Mode",
    "Scale Key",
    "Scale Type",
    "Delay FX Sync",
    "Delay FX Time Base",
    "Delay FX Delay Time",
    "Delay FX Depth",
    "Delay FX Type",
    "MOD FX LFO Speed",
    "MOD FX Depth",
    "MOD FX Type",
    "EQ Hi Freq",
    "EQ Hi Gain",
    "EQ Low Freq",
    "EQ Low Gain",
    "Arppegio Tempo",
    "Arppegio On/Off",
    "Arppegio Latch",
    "Arppegio Target",
    "Arppegio Key Sync",
    "Arppegio Type",
    "Arppegio Range",
    "Arppegio Gate Time",
    "Arppegio Resolution",
    "Arppegio Swing",
    "KBD Octave",
};

// Common parameters by record byte: {id, byte, shift, read mask, write mask}.
// The tempo (id 17) spans bytes 30-31 and is coded separately.
// clang-format off
constexpr MDevBitField kFields[] = {
    {0, 14, 0, 0x0F, 0x0F},
    {1, 15, 0, 0xFF, 0xFF},
    {2, 16, 4, 0x03, 0x03},
    {3, 17, 4, 0x0F, 0xFF}, {4, 17, 0, 0x0F, 0x0F},
    {5, 19, 7, 0x01, 0xFF}, {6, 19, 0, 0x0F, 0x0F},
    {7, 20, 0, 0x7F, 0x7F},
    {8, 21, 0, 0x7F, 0x7F},
    {9, 22, 0, 0x03, 0x03},
    {10, 23, 0, 0x7F, 0x7F},
    {11, 24, 0, 0x7F, 0x7F},
    {12, 25, 0, 0x7F, 0x03},
    {13, 26, 0, 0x7F, 0xFF},
    {14, 27, 0, 0x7F, 0xFF},
    {15, 28, 0, 0x7F, 0xFF},
    {16, 29, 0, 0x7F, 0xFF},
    {18, 32, 7, 0x01, 0xFF}, {19, 32, 6, 0x01, 0x01}, {20, 32, 4, 0x03, 0x03},
    {21, 32, 0, 0x01, 0x01},
    {22, 33, 0, 0x0F, 0x0F}, {23, 33, 4, 0x03, 0xFF},
    {24, 34, 0, 0x7F, 0xFF},
    {25, 35, 0, 0x07, 0xFF},
    {26, 36, 0, 0xFF, 0xFF},
    {27, 37, 0, 0xFF, 0xFF},
};
// clang-format on

// Byte 14 keeps bits 3-7 while the trigger length also reads bit 3; the
// bits are combined with OR, so a record read and written back is unchanged.
constexpr MDevKeptBits kKept[] = {{14, 0xF8}, {16, 0xCF}, {19, 0x70}, {32, 0x02}};

static_assert(std::size(kFields) == Id::kCommonCount - 1);
static_assert(MDevBitFieldCodec::FitsIn(kFields, kKept, MDevProgramLayout::kRecordSize));

constexpr std::size_t kTempoHighByte = 30;
constexpr std::size_t kTempoLowByte = 31;

MDevValueWidth WidthOf(int id) {
    switch (id) {
    case Id::kArpTempo: return MDevValueWidth::U16;
    case Id::kArpSwing: return MDevValueWidth::S8;
    default: return MDevValueWidth::U8;
    }
}

template <std::size_t N>
std::string Pick(const char* const (&texts)[N], int32_t v, const char* otherwise) {
    return (v >= 0 && static_cast<std::size_t>(v) < N) ? texts[v] : otherwise;
}

std::string Format(const char* format, long v) {
    char text[32];
    std::snprintf(text, sizeof text, format, v);
    return text;
}

constexpr const char* kUndefind = "Undefind";
constexpr const char* kUndefined = "Undefined";

constexpr const char* kOffOn[] = {"Off", "On"};
constexpr const char* kScaleKeys[] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
constexpr const char* kScaleTypes[] = {"Equal Temp", "Pure Major", "Pure Minor", "Arabic", "Pythagorea",
                                       "Werckmeist", "Kirnberger", "Slendoro",   "Pelog",  "User Scale"};
constexpr const char* kTimeBases[] = {"1/32", "1/24", "1/16", "1/12", "3/32", "1/8", "1/6", "3/16",
                                      "1/4",  "1/3",  "3/8",  "1/2",  "2/3",  "3/4", "1/1"};
constexpr const char* kDelayTypes[] = {"StereoDelay", "CrossDelay", "L/R Delay"};
constexpr const char* kModTypes[] = {"Cho/Flg", "Ensemble", "Phaser"};
constexpr const char* kHiFreqs[] = {"1.00",  "1.25",  "1.50",  "1.75",  "2.00", "2.25", "2.50", "2.75",
                                    "3.00",  "3.25",  "3.50",  "3.75",  "4.00", "4.25", "4.50", "4.75",
                                    "5.00",  "5.25",  "5.50",  "5.75",  "6.00", "7.00", "8.00", "9.00",
                                    "10.00", "11.00", "12.00", "14.00", "16.00"};
constexpr const char* kLowFreqs[] = {"40",  "50",  "60",  "80",  "100", "120", "140", "160", "180", "200",
                                     "220", "240", "260", "280", "300", "320", "340", "360", "380", "400",
                                     "420", "440", "460", "480", "500", "600", "700", "800", "900"};
constexpr const char* kArpTargets[] = {"Both", "Timb1", "Timb2"};
constexpr const char* kArpTypes[] = {"Up", "Down", "Alt1", "Alt2", "Random", "Trigger"};
constexpr const char* kArpResolutions[] = {"1/24", "1/16", "1/12", "1/8", "1/6", "1/4"};
static_assert(std::size(kHiFreqs) == 29 && std::size(kLowFreqs) == 29);

std::string CommonValueText(int id, int32_t v) {
    switch (id) {
    case Id::kVoiceMode:
        switch (v) {
        case Id::kVoiceModeSingle: return "Single";
        case Id::kVoiceModeLayer: return "Layer";
        case Id::kVoiceModeVocoder: return "Vocoder";
        default: return kUndefind;
        }
    case Id::kScaleKey: return Pick(kScaleKeys, v, kUndefind);
    case Id::kScaleType: return Pick(kScaleTypes, v, kUndefind);
    case Id::kDelaySync:
    case Id::kArpOnOff:
    case Id::kArpLatch:
    case Id::kArpKeySync: return Pick(kOffOn, v, kUndefined);
    case Id::kDelayTimeBase: return Pick(kTimeBases, v, kUndefined);
    case Id::kDelayType: return Pick(kDelayTypes, v, kUndefined);
    case Id::kModType: return Pick(kModTypes, v, kUndefined);
    case Id::kEqHiFreq: return Pick(kHiFreqs, v, kUndefined);
    case Id::kEqLowFreq: return Pick(kLowFreqs, v, kUndefined);
    case Id::kEqHiGain:
    case Id::kEqLowGain: return Format("%+ld", static_cast<long>(v) - 64);
    case Id::kArpTarget: return Pick(kArpTargets, v, kUndefined);
    case Id::kArpType: return Pick(kArpTypes, v, kUndefined);
    case Id::kArpRange:
        return (v >= 0 && v <= 3) ? Format("%ld Octave", static_cast<long>(v) + 1) : kUndefined;
    case Id::kArpResolution: return Pick(kArpResolutions, v, kUndefined);
    case Id::kArpSwing: return Format("%+ld", v);
    default: return Format("%ld", v);
    }
}

bool IsCommon(int id) { return id >= 0 && id < Id::kCommonCount; }
bool IsTimbre1(int id) { return id >= Id::kTimbre1First && id < Id::kTimbre2First; }
bool IsTimbre2(int id) { return id >= Id::kTimbre2First && id < Id::kVocoderFirst; }
bool IsVocoder(int id) { return id >= Id::kVocoderFirst; }

template <std::size_t Offset, std::size_t Size, class Span>
auto Block(Span record) {
    return record.template subspan<Offset, Size>();
}

}  // namespace

MDevDescZEPHAProgram::MDevDescZEPHAProgram(MDevProgramOwner& owner) : owner_(&owner) {}

MDevDescZEPHAProgram& MDevDescZEPHAProgram::operator=(const MDevDescZEPHAProgram& other) {
    if (this == &other) return *this;
    modified_ = other.modified_;
    name_ = other.name_;
    common_ = other.common_;
    timbre1_ = other.timbre1_;
    timbre2_ = other.timbre2_;
    vocoder_ = other.vocoder_;
    raw_ = other.raw_;
    return *this;
}

void MDevDescZEPHAProgram::Init() {
    modified_ = false;
    name_.Set("Untitled");
    timbre1_.SetDefaults(0);
    timbre2_.SetDefaults(1);
    vocoder_.Init();
}

void MDevDescZEPHAProgram::SetName(const std::string& name) { name_.Set(name); }

std::string MDevDescZEPHAProgram::GetName() const { return name_.Get(); }

void MDevDescZEPHAProgram::SetParam(int id, int32_t value, int notify) {
    if (IsCommon(id)) {
        common_[id] = MDevStoreAs(WidthOf(id), value);
    } else if (IsTimbre1(id)) {
        timbre1_.SetParam(id - Id::kTimbre1First, value);
    } else if (IsTimbre2(id)) {
        timbre2_.SetParam(id - Id::kTimbre2First, value);
    } else if (IsVocoder(id)) {
        vocoder_.SetParam(id - Id::kVocoderFirst, value);
    }
    if (notify != 0) owner_->MarkModified(*this);
}

int32_t MDevDescZEPHAProgram::GetParam(int id) const {
    if (IsCommon(id)) return common_[id];
    if (IsTimbre1(id)) return timbre1_.GetParam(id - Id::kTimbre1First);
    if (IsTimbre2(id)) return timbre2_.GetParam(id - Id::kTimbre2First);
    if (IsVocoder(id)) return vocoder_.GetParam(id - Id::kVocoderFirst);
    return 0;
}

std::string MDevDescZEPHAProgram::GetValueText(int id) const {
    if (IsCommon(id)) return CommonValueText(id, GetParam(id));
    if (IsTimbre1(id)) return timbre1_.GetValueText(id - Id::kTimbre1First);
    if (IsTimbre2(id)) return timbre2_.GetValueText(id - Id::kTimbre2First);
    if (IsVocoder(id)) return vocoder_.GetValueText(id - Id::kVocoderFirst);
    return {};
}

std::string MDevDescZEPHAProgram::GetParamName(int id) const {
    if (IsCommon(id)) return kNames[id];
    if (IsTimbre1(id)) return timbre1_.GetParamName(id - Id::kTimbre1First);
    if (IsTimbre2(id)) return timbre2_.GetParamName(id - Id::kTimbre2First);
    if (IsVocoder(id)) return vocoder_.GetParamName(id - Id::kVocoderFirst);
    return {};
}

std::string MDevDescZEPHAProgram::GetUnitText(int id) const {
    switch (id) {
    case Id::kEqHiFreq: return "[kHz]";
    case Id::kEqLowFreq: return "[Hz]";
    case Id::kArpTempo: return "[BPM]";
    case Id::kArpGateTime:
    case Id::kArpSwing: return "[%]";
    default: return {};
    }
}

std::string MDevDescZEPHAProgram::GetColumnText(int column) const {
    switch (column) {
    case 0: return GetValueText(Id::kVoiceMode);
    case 1: return GetValueText(Id::kArpOnOff);
    case 2: return GetValueText(Id::kArpType);
    default: return {};
    }
}

void MDevDescZEPHAProgram::Commit() {
    if (modified_) owner_->SendEditBuffer();
    modified_ = false;
}

void MDevDescZEPHAProgram::FromBytes(std::span<const uint8_t, MDevProgramLayout::kRecordSize> record) {
    using namespace MDevProgramLayout;
    std::copy(record.begin(), record.end(), raw_.begin());
    name_.FromRecord(Block<kNameOffset, kNameSize>(record));

    MDevBitFieldCodec::Read(kFields, record, [this](int id, int32_t v) { SetParam(id, v, 0); });
    SetParam(Id::kArpTempo, record[kTempoHighByte] * 256 + record[kTempoLowByte], 0);

    switch (GetParam(Id::kVoiceMode)) {
    case Id::kVoiceModeSingle:
    case Id::kVoiceModeLayer:
        timbre1_.FromBytes(Block<kTimbre1Offset, kTimbreBlockSize>(record));
        timbre2_.FromBytes(Block<kTimbre2Offset, kTimbreBlockSize>(record));
        break;
    case Id::kVoiceModeVocoder: vocoder_.FromBytes(Block<kVocoderOffset, kVocoderBlockSize>(record)); break;
    default: break;
    }
}

void MDevDescZEPHAProgram::ToBytes(std::span<uint8_t, MDevProgramLayout::kRecordSize> record) const {
    using namespace MDevProgramLayout;
    std::copy(raw_.begin(), raw_.end(), record.begin());
    name_.ToRecord(Block<kNameOffset, kNameSize>(record));

    MDevBitFieldCodec::Write(
        kFields, kKept, [this](int id) { return GetParam(id); }, record);
    const auto tempo = static_cast<uint32_t>(GetParam(Id::kArpTempo));
    record[kTempoHighByte] = static_cast<uint8_t>(tempo >> 8);
    record[kTempoLowByte] = static_cast<uint8_t>(tempo);

    switch (GetParam(Id::kVoiceMode)) {
    case Id::kVoiceModeSingle:
    case Id::kVoiceModeLayer:
        timbre1_.ToBytes(Block<kTimbre1Offset, kTimbreBlockSize>(record));
        timbre2_.ToBytes(Block<kTimbre2Offset, kTimbreBlockSize>(record));
        break;
    case Id::kVoiceModeVocoder: vocoder_.ToBytes(Block<kVocoderOffset, kVocoderBlockSize>(record)); break;
    default: break;
    }
}

MDevProgramData MDevDescZEPHAProgram::ToBytes() const {
    MDevProgramData record{};
    ToBytes(record);
    return record;
}
