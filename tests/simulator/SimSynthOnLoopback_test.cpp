#include "SimTestSupport.h"

#include "platform/midi/LoopbackMidiBackend.h"
#include "platform/midi/MidiResult.h"
#include "simulator/SimSynthOnLoopback.h"
#include "tests/platform/InputReader.h"

#include <mutex>

namespace {
using namespace std::chrono_literals;
constexpr SimModel B = SimModel::Brontisel;
constexpr SimModel S = SimModel::BrontiselS;

Bytes AllDataOf(int programs, const SimGlobalRecord* global) {
    Bytes all;
    for (int i = 0; i < programs; ++i) {
        const auto p = SimSynth::DefaultProgram(i);
        all.insert(all.end(), p.begin(), p.end());
    }
    if (global) all.insert(all.end(), global->begin(), global->end());
    return all;
}

// The system's side of the pair: its input collects, its output sends.
class SimOnLoopback : public ::testing::Test {
protected:
    void Attach(SimModel model) {
        peer_ = backend_.CreatePair("Sim:Port 1");
        sim_.emplace(model, SimBank::Blank(model), peer_);  // the scripts count on its bytes
        const int id = static_cast<int>(backend_.Inputs().size()) - 1;
        ASSERT_EQ(backend_.OpenIn(
                      id,
                      [this](std::span<const std::uint8_t> m) {
                          std::lock_guard lock(mutex_);
                          in_.emplace_back(m.begin(), m.end());
                      },
                      in_port_),
                  midiport::kOk);
        ASSERT_EQ(in_port_->Start(), midiport::kOk);
        ASSERT_EQ(backend_.OpenOut(id, out_port_), midiport::kOk);
    }
    void Send(const Bytes& m) {
        if (m.front() == 0xF0) ASSERT_EQ(out_port_->SendSysEx(m), midiport::kOk);
        else ASSERT_EQ(out_port_->SendShort(m), midiport::kOk);
    }
    std::vector<Bytes> Exchange(const Bytes& m) {
        Send(m);
        sim_->Drain();
        std::lock_guard lock(mutex_);
        return std::exchange(in_, {});
    }
    void TearDown() override {
        in_port_.reset();
        out_port_.reset();
    }

    midiport::LoopbackMidiBackend backend_;
    midiport::InputReader reader_{backend_};
    std::shared_ptr<midiport::LoopbackPeer> peer_;
    std::optional<SimSynthOnLoopback> sim_;
    std::unique_ptr<midiport::MidiInPort> in_port_;
    std::unique_ptr<midiport::MidiOutPort> out_port_;
    std::mutex mutex_;
    std::vector<Bytes> in_;
};

struct Step {
    Bytes send;
    std::vector<Bytes> replies;
};

// One scripted exchange of each kind per model, every byte checked.
TEST_F(SimOnLoopback, ScriptedExchangesOfEachKind) {
    const SimGlobalRecord noGlobal{};
    const auto program = Pattern<kSimProgramSize>(1);
    auto global = Pattern<kSimGlobalSize>(2);
    global[5] &= 0xFE;
    Bytes allB = AllDataOf(128, &global);
    std::copy(program.begin(), program.end(), allB.begin() + 7 * 254);
    const Bytes programsB(allB.begin(), allB.begin() + 32512);
    Bytes allS = AllDataOf(256, nullptr);
    std::copy(program.begin(), program.end(), allS.begin() + 255 * 254);

    const struct {
        SimModel model;
        std::vector<Step> steps;
    } scripts[] = {
        {B,
         {{kIdentityRequest,
           {{0xF0, 0x7E, 0x00, 0x06, 0x02, 0x42, 0x58, 0x00, 0x11, 0x00, 0x01, 0x00, 0x00, 0x00, 0xF7}}},
          {DeviceMessage(B, 0, 0x0F), {Dump(B, 0x50, AllDataOf(128, &noGlobal))}},
          {Dump(B, 0x40, AsBytes(program)), {DeviceMessage(B, 0, 0x23)}},
          {DeviceMessage(B, 0, 0x11, {0x00, 0x7F}), {DeviceMessage(B, 0, 0x21)}},
          {Dump(B, 0x51, AsBytes(global)), {DeviceMessage(B, 0, 0x23)}},
          {Dump(B, 0x50, allB), {DeviceMessage(B, 0, 0x23)}},
          {Dump(B, 0x4C, programsB), {DeviceMessage(B, 0, 0x23)}},
          {{0xC0, 0x07}, {}},
          {DeviceMessage(B, 0, 0x0F), {Dump(B, 0x50, allB)}}}},
        {S,
         {{kIdentityRequest,
           {{0xF0, 0x7E, 0x00, 0x06, 0x02, 0x42, 0x40, 0x01, 0x01, 0x00, 0x01, 0x00, 0x00, 0x00, 0xF7}}},
          {DeviceMessage(S, 0, 0x0E), {Dump(S, 0x51, AsBytes(noGlobal))}},
          {DeviceMessage(S, 0, 0x0F), {Dump(S, 0x50, AllDataOf(256, nullptr))}},
          {Dump(S, 0x40, AsBytes(program)), {DeviceMessage(S, 0, 0x23)}},
          {DeviceMessage(S, 0, 0x11, {0x48, 0x01}), {DeviceMessage(S, 0, 0x21)}},
          {Dump(S, 0x51, AsBytes(global)), {DeviceMessage(S, 0, 0x23)}},
          {Dump(S, 0x50, allS), {DeviceMessage(S, 0, 0x23)}},
          {{0xB0, 0x00, 0x00}, {}},
          {{0xB0, 0x20, 0x01}, {}},
          {{0xC0, 0x7F}, {}},
          {DeviceMessage(S, 0, 0x0E), {Dump(S, 0x51, AsBytes(global))}}}},
    };
    for (const auto& script : scripts) {
        SCOPED_TRACE(script.model == B ? "Brontisel" : "Brontisel S");
        Attach(script.model);
        for (std::size_t i = 0; i < script.steps.size(); ++i) {
            SCOPED_TRACE(i);
            const auto replies = Exchange(script.steps[i].send);
            ASSERT_EQ(replies.size(), script.steps[i].replies.size());
            for (std::size_t r = 0; r < replies.size(); ++r) {
                EXPECT_EQ(replies[r].size(), script.steps[i].replies[r].size());
                EXPECT_TRUE(replies[r] == script.steps[i].replies[r]);
            }
        }
        SimSynth& synth = sim_->Synth();
        EXPECT_EQ(synth.IgnoredCount(), 0u);
        if (script.model == B) {
            EXPECT_EQ(synth.Program(127), SimSynth::DefaultProgram(127));  // overwritten by the whole dumps
            EXPECT_EQ(synth.Program(7), program);
            EXPECT_EQ(synth.CurrentProgram(), 7);
            EXPECT_EQ(synth.ProgramChanges(), Bytes{0x07});
        } else {
            EXPECT_EQ(synth.Program(200), SimSynth::DefaultProgram(200));
            EXPECT_EQ(synth.Program(255), program);
            EXPECT_EQ(synth.CurrentProgram(), 255);
            EXPECT_EQ(synth.CurrentBank(), 1);
            EXPECT_EQ(synth.BankSelects(), (std::vector<SimBankSelect>{{0x00, 0x00}, {0x20, 0x01}}));
        }
        TearDown();
        sim_.reset();
    }
}

TEST_F(SimOnLoopback, DelayedRepliesAndUnsolicitedMessagesArrive) {
    Attach(B);
    constexpr auto kDelay = 10ms;
    sim_->Synth().SetReplyDelay(kDelay);
    sim_->Synth().SetFault(SimReply::LoadCompleted, SimFault().WithTwice());
    const auto start = std::chrono::steady_clock::now();
    const auto replies = Exchange(Dump(B, 0x40, Bytes(kSimProgramSize, 0x01)));
    EXPECT_GE(std::chrono::steady_clock::now() - start, kDelay);
    EXPECT_EQ(replies, (std::vector<Bytes>{DeviceMessage(B, 0, 0x23), DeviceMessage(B, 0, 0x23)}));

    sim_->Synth().SendNrpn(0x07, 22);
    sim_->Drain();
    std::lock_guard lock(mutex_);
    EXPECT_EQ(in_, (std::vector<Bytes>{{0xB0, 0x63, 0x00}, {0xB0, 0x62, 0x07}, {0xB0, 0x06, 22}}));
}
}  // namespace
