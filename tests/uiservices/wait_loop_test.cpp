// The waiting loop of the blocking transfers: when it stops, what it pumps,
// that it routes the input on every pass and cancels on time-out, that a
// long time-out costs no real time, and the transfer guard and progress box
// it keeps.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

#include "tests/device/DevRig.h"
#include "tests/support/FakeWaitTarget.h"
#include "tests/support/ScriptedUiServices.h"
#include "uiservices/VelkWaitLoop.h"

using namespace std::chrono_literals;
using velktest::FakeWaitTarget;
using velktest::ScriptedUiServices;

namespace {

struct WaitCase {
    const char* name;
    int replyAfterInputs;  // the reply is routed by this ProcessInput call (0: already there)
    bool done;
    int pumps;
    int inputs;
    int cancels;
};

// Five passes of 50 ms.
constexpr VelkWaitSpec kSpec{5, 50ms};

// clang-format off
const WaitCase kCases[] = {
    {"AlreadyDone", 0, true, 0, 1, 0},
    {"ReplyBeforeFirstPass", 1, true, 0, 1, 0},
    {"ReplyInThirdPass", 3, true, 2, 3, 0},
    {"ReplyInLastPassCountsAsSuccess", 6, true, 5, 6, 0},
    {"NoReplyTimesOutAndCancels", 1000, false, 5, 6, 1},
};
// clang-format on

class WaitLoopCase : public ::testing::TestWithParam<WaitCase> {};

TEST_P(WaitLoopCase, StopsPumpsRoutesAndCancelsAsExpected) {
    const WaitCase& c = GetParam();
    ScriptedUiServices ui;
    FakeWaitTarget target;
    CVelkWaitLoop loop(ui);

    const bool done = loop.Run(kSpec, target, [&] { return target.processed >= c.replyAfterInputs; });

    EXPECT_EQ(done, c.done);
    EXPECT_EQ(ui.pumps, c.pumps);
    EXPECT_EQ(target.processed, c.inputs);
    EXPECT_EQ(target.cancels, c.cancels);
    EXPECT_EQ(ui.Elapsed(), c.pumps * kSpec.pass);
    EXPECT_FALSE(ui.TransferGuard().IsRunning());
}

INSTANTIATE_TEST_SUITE_P(Cases, WaitLoopCase, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A dump still coming in (a slow wire) keeps the wait going: its limit
// counts the passes in which nothing came, not the passes in all. So does
// what was sent before the wait while it still goes out (a slow
// interface): the answer cannot come before it is out. A device that never
// stops sending, or an output that never drains, is cut at
// kActiveWaitFactor times the limit; input lost meanwhile still fails the
// wait at once.
TEST(WaitLoop, InputArrivingOrOutputGoingOutKeepsTheWaitGoing) {
    struct Case {
        const char* name;
        int inputPasses;    // input arrives during the first so many passes
        int sendingPasses;  // the output is out in this pass (0: from the start)
        int lostInPass;     // input is lost in this pass (0: never)
        int replyAfterInputs;
        bool done;
        int pumps;
    };
    // clang-format off
    const Case cases[] = {
        {"silent: cut at the limit", 0, 0, 0, 1000, false, 5},
        {"input for 8 passes, then the reply", 8, 0, 0, 10, true, 9},
        {"input for 8 passes, then silence: the limit after the last input", 8, 0, 0, 1000, false, 13},
        {"input without end", 1000, 0, 0, 1000, false, 5 * velkwait::kActiveWaitFactor},
        {"out in the 8th pass, then the reply", 0, 8, 0, 10, true, 9},
        {"out in the 8th pass, then silence: the limit from then", 0, 8, 0, 1000, false, 12},
        {"never out", 0, 1000, 0, 1000, false, 5 * velkwait::kActiveWaitFactor},
        {"never out, input lost", 0, 1000, 2, 1000, false, 2},
    };
    // clang-format on
    for (const Case& c : cases) {
        ScriptedUiServices ui;
        FakeWaitTarget target;
        target.output = {1000, c.sendingPasses == 0 ? 1000u : 0u};
        ui.onPump = [&] {
            if (ui.pumps <= c.inputPasses) target.progress += 64;
            if (ui.pumps >= c.sendingPasses) target.output.left = 1000;
            if (ui.pumps == c.lostInPass) ++target.losses;
        };
        CVelkWaitLoop loop(ui);
        const bool done = loop.Run(kSpec, target, [&] { return target.processed >= c.replyAfterInputs; });
        EXPECT_EQ(done, c.done) << c.name;
        EXPECT_EQ(ui.pumps, c.pumps) << c.name;
        EXPECT_EQ(target.cancels, c.done ? 0 : 1) << c.name;
    }
}

TEST(WaitLoop, ReceiveTimeOutOfThirtySecondsCostsNoRealTime) {
    ScriptedUiServices ui;
    FakeWaitTarget target;
    CVelkWaitLoop loop(ui);

    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(loop.Run(velkwait::kReceive, target, [] { return false; }));
    const auto real = std::chrono::steady_clock::now() - start;

    EXPECT_EQ(ui.Elapsed(), 30000ms);
    EXPECT_EQ(target.processed, velkwait::kReceive.passes + 1);
    EXPECT_EQ(target.cancels, 1);
    // The fake clock's thirty seconds above are the check; the real time is
    // printed, not asserted: on a loaded machine it measures the load.
    std::printf("thirty fake seconds took %lld ms of real time\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(real).count()));
}

TEST(WaitLoop, GuardReportsTheRunningWaitAlsoWhenNested) {
    ScriptedUiServices ui;
    FakeWaitTarget target;
    CVelkWaitLoop loop(ui);
    const CVelkTransferGuard& guard = ui.TransferGuard();
    bool innerSawRunning = false;
    bool outerStillRunning = false;

    // A wait started from an event pumped by another wait.
    bool nested = false;
    ui.onPump = [&] {
        if (nested) return;
        nested = true;
        FakeWaitTarget inner;
        loop.Run({1, 10ms}, inner, [&] { return innerSawRunning = guard.IsRunning(); });
        outerStillRunning = guard.IsRunning();
    };
    loop.Run({2, 10ms}, target, [] { return false; });

    EXPECT_TRUE(innerSawRunning);
    EXPECT_TRUE(outerStillRunning);
    EXPECT_FALSE(guard.IsRunning());
}

TEST(WaitLoop, ProgressScopeClosesTheBoxOnEveryWayOut) {
    ScriptedUiServices ui;
    try {
        CVelkProgressScope shown(ui, "MIDI Transfering ...");
        EXPECT_TRUE(ui.progressShown);
        throw 1;
    } catch (int) {
    }
    EXPECT_FALSE(ui.progressShown);
    EXPECT_EQ(ui.progressCloses, 1);
    EXPECT_EQ(ui.progressCaptions, std::vector<std::string>{"MIDI Transfering ..."});
}

// The device's own waits, against the simulated synth: each pass delivers
// what the synth answered, the loop routes it into the device model.
class DeviceWait : public ::testing::TestWithParam<SimModel> {
protected:
    DeviceWait() : rig_(GetParam()) {
        ui_.onPump = [this] { rig_.Settle(); };
    }
    DevRig rig_;
    ScriptedUiServices ui_;
};

TEST_P(DeviceWait, IdentifyThenReceiveAllWithinTheirPasses) {
    CVelkWaitLoop loop(ui_);
    ASSERT_EQ(rig_.Config().OpenPorts(), 0);
    CDeviceWaitTarget identifying(rig_.Config(), nullptr);
    ASSERT_TRUE(
        loop.Run(velkwait::kIdentify, identifying, [&] { return rig_.Config().GetDeviceCount() > 0; }));

    MDevDesc* device = rig_.Config().GetDevice(0);
    ASSERT_NE(device, nullptr);
    ASSERT_EQ(device->RequestAllData(), 0);
    CDeviceWaitTarget receiving(rig_.Config(), device);
    EXPECT_TRUE(loop.Run(velkwait::kReceive, receiving, [&] { return device->IsDumpReceived() != 0; }));
    EXPECT_LT(ui_.pumps, 10);
}

TEST_P(DeviceWait, UnconfirmedWriteTimesOutAndLeavesNothingAwaited) {
    CVelkWaitLoop loop(ui_);
    ASSERT_TRUE(rig_.Connect());
    MDevDesc& device = rig_.Dev();
    rig_.Synth().SetFault(SimReply::WriteCompleted, SimFault().WithSilence());
    ASSERT_EQ(device.SendProgram(3), 0);
    ASSERT_EQ(device.GetTransferState().GetStep(), MDevTransferState::Step::AwaitLoad);
    CDeviceWaitTarget writing(device);  // on the device's own configuration

    EXPECT_FALSE(loop.Run(velkwait::kWriteOne, writing, [&] { return device.TakeChanged() != 0; }));
    EXPECT_EQ(ui_.Elapsed(), std::chrono::milliseconds(5000));
    EXPECT_EQ(device.GetTransferState().GetStep(), MDevTransferState::Step::Idle);
}

INSTANTIATE_TEST_SUITE_P(Models, DeviceWait, ::testing::ValuesIn(kModels), [](const auto& info) {
    return info.param == SimModel::Brontisel ? "Brontisel" : "BrontiselS";
});

}  // namespace
