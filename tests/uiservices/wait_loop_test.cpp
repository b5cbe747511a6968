// The waiting loop of the blocking transfers: when it stops, what it pumps,
// that it routes the input on every pass and cancels on time-out, and that
// a long time-out costs no real time.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "uiservices/VelkWaitLoop.h"
#include "tests/device/DevRig.h"
#include "tests/librarian/VelkTestSeams.h"

using namespace std::chrono_literals;
using velktest::FakeClock;
using velktest::FakeEventPump;
using velktest::FakeWaitTarget;

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

const WaitCase kCases[] = {
    {"AlreadyDone", 0, true, 0, 1, 0},
    {"ReplyBeforeFirstPass", 1, true, 0, 1, 0},
    {"ReplyInThirdPass", 3, true, 2, 3, 0},
    {"ReplyInLastPassCountsAsSuccess", 6, true, 5, 6, 0},
    {"NoReplyTimesOutAndCancels", 1000, false, 5, 6, 1},
};

class WaitLoopCase : public ::testing::TestWithParam<WaitCase> {};

TEST_P(WaitLoopCase, StopsPumpsRoutesAndCancelsAsExpected) {
    const WaitCase& c = GetParam();
    FakeClock clock;
    FakeEventPump pump(clock);
    FakeWaitTarget target;
    CVelkTransferGuard guard;
    CVelkWaitLoop loop(pump, guard);

    const bool done = loop.Run(kSpec, target, [&] { return target.processed >= c.replyAfterInputs; });

    EXPECT_EQ(done, c.done);
    EXPECT_EQ(pump.pumps, c.pumps);
    EXPECT_EQ(target.processed, c.inputs);
    EXPECT_EQ(target.cancels, c.cancels);
    EXPECT_EQ(clock.Elapsed(), c.pumps * kSpec.pass);
    EXPECT_FALSE(guard.IsRunning());
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
    for (const Case& c : cases) {
        FakeClock clock;
        FakeEventPump pump(clock);
        FakeWaitTarget target;
        target.output = {1000, c.sendingPasses == 0 ? 1000u : 0u};
        pump.onPump = [&] {
            if (pump.pumps <= c.inputPasses) target.progress += 64;
            if (pump.pumps >= c.sendingPasses) target.output.left = 1000;
            if (pump.pumps == c.lostInPass) ++target.losses;
        };
        CVelkTransferGuard guard;
        CVelkWaitLoop loop(pump, guard);
        const bool done = loop.Run(kSpec, target, [&] { return target.processed >= c.replyAfterInputs; });
        EXPECT_EQ(done, c.done) << c.name;
        EXPECT_EQ(pump.pumps, c.pumps) << c.name;
        EXPECT_EQ(target.cancels, c.done ? 0 : 1) << c.name;
    }
}

TEST(WaitLoop, ReceiveTimeOutOfThirtySecondsCostsNoRealTime) {
    FakeClock clock;
    FakeEventPump pump(clock);
    FakeWaitTarget target;
    CVelkTransferGuard guard;
    CVelkWaitLoop loop(pump, guard);

    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(loop.Run(velkwait::kReceive, target, [] { return false; }));
    const auto real = std::chrono::steady_clock::now() - start;

    EXPECT_EQ(clock.Elapsed(), 30000ms);
    EXPECT_EQ(target.processed, velkwait::kReceive.passes + 1);
    EXPECT_EQ(target.cancels, 1);
    // The fake clock's thirty seconds above are the check; the real time is
    // printed, not asserted: on a loaded machine it measures the load.
    std::printf("thirty fake seconds took %lld ms of real time\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(real).count()));
}

// The pump of a program without windows is its event loop: what another
// thread posts (the input routing) runs on the pumping thread as it
// arrives, not after the pass, and the pass still lasts its budget.
TEST(WaitLoop, TaskPumpRunsWhatIsPostedAsItArrives) {
    CTaskPump pump;
    const auto post = pump.Poster();
    std::thread::id ranOn;
    std::chrono::steady_clock::time_point ranAt{};
    post([] {});  // before the pass: runs at its start
    std::thread poster([&] {
        std::this_thread::sleep_for(20ms);
        post([&] {
            ranOn = std::this_thread::get_id();
            ranAt = std::chrono::steady_clock::now();
        });
    });
    const auto start = std::chrono::steady_clock::now();
    pump.PumpFor(1000ms);
    const auto end = std::chrono::steady_clock::now();
    poster.join();

    EXPECT_EQ(ranOn, std::this_thread::get_id());
    EXPECT_LT(ranAt - start, 500ms) << "routed at the end of the pass, not as it came";
    EXPECT_GE(end - start, 1000ms);
}

TEST(WaitLoop, GuardReportsTheRunningWaitAlsoWhenNested) {
    FakeClock clock;
    FakeEventPump pump(clock);
    FakeWaitTarget target;
    CVelkTransferGuard guard;
    CVelkWaitLoop loop(pump, guard);
    bool innerSawRunning = false;
    bool outerStillRunning = false;

    // A wait started from an event pumped by another wait.
    bool nested = false;
    pump.onPump = [&] {
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
    velktest::FakeProgressBox box;
    try {
        CVelkProgressScope shown(box, "MIDI Transfering ...");
        EXPECT_TRUE(box.shown);
        throw 1;
    } catch (int) {
    }
    EXPECT_FALSE(box.shown);
    EXPECT_EQ(box.closes, 1);
    EXPECT_EQ(box.captions, std::vector<std::string>{"MIDI Transfering ..."});
}

// The device's own waits, against the simulated synth: the pump delivers
// what the synth answered, the loop routes it into the device model.
class DeviceWait : public ::testing::TestWithParam<SimModel> {
protected:
    DeviceWait() : rig_(GetParam()), pump_(clock_) {
        pump_.onPump = [this] { rig_.Settle(); };
    }
    DevRig rig_;
    FakeClock clock_;
    FakeEventPump pump_;
    CVelkTransferGuard guard_;
};

TEST_P(DeviceWait, IdentifyThenReceiveAllWithinTheirPasses) {
    CVelkWaitLoop loop(pump_, guard_);
    ASSERT_EQ(rig_.Config().OpenPorts(), 0);
    CDeviceWaitTarget identifying(rig_.Config(), nullptr);
    ASSERT_TRUE(loop.Run(velkwait::kIdentify, identifying,
                         [&] { return rig_.Config().GetDeviceCount() > 0; }));

    MDevDesc* device = rig_.Config().GetDevice(0);
    ASSERT_NE(device, nullptr);
    ASSERT_EQ(device->RequestAllData(), 0);
    CDeviceWaitTarget receiving(rig_.Config(), device);
    EXPECT_TRUE(loop.Run(velkwait::kReceive, receiving,
                         [&] { return device->IsDumpReceived() != 0; }));
    EXPECT_LT(pump_.pumps, 10);
}

TEST_P(DeviceWait, UnconfirmedWriteTimesOutAndLeavesNothingAwaited) {
    CVelkWaitLoop loop(pump_, guard_);
    ASSERT_TRUE(rig_.Connect());
    MDevDesc& device = rig_.Dev();
    rig_.Synth().SetFault(SimReply::WriteCompleted, SimFault().WithSilence());
    ASSERT_EQ(device.SendProgram(3), 0);
    ASSERT_EQ(device.GetTransferState().GetStep(), MDevTransferState::Step::AwaitLoad);
    CDeviceWaitTarget writing(rig_.Config(), &device);

    EXPECT_FALSE(loop.Run(velkwait::kWriteOne, writing, [&] { return device.TakeChanged() != 0; }));
    EXPECT_EQ(clock_.Elapsed(), std::chrono::milliseconds(5000));
    EXPECT_EQ(device.GetTransferState().GetStep(), MDevTransferState::Step::Idle);
}

INSTANTIATE_TEST_SUITE_P(Models, DeviceWait, ::testing::ValuesIn(kModels),
                         [](const auto& info) {
                             return info.param == SimModel::Brontisel ? "Brontisel" : "BrontiselS";
                         });

}  // namespace
