#include "SimTestSupport.h"

namespace {
constexpr SimModel B = SimModel::Brontisel;
constexpr SimModel S = SimModel::BrontiselS;

const Bytes kProgramBytes(kSimProgramSize, 0x9A);
const Bytes kGlobalBytes(kSimGlobalSize, 0x11);
const Bytes kAllB(32712, 0x22);
const Bytes kProgramsB(32512, 0x33);
const Bytes kAllS(65024, 0x44);

struct Exchange {
    const char* name;
    SimModel model;
    std::uint8_t channel;
    Bytes request;
    std::size_t wireSize;  // of the reply (0: none)
    Bytes replyStart;      // the reply's first bytes
};

// The case's name stands for it in the test log.
void PrintTo(const Exchange& e, std::ostream* os) { *os << e.name; }

class SimSynthExchange : public SimFixture, public ::testing::WithParamInterface<Exchange> {};

TEST_P(SimSynthExchange, RepliesWithExactBytes) {
    const Exchange& e = GetParam();
    Make(e.model);
    Synth().SetChannel(e.channel);
    Send(e.request);
    const auto out = Take();
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].size(), e.wireSize);
    EXPECT_EQ(Bytes(out[0].begin(), out[0].begin() + static_cast<std::ptrdiff_t>(e.replyStart.size())),
              e.replyStart);
    EXPECT_EQ(out[0].back(), 0xF7);
    EXPECT_EQ(Synth().IgnoredCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    All, SimSynthExchange,
    ::testing::Values(
        Exchange{"IdentityB",
                 B,
                 0,
                 kIdentityRequest,
                 15,
                 {0xF0, 0x7E, 0x00, 0x06, 0x02, 0x42, 0x58, 0x00, 0x11, 0x00, 0x01, 0x00, 0x00, 0x00, 0xF7}},
        Exchange{"IdentityS",
                 S,
                 0x09,
                 kIdentityRequest,
                 15,
                 {0xF0, 0x7E, 0x09, 0x06, 0x02, 0x42, 0x40, 0x01, 0x01, 0x00, 0x01, 0x00, 0x00, 0x00, 0xF7}},
        Exchange{
            "AllDataB", B, 0, {0xF0, 0x42, 0x30, 0x58, 0x0F, 0xF7}, 37392, {0xF0, 0x42, 0x30, 0x58, 0x50}},
        Exchange{"AllDataBChannel5",
                 B,
                 5,
                 {0xF0, 0x42, 0x35, 0x58, 0x0F, 0xF7},
                 37392,
                 {0xF0, 0x42, 0x35, 0x58, 0x50}},
        Exchange{"GlobalRequestS",
                 S,
                 0,
                 {0xF0, 0x42, 0x30, 0x00, 0x01, 0x40, 0x0E, 0xF7},
                 237,
                 {0xF0, 0x42, 0x30, 0x00, 0x01, 0x40, 0x51}},
        Exchange{"AllDataS",
                 S,
                 0,
                 {0xF0, 0x42, 0x30, 0x00, 0x01, 0x40, 0x0F, 0xF7},
                 74322,
                 {0xF0, 0x42, 0x30, 0x00, 0x01, 0x40, 0x50}},
        Exchange{"GlobalRequestB",
                 B,
                 0,
                 {0xF0, 0x42, 0x30, 0x58, 0x0E, 0xF7},
                 235,
                 {0xF0, 0x42, 0x30, 0x58, 0x51}},
        Exchange{"ProgramDumpB", B, 0, Dump(B, 0x40, kProgramBytes), 6, {0xF0, 0x42, 0x30, 0x58, 0x23, 0xF7}},
        Exchange{"ProgramDumpS",
                 S,
                 0,
                 Dump(S, 0x40, kProgramBytes),
                 8,
                 {0xF0, 0x42, 0x30, 0x00, 0x01, 0x40, 0x23, 0xF7}},
        Exchange{"GlobalDumpB", B, 0, Dump(B, 0x51, kGlobalBytes), 6, {0xF0, 0x42, 0x30, 0x58, 0x23, 0xF7}},
        Exchange{"GlobalDumpS",
                 S,
                 0,
                 Dump(S, 0x51, kGlobalBytes),
                 8,
                 {0xF0, 0x42, 0x30, 0x00, 0x01, 0x40, 0x23, 0xF7}},
        Exchange{"AllDataDumpB", B, 0, Dump(B, 0x50, kAllB), 6, {0xF0, 0x42, 0x30, 0x58, 0x23, 0xF7}},
        Exchange{
            "ProgramDataDumpB", B, 0, Dump(B, 0x4C, kProgramsB), 6, {0xF0, 0x42, 0x30, 0x58, 0x23, 0xF7}},
        Exchange{
            "AllDataDumpS", S, 0, Dump(S, 0x50, kAllS), 8, {0xF0, 0x42, 0x30, 0x00, 0x01, 0x40, 0x23, 0xF7}},
        Exchange{"WriteB",
                 B,
                 0,
                 {0xF0, 0x42, 0x30, 0x58, 0x11, 0x00, 0x7F, 0xF7},
                 6,
                 {0xF0, 0x42, 0x30, 0x58, 0x21, 0xF7}},
        Exchange{"WriteS",
                 S,
                 0,
                 {0xF0, 0x42, 0x30, 0x00, 0x01, 0x40, 0x11, 0x7F, 0x01, 0xF7},
                 8,
                 {0xF0, 0x42, 0x30, 0x00, 0x01, 0x40, 0x21, 0xF7}}),
    [](const auto& info) { return std::string(info.param.name); });

// The messages the system sends, as they must look, are the only ones taken.
struct Ignored {
    const char* name;
    SimModel model;
    Bytes message;
};

void PrintTo(const Ignored& c, std::ostream* os) { *os << c.name; }

class SimSynthIgnores : public SimFixture, public ::testing::WithParamInterface<Ignored> {};

TEST_P(SimSynthIgnores, NoReplyNoChange) {
    const Ignored& c = GetParam();
    Make(c.model);
    const auto programs = Synth().Program(0);
    const auto global = Synth().Global();
    Send(c.message);
    EXPECT_TRUE(Take().empty());
    EXPECT_EQ(Synth().IgnoredCount(), 1u);
    EXPECT_EQ(Synth().Received().size(), 1u);
    EXPECT_EQ(Synth().Program(0), programs);
    EXPECT_EQ(Synth().Global(), global);
    EXPECT_TRUE(Synth().ProgramChanges().empty());
    EXPECT_TRUE(Synth().BankSelects().empty());
}

Bytes Cut(Bytes m) {
    m.erase(m.end() - 2);
    return m;
}  // one payload byte short
Bytes Grow(Bytes m) {
    m.insert(m.end() - 1, 0x00);
    return m;
}  // one byte long

INSTANTIATE_TEST_SUITE_P(
    All, SimSynthIgnores,
    ::testing::Values(
        Ignored{"Empty", B, {}}, Ignored{"RealTime", B, {0xF8}},
        Ignored{"IdentityToOneDevice", B, {0xF0, 0x7E, 0x00, 0x06, 0x01, 0xF7}},
        Ignored{"IdentityLong", B, {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0x00, 0xF7}},
        Ignored{"OtherMaker", B, {0xF0, 0x41, 0x30, 0x58, 0x0F, 0xF7}},
        Ignored{"OtherChannel", B, {0xF0, 0x42, 0x31, 0x58, 0x0F, 0xF7}},
        Ignored{"OtherModelIdOnB", B, {0xF0, 0x42, 0x30, 0x00, 0x01, 0x40, 0x0F, 0xF7}},
        Ignored{"OtherModelIdOnS", S, {0xF0, 0x42, 0x30, 0x58, 0x0F, 0xF7}},
        Ignored{"PartialIdOnS", S, {0xF0, 0x42, 0x30, 0x00, 0x01, 0x41, 0x0F, 0xF7}},
        Ignored{"RequestWithByte", B, {0xF0, 0x42, 0x30, 0x58, 0x0F, 0x00, 0xF7}},
        Ignored{"NoEnd", B, {0xF0, 0x42, 0x30, 0x58, 0x0F}},
        Ignored{"StatusInside", B, {0xF0, 0x42, 0x30, 0x58, 0x90, 0x0F, 0xF7}},
        Ignored{"UnknownFunction", B, {0xF0, 0x42, 0x30, 0x58, 0x7E, 0xF7}},
        Ignored{"HeaderOnly", S, {0xF0, 0x42, 0x30, 0x00, 0x01, 0x40, 0xF7}},
        Ignored{"ProgramDumpShort", B, Cut(Dump(B, 0x40, kProgramBytes))},
        Ignored{"ProgramDumpLong", B, Grow(Dump(B, 0x40, kProgramBytes))},
        Ignored{"GlobalDumpShort", S, Cut(Dump(S, 0x51, kGlobalBytes))},
        Ignored{"GlobalDumpOtherModel", B, Dump(S, 0x51, kGlobalBytes)},
        Ignored{"AllDataShortB", B, Cut(Dump(B, 0x50, kAllB))},
        Ignored{"AllDataOfSOnB", B, DeviceMessage(B, 0, 0x50, SimPack::Pack(kAllS))},
        Ignored{"AllDataShortS", S, Cut(Dump(S, 0x50, kAllS))},
        Ignored{"AllDataOfBOnS", S, DeviceMessage(S, 0, 0x50, SimPack::Pack(kAllB))},
        Ignored{"ProgramDataDumpOnS", S, DeviceMessage(S, 0, 0x4C, SimPack::Pack(kProgramsB))},
        Ignored{"WriteB_NonZeroFirst", B, {0xF0, 0x42, 0x30, 0x58, 0x11, 0x01, 0x05, 0xF7}},
        Ignored{"WriteB_Short", B, {0xF0, 0x42, 0x30, 0x58, 0x11, 0x05, 0xF7}},
        Ignored{"WriteS_Slot256", S, {0xF0, 0x42, 0x30, 0x00, 0x01, 0x40, 0x11, 0x00, 0x02, 0xF7}},
        Ignored{"ProgramChangeOtherChannel", B, {0xC1, 0x05}},
        Ignored{"ProgramChangeLong", B, {0xC0, 0x05, 0x00}}, Ignored{"BankSelectShort", S, {0xB0, 0x20}},
        Ignored{"OtherController", S, {0xB0, 0x07, 0x64}}, Ignored{"NoteOn", B, {0x90, 0x40, 0x40}}),
    [](const auto& info) { return std::string(info.param.name); });

using SimSynthStore = SimFixture;

TEST_F(SimSynthStore, ProgramDumpThenWriteStoresTheEditBufferInTheSlot) {
    for (const auto& [model, slot, lo, hi] :
         {std::tuple{B, 5, 0x00, 0x05}, std::tuple{B, 127, 0x00, 0x7F}, std::tuple{S, 200, 0x48, 0x01}}) {
        Make(model);
        const auto record = Pattern<kSimProgramSize>(slot);
        Send(Dump(model, 0x40, AsBytes(record)));
        EXPECT_EQ(Synth().EditBuffer(), record);
        EXPECT_NE(Synth().Program(slot), record);
        Bytes write =
            DeviceMessage(model, 0, 0x11, {static_cast<std::uint8_t>(lo), static_cast<std::uint8_t>(hi)});
        if (model == B) write = DeviceMessage(model, 0, 0x11, {0x00, static_cast<std::uint8_t>(hi)});
        Send(write);
        EXPECT_EQ(Synth().Program(slot), record);
        EXPECT_EQ(Synth().Program(slot - 1), SimSynth::DefaultProgram(slot - 1));
        const auto out = Take();
        ASSERT_EQ(out.size(), 2u);
        EXPECT_EQ(out[0], DeviceMessage(model, 0, 0x23));
        EXPECT_EQ(out[1], DeviceMessage(model, 0, 0x21));
    }
}

TEST_F(SimSynthStore, GlobalDumpIsStored) {
    Make(S);
    auto global = Pattern<kSimGlobalSize>(1);
    global[5] &= 0xFE;
    Send(Dump(S, 0x51, AsBytes(global)));
    EXPECT_EQ(Synth().Global(), global);
}

TEST_F(SimSynthStore, AllDataDumpOfBStoresProgramsAndGlobal) {
    Make(B);
    Bytes all;
    for (int i = 0; i < 128; ++i) {
        const auto p = Pattern<kSimProgramSize>(i);
        all.insert(all.end(), p.begin(), p.end());
    }
    auto global = Pattern<kSimGlobalSize>(500);
    global[5] &= 0xFE;
    all.insert(all.end(), global.begin(), global.end());
    Send(Dump(B, 0x50, all));
    for (int i : {0, 1, 64, 127}) EXPECT_EQ(Synth().Program(i), Pattern<kSimProgramSize>(i)) << i;
    EXPECT_EQ(Synth().Global(), global);
}

TEST_F(SimSynthStore, ProgramDataDumpOfBLeavesTheGlobal) {
    Make(B);
    const auto global = Synth().Global();
    Bytes programs;
    for (int i = 0; i < 128; ++i) {
        const auto p = Pattern<kSimProgramSize>(i);
        programs.insert(programs.end(), p.begin(), p.end());
    }
    Send(Dump(B, 0x4C, programs));
    EXPECT_EQ(Synth().Program(127), Pattern<kSimProgramSize>(127));
    EXPECT_EQ(Synth().Global(), global);
}

TEST_F(SimSynthStore, AllDataDumpOfSStoresAll256Programs) {
    Make(S);
    Bytes all;
    for (int i = 0; i < 256; ++i) {
        const auto p = Pattern<kSimProgramSize>(i);
        all.insert(all.end(), p.begin(), p.end());
    }
    Send(Dump(S, 0x50, all));
    for (int i : {0, 127, 128, 255}) EXPECT_EQ(Synth().Program(i), Pattern<kSimProgramSize>(i)) << i;
}

// What the device holds is what its dumps carry: programs in order, then the
// global on the Brontisel; the Brontisel S answers its two requests in order.
TEST_F(SimSynthStore, DumpsCarryTheStoredData) {
    Make(B);
    Synth().SetProgram(3, Pattern<kSimProgramSize>(3));
    Synth().SetGlobal(Pattern<kSimGlobalSize>(9));
    Send(DeviceMessage(B, 0, 0x0F));
    auto out = Take();
    ASSERT_EQ(out.size(), 1u);
    const Bytes all = Payload(out[0], 5);
    ASSERT_EQ(all.size(), 32712u);
    EXPECT_EQ(Bytes(all.begin() + 3 * 254, all.begin() + 4 * 254), AsBytes(Pattern<kSimProgramSize>(3)));
    EXPECT_EQ(Bytes(all.begin() + 2 * 254, all.begin() + 2 * 254 + 12),
              Bytes({'P', 'r', 'o', 'g', ' ', '0', '0', '2', ' ', ' ', ' ', ' '}));
    const auto global = Pattern<kSimGlobalSize>(9);
    EXPECT_EQ(Bytes(all.begin() + 32512, all.end()), AsBytes(global));

    Make(S);
    Synth().SetProgram(255, Pattern<kSimProgramSize>(255));
    Synth().SetGlobal(global);
    Send(DeviceMessage(S, 0, 0x0E));
    Send(DeviceMessage(S, 0, 0x0F));
    out = Take();
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0][6], 0x51);
    EXPECT_EQ(Payload(out[0], 7), AsBytes(global));
    EXPECT_EQ(out[1][6], 0x50);
    const Bytes allS = Payload(out[1], 7);
    ASSERT_EQ(allS.size(), 65024u);
    EXPECT_EQ(Bytes(allS.end() - 254, allS.end()), AsBytes(Pattern<kSimProgramSize>(255)));
}

TEST_F(SimSynthStore, ProgramChangeAndBankSelectAreRecorded) {
    Make(S);
    Synth().SetChannel(2);
    for (const Bytes& m : {Bytes{0xB2, 0x00, 0x00}, Bytes{0xB2, 0x20, 0x01}, Bytes{0xC2, 0x48}}) Send(m);
    EXPECT_EQ(Synth().BankSelects(), (std::vector<SimBankSelect>{{0x00, 0x00}, {0x20, 0x01}}));
    EXPECT_EQ(Synth().ProgramChanges(), Bytes{0x48});
    EXPECT_EQ(Synth().CurrentBank(), 1);
    EXPECT_EQ(Synth().CurrentProgram(), 200);
    EXPECT_EQ(Synth().EditBuffer(), SimSynth::DefaultProgram(200));
    EXPECT_TRUE(Take().empty());

    Make(B);
    Send({0xC0, 0x7F});
    EXPECT_EQ(Synth().ProgramChanges(), Bytes{0x7F});
    EXPECT_EQ(Synth().CurrentProgram(), 127);
    EXPECT_EQ(Synth().EditBuffer(), SimSynth::DefaultProgram(127));
}
}  // namespace
