#include <gtest/gtest.h>

#include "device/MDevTransferState.h"

namespace {

using Action = MDevTransferState::LoadCompleted::Action;

TEST(MDevTransferState, ProgramWriteNeedsLoadThenWriteCompleted) {
    MDevTransferState s;
    s.BeginProgram(5);
    auto r = s.OnDataLoadCompleted();
    EXPECT_EQ(r.action, Action::SendWriteRequest);
    EXPECT_EQ(r.programIndex, 5);
    EXPECT_FALSE(s.IsChanged());
    EXPECT_EQ(s.OnDataLoadCompleted().action, Action::Ignore) << "second reply unasked";
    EXPECT_EQ(s.OnWriteCompleted(128), 5);
    EXPECT_TRUE(s.TakeChanged());
    EXPECT_FALSE(s.TakeChanged());
    EXPECT_EQ(s.OnWriteCompleted(128), -1);
}

TEST(MDevTransferState, WriteCompletedOutsideProgramsIsIgnored) {
    MDevTransferState s;
    s.BeginProgram(200);
    s.OnDataLoadCompleted();
    EXPECT_EQ(s.OnWriteCompleted(128), -1);
    EXPECT_FALSE(s.IsChanged());
}

TEST(MDevTransferState, GlobalCommitOnlyForItsOwnSend) {
    MDevTransferState s;
    s.BeginGlobal(0);
    auto r = s.OnDataLoadCompleted();
    EXPECT_EQ(r.action, Action::Completed);
    EXPECT_TRUE(s.IsChanged());
    EXPECT_TRUE(r.commitGlobal);

    s.BeginGlobal(0);
    s.BeginAllData();
    r = s.OnDataLoadCompleted();
    EXPECT_EQ(r.action, Action::Completed);
    EXPECT_FALSE(r.commitGlobal) << "the whole-device send must not commit a stale global";

    s.BeginGlobal(0);
    s.BeginProgram(-1);
    EXPECT_FALSE(s.OnDataLoadCompleted().commitGlobal);
}

TEST(MDevTransferState, CancelAndNewSendsForgetStaleState) {
    MDevTransferState s;
    s.BeginProgram(5);
    s.Cancel();
    EXPECT_EQ(s.OnDataLoadCompleted().action, Action::Ignore)
        << "a late reply after a time-out must not trigger the old write request";

    s.BeginProgram(5);
    s.BeginProgram(-1);
    EXPECT_EQ(s.OnDataLoadCompleted().action, Action::Completed);

    s.SetChanged();
    s.BeginAllData();
    EXPECT_FALSE(s.TakeChanged()) << "a stale changed flag must not confirm a new send";
}

}  // namespace
