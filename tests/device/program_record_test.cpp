// Program record: round trips by voice mode, names, value texts, routing,
// modified flag and commit.

#include "device/MDevDescZEPHAProgram.h"
#include "device/MDevProgramName.h"
#include "tests/support/RecordingProgram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace records_test {

using velktest::RecordingProgramOwner;

namespace {

MDevProgramData RandomRecord(unsigned seed, int voiceMode) {
    std::mt19937 rng(seed);
    MDevProgramData r{};
    for (auto& b : r) b = static_cast<uint8_t>(rng());
    for (int i = 0; i < 12; ++i) r[i] = static_cast<uint8_t>('A' + rng() % 26);  // no trailing space
    r[16] = static_cast<uint8_t>((r[16] & 0xCF) | (voiceMode << 4));
    return r;
}

// Bits of each byte that survive FromBytes then ToBytes unchanged, taken
// from the record layout's read and written columns; every other bit goes
// out as 0 (except the second byte of each vocoder level and pan, which
// repeats the first).
std::array<uint8_t, 254> SurvivingBits(int voiceMode) {
    std::array<uint8_t, 254> m;
    m.fill(0xFF);
    const uint8_t common[24] = {
        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,  // 14-19 (14: length + kept bits 3-7)
        0x7F, 0x7F, 0x03, 0x7F, 0x7F, 0x03,  // 20-25
        0x7F, 0x7F, 0x7F, 0x7F, 0xFF, 0xFF,  // 26-31
        0xF3, 0x3F, 0x7F, 0x07, 0xFF, 0xFF,  // 32-37
    };
    std::copy(std::begin(common), std::end(common), m.begin() + 14);
    if (voiceMode == 0 || voiceMode == 2) {
        for (int base : {38, 146}) {
            auto t = [&](int byte, uint8_t mask) { m[base + byte] = mask; };
            t(1, 0xFB);
            t(7, 0x07);
            t(8, 0x7F);
            t(9, 0x7F);
            t(10, 0x3F);
            for (int b = 16; b <= 18; ++b) t(b, 0x7F);
            t(19, 0x03);
            t(20, 0x7F);
            t(21, 0x7F);
            t(25, 0x7F);
            t(26, 0x7F);
            for (int b = 30; b <= 37; ++b) t(b, 0x7F);
            t(39, 0x7F);
            t(40, 0xEF);
            t(42, 0x7F);
            t(43, 0xEF);
        }
    } else if (voiceMode == 3) {
        auto k = [&](int byte, uint8_t mask) { m[38 + byte] = mask; };
        k(1, 0xFB);
        k(7, 0x07);
        k(8, 0x7F);
        k(9, 0x7F);
        k(10, 0x3F);
        for (int b = 15; b <= 20; ++b) k(b, 0x7F);
        k(21, 0x07);
        k(22, 0x7F);
        k(23, 0x7F);
        k(24, 0x07);
        k(27, 0x7F);
        k(28, 0x7F);
        for (int b = 32; b <= 39; ++b) k(b, 0x7F);
        k(41, 0x7F);
        k(42, 0xEF);
        k(44, 0x7F);
        k(45, 0xEF);
        for (int b = 46; b <= 76; b += 2) k(b, 0x7F);
    }
    return m;
}

MDevProgramData ExpectedAfterRoundTrip(const MDevProgramData& in, int voiceMode) {
    const auto mask = SurvivingBits(voiceMode);
    MDevProgramData out{};
    for (std::size_t i = 0; i < in.size(); ++i) out[i] = in[i] & mask[i];
    if (voiceMode == 3) {
        for (int b = 38 + 47; b <= 38 + 77; b += 2) out[b] = in[b - 1] & 0x7F;
    }
    return out;
}

class ProgramRoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(ProgramRoundTrip, KeepsEveryBitTheLayoutCarries) {
    const int mode = GetParam();
    for (unsigned seed = 1; seed <= 20; ++seed) {
        RecordingProgramOwner owner;
        MDevDescZEPHAProgram program(owner);
        const MDevProgramData in = RandomRecord(seed, mode);
        program.FromBytes(in);
        const MDevProgramData out = program.ToBytes();
        const MDevProgramData expected = ExpectedAfterRoundTrip(in, mode);
        for (std::size_t i = 0; i < in.size(); ++i) {
            ASSERT_EQ(out[i], expected[i])
                << "seed " << seed << " byte " << i << " in 0x" << std::hex << int{in[i]};
        }
        // A record once written reads and writes back exactly.
        MDevDescZEPHAProgram again(owner);
        again.FromBytes(out);
        ASSERT_EQ(again.ToBytes(), out) << "seed " << seed;
        EXPECT_TRUE(owner.marked.empty());
    }
}

std::string VoiceModeName(const ::testing::TestParamInfo<int>& info) {
    static const char* const names[] = {"Single", "Undefined1", "Layer", "Vocoder"};
    return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(VoiceModes, ProgramRoundTrip, ::testing::Values(0, 1, 2, 3), VoiceModeName);

TEST(ProgramRecord, TriggerLengthKeepsBitsOfItsByte) {
    // Byte 14: the length is read with 0x0F and bits 3-7 are kept; a set bit
    // 3 must not carry into bit 4.
    struct Case {
        uint8_t in;
        int length;
        uint8_t out;
    };
    const Case cases[] = {
        {0x08, -1, 0x08}, {0xFF, -1, 0xFF}, {0xF8, 5, 0xFD}, {0x00, 7, 0x07}, {0x0F, 0, 0x08}};
    for (const auto& c : cases) {
        RecordingProgramOwner owner;
        MDevDescZEPHAProgram program(owner);
        MDevProgramData in{};
        in[14] = c.in;
        program.FromBytes(in);
        if (c.length >= 0) program.SetParam(MDevProgramParamId::kArpTriggerLength, c.length, 0);
        EXPECT_EQ(program.ToBytes()[14], c.out) << "in 0x" << std::hex << int{c.in};
    }
}

TEST(ProgramRecord, VocoderModeWritesItsBlockAndKeepsTheRest) {
    RecordingProgramOwner owner;
    MDevDescZEPHAProgram program(owner);
    const MDevProgramData in = RandomRecord(7, 3);
    program.FromBytes(in);
    program.SetParam(MDevProgramParamId::kVocoderFirst + 0, 5, 0);            // MIDI channel, block byte 0
    program.SetParam(MDevProgramParamId::kVocoderFirst + 83, 0x01020304, 0);  // last hold level
    program.SetParam(MDevProgramParamId::kTimbre2First + 64, 99, 0);          // not in this mode's layout
    const MDevProgramData out = program.ToBytes();
    EXPECT_EQ(out[38], 5);
    EXPECT_EQ((std::vector<uint8_t>(out.begin() + 176, out.begin() + 180)),
              (std::vector<uint8_t>{1, 2, 3, 4}));
    EXPECT_TRUE(std::equal(out.begin() + 180, out.end(), in.begin() + 180));
}

TEST(ProgramRecord, UndefinedVoiceModeLeavesPartsAsReceived) {
    RecordingProgramOwner owner;
    MDevDescZEPHAProgram program(owner);
    program.Init();
    const MDevProgramData in = RandomRecord(3, 1);
    program.FromBytes(in);
    // The parts keep their previous values and never reach the record.
    EXPECT_EQ(program.GetParam(MDevProgramParamId::kTimbre1First), -1);
    program.SetParam(MDevProgramParamId::kTimbre1First, 9, 0);
    program.SetParam(MDevProgramParamId::kVocoderFirst, 9, 0);
    const MDevProgramData out = program.ToBytes();
    EXPECT_TRUE(std::equal(out.begin() + 38, out.end(), in.begin() + 38));
}

TEST(ProgramRecord, ChangingVoiceModeSwitchesTheLayoutWritten) {
    RecordingProgramOwner owner;
    MDevDescZEPHAProgram program(owner);
    program.Init();
    const MDevProgramData in = RandomRecord(11, 0);
    program.FromBytes(in);
    program.SetParam(MDevProgramParamId::kVoiceMode, 3, 0);
    MDevProgramData vocoderBlock = in;
    MDevDescZEPHAProgramVocoder defaults;
    defaults.Init();
    defaults.ToBytes(std::span<uint8_t, 142>(vocoderBlock.data() + 38, 142));
    const MDevProgramData out = program.ToBytes();
    EXPECT_EQ((out[16] >> 4) & 3, 3);
    EXPECT_TRUE(std::equal(out.begin() + 38, out.begin() + 180, vocoderBlock.begin() + 38));
    EXPECT_TRUE(std::equal(out.begin() + 180, out.end(), in.begin() + 180));
}

TEST(ProgramRecord, TempoIsBigEndianSixteenBits) {
    RecordingProgramOwner owner;
    MDevDescZEPHAProgram program(owner);
    program.SetParam(MDevProgramParamId::kArpTempo, 300, 0);
    EXPECT_EQ(program.GetParam(MDevProgramParamId::kArpTempo), 300);
    const MDevProgramData out = program.ToBytes();
    EXPECT_EQ(out[30], 0x01);
    EXPECT_EQ(out[31], 0x2C);
}

TEST(ProgramRecord, ByteThirtyTwoClearsBitsTwoAndThree) {
    RecordingProgramOwner owner;
    MDevDescZEPHAProgram program(owner);
    MDevProgramData in{};
    in[32] = 0xFF;
    program.FromBytes(in);
    EXPECT_EQ(program.ToBytes()[32], 0xF3);
}

// --- names --------------------------------------------------------------

struct NameCase {
    std::string set;       // given to SetName
    std::string stored;    // GetName afterwards
    std::string recorded;  // record bytes 0-11 by ToBytes
    std::string readBack;  // GetName after FromBytes of that record
};

TEST(ProgramName, SetWriteAndReadBack) {
    // clang-format off
    const NameCase cases[] = {
        {"Bass", "Bass", "Bass        ", "Bass"},
        {"ABCDEFGHIJKL", "ABCDEFGHIJKL", "ABCDEFGHIJKL", "ABCDEFGHIJKL"},
        {"Lead ", "Lead ", "Lead        ", "Lead"},
        {"", "", "            ", ""},
        {"ABCDEFGHIJKLMN", "ABCDEFGHIJKL", "ABCDEFGHIJKL", "ABCDEFGHIJKL"},
        {" Pad", " Pad", " Pad        ", " Pad"},
        // clang-format on
        // Cut before a UTF-8 sequence that would not fit whole.
        // clang-format off
        {"ABCDEFGHIJK\xC3\xBC", "ABCDEFGHIJK", "ABCDEFGHIJK ", "ABCDEFGHIJK"},
        {"ABCDEFGHIJ\xE2\x82\xAC", "ABCDEFGHIJ", "ABCDEFGHIJ  ", "ABCDEFGHIJ"},
        {"ABCDEFGHI\xE2\x82\xAC" "x", "ABCDEFGHI\xE2\x82\xAC", "ABCDEFGHI\xE2\x82\xAC", "ABCDEFGHI\xE2\x82\xAC"},
        {"ABCDEFGHI\xF0\x9F\x98\x80", "ABCDEFGHI", "ABCDEFGHI   ", "ABCDEFGHI"},
        {"ABCDEFGH\xF0\x9F\x98\x80" "x", "ABCDEFGH\xF0\x9F\x98\x80", "ABCDEFGH\xF0\x9F\x98\x80", "ABCDEFGH\xF0\x9F\x98\x80"},
        // clang-format on
        // Bytes that are not UTF-8 are raw bytes and cut at 12.
        {std::string(14, '\x80'), std::string(12, '\x80'), std::string(12, '\x80'), std::string(12, '\x80')},
        {"\xE9t\xE9", "\xE9t\xE9", "\xE9t\xE9         ", "\xE9t\xE9"},
    };
    for (const auto& c : cases) {
        RecordingProgramOwner owner;
        MDevDescZEPHAProgram program(owner);
        program.SetName(c.set);
        EXPECT_EQ(program.GetName(), c.stored) << c.set;
        const MDevProgramData out = program.ToBytes();
        EXPECT_EQ(std::string(out.begin(), out.begin() + 12), c.recorded) << c.set;
        MDevDescZEPHAProgram back(owner);
        back.FromBytes(out);
        EXPECT_EQ(back.GetName(), c.readBack) << c.set;
    }
}

TEST(ProgramName, RecordNameWithEmbeddedNulStopsThere) {
    RecordingProgramOwner owner;
    MDevDescZEPHAProgram program(owner);
    MDevProgramData in{};
    const std::string bytes("AB\0CD       ", 12);
    std::copy(bytes.begin(), bytes.end(), in.begin());
    program.FromBytes(in);
    EXPECT_EQ(program.GetName(), "AB");
    const MDevProgramData out = program.ToBytes();
    EXPECT_EQ(std::string(out.begin(), out.begin() + 12), bytes);
}

// The synth's bytes as text: for the list and for file names, which must
// be UTF-8 to be listed at all.
TEST(ProgramName, AsTextIsLatin1WithControlBytesReplaced) {
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"Bass ~", "Bass ~"},
        {"Caf\xE9", "Caf\xC3\xA9"},
        {"\xA0\xFF", "\xC2\xA0\xC3\xBF"},
        {std::string("\0\x01\x1F\x7F\x80\x9F", 6), "______"},
        {"\xC3\xA9", "\xC3\x83\xC2\xA9"},  // UTF-8 bytes are bytes too
        {"", ""},
    };
    // clang-format on
    for (const auto& [bytes, text] : cases) EXPECT_EQ(MDevProgramName::AsText(bytes), text) << bytes;
}

// --- parameters -------------------------------------------------------

TEST(ProgramParams, StoredAtFieldWidthAndRoutedByRange) {
    struct Case {
        int id;
        int32_t set;
        int32_t get;
    };
    // clang-format off
    const Case cases[] = {
        {0, 300, 44},            // common: low 8 bits
        {17, 300, 300},          // tempo: low 16 bits
        {17, 70000, 4464},
        {26, -20, -20},          // swing: signed 8 bits
        {26, 200, -56},
        {27, -1, 255},           // octave: unsigned 8 bits
        {28, 255, -1},           // Timbre 1 t0: signed 8 bits
        {30, 5, 5},              // Timbre 1 t2: 32 bits
        {29, 300, 44},           // Timbre 1 t1: 8 bits
        {93 + 20, 300, 44},      // Timbre 2 t20
        {158, 255, -1},          // vocoder k0: signed 8 bits
        {158 + 68, -1, -1},      // vocoder hold level: 32 bits
        {241, 100000, 100000},
        {242, 5, 0},             // beyond the vocoder part
        {-1, 5, 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        RecordingProgramOwner owner;
        MDevDescZEPHAProgram program(owner);
        program.SetParam(c.id, c.set, 0);
        EXPECT_EQ(program.GetParam(c.id), c.get) << "id " << c.id;
    }
}

TEST(ProgramParams, TimbresAreIndependent) {
    RecordingProgramOwner owner;
    MDevDescZEPHAProgram program(owner);
    program.Init();
    program.SetParam(MDevProgramParamId::kTimbre1First + 24, 11, 0);
    EXPECT_EQ(program.GetParam(MDevProgramParamId::kTimbre1First + 24), 11);
    EXPECT_EQ(program.GetParam(MDevProgramParamId::kTimbre2First + 24), 127);
}

TEST(ProgramParams, ValueTexts) {
    struct Case {
        int id;
        int32_t value;
        const char* text;
    };
    // clang-format off
    const Case cases[] = {
        {0, 7, "7"}, {1, 255, "255"},
        {2, 0, "Single"}, {2, 1, "Undefind"}, {2, 2, "Layer"}, {2, 3, "Vocoder"}, {2, 4, "Undefind"},
        {3, 0, "C"}, {3, 11, "B"}, {3, 12, "Undefind"},
        {4, 0, "Equal Temp"}, {4, 9, "User Scale"}, {4, 10, "Undefind"},
        {5, 0, "Off"}, {5, 1, "On"}, {5, 2, "Undefined"},
        {6, 0, "1/32"}, {6, 12, "2/3"}, {6, 14, "1/1"}, {6, 15, "Undefined"},
        {9, 0, "StereoDelay"}, {9, 2, "L/R Delay"}, {9, 3, "Undefined"},
        {12, 0, "Cho/Flg"}, {12, 2, "Phaser"}, {12, 3, "Undefined"},
        {13, 0, "1.00"}, {13, 20, "6.00"}, {13, 28, "16.00"}, {13, 29, "Undefined"},
        {14, 64, "+0"}, {14, 0, "-64"}, {14, 127, "+63"},
        {15, 0, "40"}, {15, 16, "340"}, {15, 28, "900"}, {15, 29, "Undefined"},
        {16, 65, "+1"},
        {17, 300, "300"},
        {18, 1, "On"}, {19, 0, "Off"}, {21, 2, "Undefined"},
        {20, 0, "Both"}, {20, 2, "Timb2"}, {20, 3, "Undefined"},
        {22, 0, "Up"}, {22, 5, "Trigger"}, {22, 6, "Undefined"},
        {23, 0, "1 Octave"}, {23, 3, "4 Octave"}, {23, 4, "Undefined"},
        {25, 0, "1/24"}, {25, 5, "1/4"}, {25, 6, "Undefined"},
        {26, -20, "-20"}, {26, 0, "+0"}, {26, 20, "+20"},
        {27, -1, "255"},
        {28, -1, "-1"}, {92, 64, "64"}, {157, 3, "3"},
        {158, 5, ""}, {241, 5, ""}, {242, 5, ""}, {-1, 5, ""},
    };
    // clang-format on
    for (const auto& c : cases) {
        RecordingProgramOwner owner;
        MDevDescZEPHAProgram program(owner);
        program.SetParam(c.id, c.value, 0);
        EXPECT_EQ(program.GetValueText(c.id), c.text) << "id " << c.id << " value " << c.value;
    }
}

TEST(ProgramParams, NamesAndUnits) {
    struct Case {
        int id;
        const char* name;
        const char* unit;
    };
    // clang-format off
    const Case cases[] = {
        {0, "Arppegio Trigger Length", ""}, {2, "Voice Mode", ""},
        {6, "Delay FX Time Base", ""}, {12, "MOD FX Type", ""},
        {13, "EQ Hi Freq", "[kHz]"}, {14, "EQ Hi Gain", ""}, {15, "EQ Low Freq", "[Hz]"},
        {17, "Arppegio Tempo", "[BPM]"}, {18, "Arppegio On/Off", ""},
        {24, "Arppegio Gate Time", "[%]"}, {25, "Arppegio Resolution", ""},
        {26, "Arppegio Swing", "[%]"}, {27, "KBD Octave", ""},
        {28, "Timbre 1 MIDI ch.", ""}, {47, "Timbre 1 PITCH2 Portamento Time", ""},
        {92, "Timbre 1 PATCH4 Intensity", ""}, {93, "Timbre 2 MIDI ch.", ""},
        {93 + 24, "Timbre 2 FILTER Cutoff", ""}, {157, "Timbre 2 PATCH4 Intensity", ""},
        {158, "", ""}, {241, "", ""}, {242, "", ""}, {-1, "", ""},
    };
    // clang-format on
    RecordingProgramOwner owner;
    MDevDescZEPHAProgram program(owner);
    program.Init();
    for (const auto& c : cases) {
        EXPECT_EQ(program.GetParamName(c.id), c.name) << "id " << c.id;
        EXPECT_EQ(program.GetUnitText(c.id), c.unit) << "id " << c.id;
    }
    std::size_t longest = 0;
    for (int id = 0; id < program.GetParamCount(); ++id)
        longest = std::max(longest, program.GetParamName(id).size());
    EXPECT_EQ(program.GetParamCount(), 242);
    EXPECT_EQ(longest, 31u);
}

TEST(ProgramParams, ColumnTexts) {
    RecordingProgramOwner owner;
    MDevDescZEPHAProgram program(owner);
    program.SetParam(MDevProgramParamId::kVoiceMode, 3, 0);
    program.SetParam(MDevProgramParamId::kArpOnOff, 1, 0);
    program.SetParam(MDevProgramParamId::kArpType, 4, 0);
    EXPECT_EQ(program.GetColumnText(0), "Vocoder");
    EXPECT_EQ(program.GetColumnText(1), "On");
    EXPECT_EQ(program.GetColumnText(2), "Random");
    EXPECT_EQ(program.GetColumnText(3), "");
    EXPECT_EQ(program.GetColumnText(-1), "");
}

// --- lifecycle ----------------------------------------------------------

TEST(ProgramLifecycle, InitSetsNameAndPartsButNotCommonOrRaw) {
    RecordingProgramOwner owner;
    MDevDescZEPHAProgram program(owner);
    MDevProgramData in = RandomRecord(5, 0);
    program.FromBytes(in);
    program.SetParam(MDevProgramParamId::kDelayTime, 33, 1);
    ASSERT_TRUE(program.IsModified());
    program.Init();
    EXPECT_FALSE(program.IsModified());
    EXPECT_EQ(program.GetName(), "Untitled");
    EXPECT_EQ(program.GetParam(MDevProgramParamId::kDelayTime), 33);
    EXPECT_EQ(program.GetParam(MDevProgramParamId::kTimbre2First + 57), 11);   // PATCH2 Source
    EXPECT_EQ(program.GetParam(MDevProgramParamId::kVocoderFirst + 21), 100);  // Gate Sense
    const MDevProgramData out = program.ToBytes();
    EXPECT_EQ(out[12], in[12]);
    EXPECT_EQ(out[13], in[13]);
    EXPECT_EQ(out[18], in[18]);
}

TEST(ProgramLifecycle, NotifyMarksModifiedThroughOwner) {
    RecordingProgramOwner owner;
    MDevDescZEPHAProgram program(owner);
    program.SetParam(MDevProgramParamId::kDelayTime, 1, 0);
    EXPECT_TRUE(owner.marked.empty());
    EXPECT_FALSE(program.IsModified());
    program.SetParam(MDevProgramParamId::kDelayTime, 2, 1);
    program.SetParam(-5, 2, 1);  // stores nothing, still announced
    program.SetParam(500, 2, 7);
    ASSERT_EQ(owner.marked.size(), 3u);
    EXPECT_EQ(owner.marked[0], &program);
    EXPECT_TRUE(program.IsModified());
}

TEST(ProgramLifecycle, FromBytesAnnouncesNothing) {
    RecordingProgramOwner owner;
    MDevDescZEPHAProgram program(owner);
    program.FromBytes(RandomRecord(9, 3));
    EXPECT_TRUE(owner.marked.empty());
    EXPECT_FALSE(program.IsModified());
}

TEST(ProgramLifecycle, CommitSendsOnlyWhenModified) {
    RecordingProgramOwner owner;
    MDevDescZEPHAProgram program(owner);
    program.Commit();
    EXPECT_EQ(owner.sent, 0);
    program.SetParam(MDevProgramParamId::kDelayTime, 2, 1);
    program.Commit();
    EXPECT_EQ(owner.sent, 1);
    EXPECT_FALSE(program.IsModified());
    program.Commit();
    EXPECT_EQ(owner.sent, 1);
}

TEST(ProgramLifecycle, CopiesCarryEverythingButAssignmentKeepsOwnOwner) {
    RecordingProgramOwner first, second;
    MDevDescZEPHAProgram source(first);
    source.Init();
    source.FromBytes(RandomRecord(13, 3));
    source.SetName("Copied");
    source.SetParam(MDevProgramParamId::kVocoderFirst + 70, 1234, 1);

    MDevDescZEPHAProgram assigned(second);
    assigned = source;
    EXPECT_EQ(&assigned.Owner(), &second);
    EXPECT_EQ(assigned.ToBytes(), source.ToBytes());
    EXPECT_EQ(assigned.GetName(), "Copied");
    EXPECT_TRUE(assigned.IsModified());
    assigned.Commit();
    EXPECT_EQ(second.sent, 1);
    EXPECT_EQ(first.sent, 0);

    MDevDescZEPHAProgram constructed(source);
    EXPECT_EQ(&constructed.Owner(), &first);
    EXPECT_EQ(constructed.ToBytes(), source.ToBytes());
}

}  // namespace
}  // namespace records_test
