#include <gtest/gtest.h>

#include "device/MDevTransferState.h"

#include <cstdint>

namespace {

using Action = MDevTransferState::LoadCompleted::Action;
using Kind = MDevTransferState::Kind;

using TimePoint = MDevTransferState::TimePoint;
using namespace std::chrono_literals;

// The caller's clock: a reply is routed at kNow, a late one is owed until kOwed.
constexpr TimePoint kNow = TimePoint{} + 1h;
constexpr TimePoint kOwed = kNow + 10s;

// A data load completed arriving at kNow, once everything sent has left the output.
MDevTransferState::LoadCompleted Loaded(MDevTransferState& s) {
    return s.OnDataLoadCompleted(kNow, UINT64_MAX);
}

TEST(MDevTransferState, ProgramWriteNeedsLoadThenWriteCompleted) {
    MDevTransferState s;
    s.BeginProgram(5);
    auto r = Loaded(s);
    EXPECT_EQ(r.action, Action::SendWriteRequest);
    EXPECT_EQ(r.programIndex, 5);
    EXPECT_FALSE(s.IsChanged());
    EXPECT_EQ(Loaded(s).action, Action::Ignore) << "second reply unasked";
    EXPECT_EQ(s.OnWriteCompleted(128), 5);
    EXPECT_TRUE(s.TakeChanged());
    EXPECT_FALSE(s.TakeChanged());
    EXPECT_EQ(s.OnWriteCompleted(128), -1);
}

TEST(MDevTransferState, StrayWriteCompletedBeforeTheWriteRequestIsIgnored) {
    MDevTransferState s;
    s.BeginProgram(5);
    EXPECT_EQ(s.OnWriteCompleted(128), -1) << "no write request went out yet";
    EXPECT_FALSE(s.IsChanged());
    EXPECT_EQ(Loaded(s).action, Action::SendWriteRequest);
    EXPECT_EQ(s.OnWriteCompleted(128), 5);

    // Nor does one confirm a whole-device or global send.
    s.BeginAllData();
    EXPECT_EQ(s.OnWriteCompleted(128), -1);
    EXPECT_FALSE(s.IsChanged());
}

TEST(MDevTransferState, WriteCompletedOutsideProgramsIsIgnored) {
    MDevTransferState s;
    s.BeginProgram(200);
    Loaded(s);
    EXPECT_EQ(s.OnWriteCompleted(128), -1);
    EXPECT_FALSE(s.IsChanged());
}

TEST(MDevTransferState, EachConfirmationNamesItsOwnKind) {
    MDevTransferState s;
    s.BeginGlobal();
    auto r = Loaded(s);
    EXPECT_EQ(r.action, Action::Completed);
    EXPECT_EQ(r.kind, Kind::Global);
    EXPECT_TRUE(s.IsChanged());

    s.BeginGlobal();
    s.BeginAllData();
    r = Loaded(s);
    EXPECT_EQ(r.kind, Kind::AllData) << "the whole-device send must not commit a stale global";

    s.BeginGlobal();
    s.BeginProgram(-1);
    EXPECT_EQ(Loaded(s).kind, Kind::Program);
}

TEST(MDevTransferState, CancelAndNewSendsForgetStaleState) {
    MDevTransferState s;
    s.BeginProgram(5);
    Loaded(s);
    s.Cancel();  // timed out awaiting write completed
    EXPECT_EQ(s.OnWriteCompleted(128), -1) << "a late reply after a time-out confirms nothing";
    EXPECT_EQ(Loaded(s).action, Action::Ignore);

    s.BeginProgram(5);
    s.BeginProgram(-1);
    EXPECT_EQ(Loaded(s).action, Action::Completed);

    s.SetChanged();
    s.BeginAllData();
    EXPECT_FALSE(s.TakeChanged()) << "a stale changed flag must not confirm a new send";
}

TEST(MDevTransferState, LateLoadCompletedOfATimedOutSendConfirmsNoLaterOne) {
    MDevTransferState s;
    s.BeginAllData();
    s.Cancel(kOwed);  // timed out awaiting data load completed, the dump still on the wire
    EXPECT_TRUE(s.IsLateLoadExpected(kNow));
    s.BeginGlobal();
    EXPECT_EQ(Loaded(s).action, Action::Ignore) << "the late reply of the first send";
    EXPECT_FALSE(s.IsChanged());
    EXPECT_EQ(Loaded(s).action, Action::Completed) << "the global's own reply";

    // A late reply routed while nothing waits is dropped there.
    s.BeginGlobal();
    s.Cancel(kOwed);
    EXPECT_EQ(Loaded(s).action, Action::Ignore);
    s.BeginGlobal();
    EXPECT_EQ(Loaded(s).action, Action::Completed);

    // A dump the synth had all the time to answer: its reply is lost, the
    // next send's own reply counts.
    s.BeginGlobal();
    s.Cancel(std::nullopt);
    EXPECT_FALSE(s.IsLateLoadExpected(kNow));
    s.BeginGlobal();
    EXPECT_EQ(Loaded(s).action, Action::Completed);
}

TEST(MDevTransferState, AReplyNeverSentCostsOneTransferAtMost) {
    MDevTransferState s;
    s.BeginGlobal();
    s.Cancel(kOwed);  // the synth never answers this one
    s.BeginGlobal();
    EXPECT_EQ(Loaded(s).action, Action::Ignore) << "taken for the late one";
    s.Cancel(kOwed);  // so this one times out too: no late reply is owed for it
    EXPECT_FALSE(s.IsLateLoadExpected(kNow));
    s.BeginGlobal();
    EXPECT_EQ(Loaded(s).action, Action::Completed);
}

// A late reply is owed only while it can still come: not past its time,
// not past a completed reception, not past a reconnection.
TEST(MDevTransferState, LateReplyIsOwedOnlyWhileItCanStillCome) {
    const struct {
        const char* what;
        void (*meanwhile)(MDevTransferState&);
        TimePoint replyAt;
    } cases[] = {
        {"past its time", [](MDevTransferState&) {}, kOwed},
        {"after a reception",
         [](MDevTransferState& s) {
             s.BeginReceive();
             s.EndReceive();
         },
         kNow},
        {"after a reconnection", [](MDevTransferState& s) { s.ForgetLateReply(); }, kNow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MDevTransferState s;
        s.BeginAllData();
        s.Cancel(kOwed);
        ASSERT_TRUE(s.IsLateLoadExpected(kNow));
        c.meanwhile(s);
        s.BeginGlobal();
        EXPECT_EQ(s.OnDataLoadCompleted(c.replyAt, UINT64_MAX).action, Action::Completed);
        EXPECT_FALSE(s.IsLateLoadExpected(kNow));
    }
}

TEST(MDevTransferState, ReplyBeforeTheDumpHasLeftIsNoAnswerOfIt) {
    MDevTransferState s;
    s.BeginAllData();
    s.SetDumpEnd(1000);
    EXPECT_EQ(s.OnDataLoadCompleted(kNow, 999).action, Action::Ignore);
    EXPECT_FALSE(s.IsChanged());
    EXPECT_EQ(s.OnDataLoadCompleted(kNow, 1000).action, Action::Completed)
        << "its own, once the dump was out";
}

TEST(MDevTransferState, ReceptionAwaitsDumpsNotReplies) {
    MDevTransferState s;
    s.BeginReceive();
    EXPECT_TRUE(s.IsReceiving());
    EXPECT_EQ(Loaded(s).action, Action::Ignore);
    EXPECT_EQ(s.OnWriteCompleted(128), -1);
    s.EndReceive();
    EXPECT_FALSE(s.IsReceiving());
    s.BeginReceive();
    s.Cancel();
    EXPECT_FALSE(s.IsReceiving());
    EXPECT_FALSE(s.IsLateLoadExpected(kNow));
}

}  // namespace
