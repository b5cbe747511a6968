#include "SimTestSupport.h"

#include "simulator/SimReplyPump.h"

#include <condition_variable>
#include <mutex>

namespace {
using namespace std::chrono_literals;
constexpr SimModel B = SimModel::Brontisel;
constexpr SimModel S = SimModel::BrontiselS;

const Bytes kLoadCompletedB{0xF0, 0x42, 0x30, 0x58, 0x23, 0xF7};

Bytes ProgramDump(SimModel model) { return Dump(model, 0x40, Bytes(kSimProgramSize, 0x55)); }

// How each fault changes the Brontisel's data load completed reply (and one
// dump): the system's acceptance rules are tested against these.
struct FaultCase {
    const char* name;
    SimFault fault;
    std::vector<Bytes> replies;
};

// The case's name stands for it in the test log.
void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

class SimSynthFaults : public SimFixture, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(SimSynthFaults, ChangeTheReply) {
    Make(B);
    Synth().SetFault(SimReply::LoadCompleted, GetParam().fault);
    Send(ProgramDump(B));
    EXPECT_EQ(Take(), GetParam().replies);
    EXPECT_EQ(Synth().EditBuffer()[0], 0x55);  // the device still acted
}

INSTANTIATE_TEST_SUITE_P(
    All, SimSynthFaults,
    ::testing::Values(
        FaultCase{"None", SimFault(), {kLoadCompletedB}}, FaultCase{"Silent", SimFault().WithSilence(), {}},
        FaultCase{"WrongChannel", SimFault().WithWrongChannel(), {{0xF0, 0x42, 0x31, 0x58, 0x23, 0xF7}}},
        FaultCase{"OtherModelId",
                  SimFault().WithOtherModelId(),
                  {{0xF0, 0x42, 0x30, 0x00, 0x01, 0x40, 0x23, 0xF7}}},
        FaultCase{"LongerByOne", SimFault().WithLengthDelta(1), {{0xF0, 0x42, 0x30, 0x58, 0x23, 0x00, 0xF7}}},
        FaultCase{"ShorterLeavesHeader", SimFault().WithLengthDelta(-1), {kLoadCompletedB}},
        FaultCase{"UnknownFunction", SimFault().WithFunction(0x7E), {{0xF0, 0x42, 0x30, 0x58, 0x7E, 0xF7}}},
        FaultCase{"Twice", SimFault().WithTwice(), {kLoadCompletedB, kLoadCompletedB}}),
    [](const auto& info) { return std::string(info.param.name); });

using SimSynthKnobs = SimFixture;

TEST_F(SimSynthKnobs, FaultsOnDumpsAndIdentity) {
    Make(S);
    Synth().SetFault(SimReply::AllDataDump, SimFault().WithLengthDelta(-1));
    Synth().SetFault(SimReply::GlobalDump, SimFault().WithLengthDelta(2));
    Synth().SetFault(SimReply::Identity, SimFault().WithOtherModelId().WithLengthDelta(-1));
    Send(DeviceMessage(S, 0, 0x0F));
    Send(DeviceMessage(S, 0, 0x0E));
    Send(kIdentityRequest);
    const auto out = Take();
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0].size(), 74321u);
    EXPECT_EQ(out[0].back(), 0xF7);
    EXPECT_EQ(out[1].size(), 239u);
    EXPECT_EQ(Bytes(out[1].end() - 3, out[1].end()), (Bytes{0x00, 0x00, 0xF7}));
    EXPECT_EQ(out[2],
              (Bytes{0xF0, 0x7E, 0x00, 0x06, 0x02, 0x42, 0x58, 0x00, 0x11, 0x00, 0x01, 0x00, 0x00, 0xF7}));
}

TEST_F(SimSynthKnobs, SilenceForOneRequestOfTheBrontiselS) {
    Make(S);
    Synth().SetFault(SimReply::GlobalDump, SimFault().WithSilence());
    Send(DeviceMessage(S, 0, 0x0E));
    Send(DeviceMessage(S, 0, 0x0F));
    const auto out = Take();
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0][6], 0x50);
    Synth().ClearFaults();
    Send(DeviceMessage(S, 0, 0x0E));
    EXPECT_EQ(Take().size(), 1u);
}

TEST_F(SimSynthKnobs, WriteProtectNeverAnswersWriteCompleted) {
    Make(B);
    Synth().SetWriteProtect(true);
    EXPECT_TRUE(Synth().WriteProtect());
    EXPECT_EQ(Synth().Global()[5] & 0x01, 0x01);
    Send(ProgramDump(B));
    Send({0xF0, 0x42, 0x30, 0x58, 0x11, 0x00, 0x04, 0xF7});
    EXPECT_EQ(Take(), std::vector<Bytes>{kLoadCompletedB});
    EXPECT_EQ(Synth().Program(4), SimSynth::DefaultProgram(4));
    EXPECT_EQ(Synth().IgnoredCount(), 0u);

    // A global from the system (bit clear) leaves the protection on.
    Send(Dump(B, 0x51, Bytes(kSimGlobalSize, 0x00)));
    EXPECT_TRUE(Synth().WriteProtect());
    // The dumps tell the system.
    Send(DeviceMessage(B, 0, 0x0F));
    auto out = Take();
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(Payload(out[1], 5)[32512 + 5] & 0x01, 0x01);

    Synth().SetWriteProtect(false);
    Send({0xF0, 0x42, 0x30, 0x58, 0x11, 0x00, 0x04, 0xF7});
    EXPECT_EQ(Take(), (std::vector<Bytes>{Bytes{0xF0, 0x42, 0x30, 0x58, 0x21, 0xF7}}));

    // A global whose bit is set turns the protection on.
    Bytes protecting(kSimGlobalSize, 0x00);
    protecting[5] = 0x01;
    Send(Dump(B, 0x51, protecting));
    EXPECT_TRUE(Synth().WriteProtect());
}

TEST_F(SimSynthKnobs, ReplyDelayAndLateRepliesOnAFakeClock) {
    Make(S);
    Synth().SetReplyDelay(100ms);
    Synth().SetFault(SimReply::GlobalDump, SimFault().WithLate(400ms));
    Send(DeviceMessage(S, 0, 0x0E));
    Send(DeviceMessage(S, 0, 0x0F));
    EXPECT_TRUE(Take().empty());
    EXPECT_EQ(Synth().PendingReplies(), 2u);
    EXPECT_EQ(Synth().NextDue(), now_ + 100ms);
    Advance(99ms);
    EXPECT_TRUE(Take().empty());
    Advance(1ms);
    auto out = Take();
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0][6], 0x50);
    Advance(399ms);
    EXPECT_TRUE(Take().empty());
    Advance(1ms);
    out = Take();
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0][6], 0x51);
    EXPECT_FALSE(Synth().NextDue().has_value());
}

TEST_F(SimSynthKnobs, WireRateSpacesRepliesInOrder) {
    Make(S);
    Synth().SetWireRate(3000);
    Send(DeviceMessage(S, 0, 0x0E));  // 237 bytes: 79 ms
    Send(DeviceMessage(S, 0, 0x0F));  // 74322 bytes: 24774 ms more
    Advance(78ms);
    EXPECT_TRUE(Take().empty());
    Advance(1ms);
    EXPECT_EQ(Take().size(), 1u);
    Advance(24773ms);
    EXPECT_TRUE(Take().empty());
    Advance(1ms);
    const auto out = Take();
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].size(), 74322u);
}

// On a wire cut into pieces, a dump comes a piece at a time, each when its
// last byte crossed; a message no longer than a piece still comes whole.
TEST_F(SimSynthKnobs, WirePiecesComeOneByOneAtTheWireRate) {
    Make(S);
    Synth().SetWireRate(3000);
    Synth().SetWirePiece(100);
    Send(DeviceMessage(S, 0, 0x0E));  // 237 bytes: pieces of 100 (33.3 ms), 100 and 37
    Advance(33ms);
    EXPECT_TRUE(Take().empty());
    Advance(1ms);
    const auto first = Take();
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0].size(), 100u);
    EXPECT_EQ(first[0][0], 0xF0);
    Advance(32ms);
    EXPECT_TRUE(Take().empty());
    Advance(1ms);
    const auto second = Take();
    ASSERT_EQ(second.size(), 1u);
    Advance(12ms);
    const auto last = Take();
    ASSERT_EQ(last.size(), 1u);
    EXPECT_EQ(last[0].size(), 37u);
    EXPECT_EQ(last[0].back(), 0xF7);

    Synth().SetWirePiece(0);
    Send(DeviceMessage(S, 0, 0x0E));
    Advance(79ms);
    const auto whole = Take();
    ASSERT_EQ(whole.size(), 1u);
    EXPECT_EQ(whole[0].size(), 237u);
}

TEST_F(SimSynthKnobs, UnsolicitedMessages) {
    Make(B);
    Synth().SetChannel(3);
    Synth().SetEditBuffer(Pattern<kSimProgramSize>(7));
    Synth().SendNrpn(0x0A, 64);
    Synth().SendEditBuffer();
    Synth().SendGlobal();
    Synth().SendAllData();
    auto out = Take();
    ASSERT_EQ(out.size(), 6u);
    EXPECT_EQ(out[0], (Bytes{0xB3, 0x63, 0x00}));
    EXPECT_EQ(out[1], (Bytes{0xB3, 0x62, 0x0A}));
    EXPECT_EQ(out[2], (Bytes{0xB3, 0x06, 0x40}));
    EXPECT_EQ(out[3], Dump(B, 0x40, AsBytes(Pattern<kSimProgramSize>(7)), 3));
    EXPECT_EQ(out[4].size(), 235u);
    EXPECT_EQ(out[4][4], 0x51);
    EXPECT_EQ(out[5].size(), 37392u);
    EXPECT_EQ(out[5][2], 0x33);

    Synth().SetFault(SimReply::Nrpn, SimFault().WithWrongChannel().WithTwice());
    Synth().SendNrpn(0x02, 0x7F);
    out = Take();
    ASSERT_EQ(out.size(), 6u);
    EXPECT_EQ(out[2], (Bytes{0xB4, 0x06, 0x7F}));
    EXPECT_EQ(out[5], out[2]);
}

// A peer wired straight back into the synth answers on the same thread, as
// the system does when data load completed makes it send the write request.
TEST_F(SimSynthKnobs, OutputMayAnswerAtOnceOnTheSameThread) {
    Make(B);
    Synth().SetOutput([this](Bytes m) {
        const bool loadCompleted = m == kLoadCompletedB;
        out_.push_back(std::move(m));
        if (loadCompleted) Send({0xF0, 0x42, 0x30, 0x58, 0x11, 0x00, 0x09, 0xF7});
    });
    Synth().SetFault(SimReply::LoadCompleted, SimFault().WithTwice());
    Send(ProgramDump(B));
    const Bytes writeCompleted{0xF0, 0x42, 0x30, 0x58, 0x21, 0xF7};
    EXPECT_EQ(Take(), (std::vector<Bytes>{kLoadCompletedB, kLoadCompletedB, writeCompleted, writeCompleted}));
    EXPECT_EQ(Synth().Program(9)[0], 0x55);
    EXPECT_EQ(Synth().PendingReplies(), 0u);
}

// The pump sends delayed replies on the real clock.
TEST(SimReplyPump, SendsDelayedRepliesWhenDue) {
    SimSynth synth(SimModel::Brontisel);
    std::mutex m;
    std::condition_variable cv;
    std::vector<Bytes> out;
    synth.SetOutput([&](Bytes b) {
        std::lock_guard lock(m);
        out.push_back(std::move(b));
        cv.notify_all();
    });
    constexpr auto kDelay = 20ms;
    synth.SetReplyDelay(kDelay);
    SimReplyPump pump(synth);
    const auto start = std::chrono::steady_clock::now();
    synth.OnMessage(ProgramDump(B));
    synth.OnMessage(kIdentityRequest);
    std::unique_lock lock(m);
    ASSERT_TRUE(cv.wait_for(lock, 5s, [&] { return out.size() == 2; }));
    EXPECT_GE(std::chrono::steady_clock::now() - start, kDelay);
    EXPECT_EQ(out[0], kLoadCompletedB);
    EXPECT_EQ(out[1][1], 0x7E);
}
}  // namespace
