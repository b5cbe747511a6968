// The exchanges of the device description with the simulated synth, end to
// end through the loopback: receive all, write a program, the global and a
// whole device, select a program, and the time-outs that must leave no
// stale transfer state behind.

#include <gtest/gtest.h>

#include <chrono>

#include "DevRig.h"
#include "DevWire.h"
#include "device/MDevZEPHAMessages.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Messages = MDevZEPHAMessages;
constexpr SimModel B = SimModel::Brontisel;
constexpr SimModel S = SimModel::BrontiselS;

// A record as the system writes it, named and with a few parameters set.
MDevProgramData MadeProgram(MDevDescZEPHA& dev, const std::string& name, int seed) {
    MDevDescZEPHAProgram program(dev);
    program.Init();
    program.SetName(name);
    program.SetParam(0, seed % 2, 0);
    program.SetParam(24, seed % 100, 0);
    return program.ToBytes();
}

TEST(MDevDescTransfer, ReceivesAllFromEachModel) {
    for (SimModel model : kModels) {
        SCOPED_TRACE(NameOf(model));
        DevRig rig(model);
        // Only the low four bits of the reply's channel byte are the channel.
        rig.Synth().SetChannel(model == B ? 0x00 : 0x25);
        ASSERT_TRUE(rig.Connect());
        const int count = rig.Dev().GetProgramCount();
        const MDevProgramData seven = MadeProgram(rig.Dev(), "Seventh", 7);
        const MDevProgramData last = MadeProgram(rig.Dev(), "Last", 3);
        rig.Synth().SetProgram(7, seven);
        rig.Synth().SetProgram(count - 1, last);
        SimGlobalRecord global{};
        global[0] = 0x05;  // master tune
        rig.Synth().SetGlobal(global);
        rig.Synth().SetWriteProtect(true);

        ASSERT_TRUE(rig.ReceiveAll());
        rig.Settle();
        EXPECT_EQ(rig.Dev().GetZEPHAProgram(7)->ToBytes(), seven);
        EXPECT_EQ(rig.Dev().GetZEPHAProgram(count - 1)->ToBytes(), last);
        const SimProgramRecord first = rig.Synth().Program(0);
        std::string firstName(first.begin(), first.begin() + 12);
        firstName.erase(firstName.find_last_not_of(' ') + 1);
        EXPECT_EQ(rig.Dev().GetProgramName(0), firstName);
        EXPECT_EQ(rig.Dev().GetProgramName(count), std::nullopt);
        EXPECT_EQ(rig.Dev().GetGlobal(0)->GetParam(0), 5);
        EXPECT_EQ(rig.Dev().GetWriteProtect(), 1) << "write protect as the synth reported it";
        EXPECT_EQ(rig.Dev().GetModelInfo().lastAllDataSize, model == B
                                                                ? Messages::kPackedAllDataSizeBrontisel
                                                                : Messages::kPackedAllDataSizeBrontiselS);

        // The requests as sent: one for the Brontisel, the global's first for the S.
        std::vector<int> requests;
        for (const auto& m : rig.Synth().Received())
            if (DevFunctionOf(m) == 0x0E || DevFunctionOf(m) == 0x0F) requests.push_back(DevFunctionOf(m));
        EXPECT_EQ(requests, (model == B ? std::vector<int>{0x0F} : std::vector<int>{0x0E, 0x0F}));
    }
}

TEST(MDevDescTransfer, WritesAProgramToASlot) {
    for (SimModel model : kModels) {
        SCOPED_TRACE(NameOf(model));
        DevRig rig(model);
        ASSERT_TRUE(rig.Connect());
        ASSERT_TRUE(rig.ReceiveAll());
        const int slot = model == B ? 100 : 200;
        rig.Dev().GetProgramCopy(3)->SetName("Written");
        ASSERT_EQ(rig.Dev().SendProgram(slot), 0);
        ASSERT_TRUE(rig.WaitChanged());
        EXPECT_EQ(rig.Dev().GetProgramName(slot), "Written");
        EXPECT_EQ(rig.Synth().Program(slot), rig.Dev().GetEditBuffer().ToBytes());

        const auto writes = DevReceivedWith(rig.Synth(), 0x11);
        ASSERT_EQ(writes.size(), 1u);
        const Bytes expected = model == B ? Bytes{0xF0, 0x42, 0x30, 0x58, 0x11, 0x00, 100, 0xF7}
                                          : Bytes{0xF0, 0x42, 0x30, 0x00, 0x01, 0x40, 0x11, 0x48, 0x01, 0xF7};
        EXPECT_EQ(writes[0], expected);
        EXPECT_EQ(rig.Dev().TakeChanged(), 0);
    }
}

TEST(MDevDescTransfer, ProgramIndexOutsideTheModelSendsNothing) {
    DevRig rig(B);
    ASSERT_TRUE(rig.Connect());
    const auto before = rig.Synth().Received().size();
    EXPECT_EQ(rig.Dev().SendProgram(128), 18);
    EXPECT_EQ(rig.Dev().SelectProgram(128), 18);
    EXPECT_EQ(rig.Dev().SelectProgram(-1), 18);
    rig.Settle();
    EXPECT_EQ(rig.Synth().Received().size(), before);

    // Index < 0: the current program only, confirmed by data load completed.
    ASSERT_EQ(rig.Dev().SendProgram(-1), 0);
    EXPECT_TRUE(rig.WaitChanged());
    rig.Settle();
    EXPECT_TRUE(DevReceivedWith(rig.Synth(), 0x11).empty());
}

// The Global Editor's write: master transpose changed, sent and confirmed.
void WriteTranspose(DevRig& rig, int transpose) {
    rig.Dev().GetGlobalCopy(0)->SetParam(1, transpose, 1);
    ASSERT_EQ(rig.Dev().SendGlobal(0), 0);
    ASSERT_TRUE(rig.WaitChanged());
    EXPECT_EQ(rig.Dev().GetGlobal(0)->GetParam(1), transpose);
}

TEST(MDevDescTransfer, WritesTheGlobal) {
    for (SimModel model : kModels) {
        SCOPED_TRACE(NameOf(model));
        DevRig rig(model);
        ASSERT_TRUE(rig.Connect());
        ASSERT_TRUE(rig.ReceiveAll());
        WriteTranspose(rig, 3);
        EXPECT_EQ(rig.Synth().Global()[1], 3);
        const auto dumps = DevReceivedWith(rig.Synth(), 0x51);
        ASSERT_EQ(dumps.size(), 1u);
        EXPECT_EQ(dumps[0].size(), model == B ? 235u : 237u);
    }
}

// A whole-device dump of the other form reaches the device as if received.
Bytes AllDataOfForm(SimModel form, MDevDescZEPHA& dev) {
    Bytes payload;
    const int count = form == B ? 128 : 256;
    for (int i = 0; i < count; ++i) {
        const auto r = MadeProgram(dev, "F" + std::to_string(i), i);
        payload.insert(payload.end(), r.begin(), r.end());
    }
    if (form == B) payload.insert(payload.end(), Messages::kGlobalRecordSize, 0);
    return form == B ? Messages::AllDataDumpBrontisel(0, payload)
                     : Messages::AllDataDumpBrontiselS(0, payload);
}

TEST(MDevDescTransfer, WritesAWholeDeviceInEachForm) {
    struct Case {
        SimModel model;
        SimModel lastForm;
        int function;
        std::size_t wireSize;
        bool secondHalfRepeats;
    };
    // clang-format off
    const Case cases[] = {
        {S, S, 0x50, 74322, false},
        {S, B, 0x50, 74322, true},
        {B, S, 0x4C, 37163, false},
        {B, B, 0x50, 37392, false},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(NameOf(c.model)) + " after " + NameOf(c.lastForm));
        DevRig rig(c.model);
        ASSERT_TRUE(rig.Connect());
        rig.Peer().Send(AllDataOfForm(c.lastForm, rig.Dev()));
        ASSERT_TRUE(rig.WaitFor([&] { return rig.Dev().GetModelInfo().lastAllDataSize != 0; }));

        ASSERT_EQ(rig.Dev().SendAllData(), 0);
        ASSERT_TRUE(rig.WaitChanged());
        const auto dumps = DevReceivedWith(rig.Synth(), c.function);
        ASSERT_EQ(dumps.size(), 1u);
        EXPECT_EQ(dumps[0].size(), c.wireSize);
        for (int i : {0, 5, 127}) {
            EXPECT_EQ(rig.Synth().Program(i), rig.Dev().GetZEPHAProgram(i)->ToBytes()) << i;
        }
        if (c.model == S) {
            const int source = c.secondHalfRepeats ? 5 : 133;
            EXPECT_EQ(rig.Synth().Program(133), rig.Dev().GetZEPHAProgram(source)->ToBytes());
        }
    }
}

TEST(MDevDescTransfer, SelectsAProgram) {
    {
        DevRig rig(B);
        ASSERT_TRUE(rig.Connect());
        ASSERT_EQ(rig.Dev().SelectProgram(100), 0);
        rig.Settle();
        EXPECT_EQ(rig.Synth().ProgramChanges(), std::vector<uint8_t>{100});
        EXPECT_TRUE(rig.Synth().BankSelects().empty());
    }
    {
        DevRig rig(S);
        ASSERT_TRUE(rig.Connect());
        ASSERT_EQ(rig.Dev().SelectProgram(200), 0);
        rig.Settle();
        EXPECT_EQ(rig.Synth().BankSelects(), (std::vector<SimBankSelect>{{0x00, 0x00}, {0x20, 0x01}}));
        EXPECT_EQ(rig.Synth().ProgramChanges(), std::vector<uint8_t>{0x48});
    }
}

// How the synth fails to confirm in time. Its reply is lost; a late one is
// then sent by the test itself once the wait has timed out, so it can never
// come in time, however the threads are scheduled.
struct Delay {
    const char* name;
    bool late;
};
SimFault Silent() {
    SimFault f;
    f.silent = true;
    return f;
}
const Delay kDelays[] = {{"silent", false}, {"late", true}};
constexpr int kShortWait = 10;  // polls: the wait times out, nobody answers

// The synth's confirmation with this function byte (0x23 data load
// completed, 0x21 write completed), as it would have sent it.
void SendLateReply(DevRig& rig, uint8_t function) {
    Bytes reply{0xF0, 0x42, static_cast<uint8_t>(0x30 + (rig.Synth().Channel() & 0x0F))};
    for (uint8_t b : rig.Synth().Info().modelId) reply.push_back(b);
    reply.push_back(function);
    reply.push_back(0xF7);
    rig.Peer().Send(reply);
}
constexpr uint8_t kLoadCompleted = 0x23;
constexpr uint8_t kWriteCompleted = 0x21;

TEST(MDevDescTransfer, TimedOutProgramWriteIsNeverCompletedByALaterReply) {
    for (const auto& delay : kDelays) {
        SCOPED_TRACE(delay.name);
        DevRig rig(B);
        ASSERT_TRUE(rig.Connect());
        ASSERT_TRUE(rig.ReceiveAll());
        const auto slot5 = rig.Synth().Program(5);
        rig.Synth().SetFault(SimReply::LoadCompleted, Silent());
        ASSERT_EQ(rig.Dev().SendProgram(5), 0);
        EXPECT_FALSE(rig.WaitChanged(kShortWait));
        if (delay.late) SendLateReply(rig, kLoadCompleted);
        rig.Settle();  // the late reply, if any, arrives now

        // The editor's next commit: the synth confirms it promptly.
        rig.Synth().ClearFaults();
        rig.Dev().GetEditBuffer().SetParam(24, 50, 1);
        rig.Dev().GetEditBuffer().Commit();
        rig.Settle();
        EXPECT_TRUE(DevReceivedWith(rig.Synth(), 0x11).empty()) << "stale write request sent";
        EXPECT_EQ(rig.Synth().Program(5), slot5);
        EXPECT_EQ(rig.Dev().TakeChanged(), 0);
    }
}

TEST(MDevDescTransfer, TimedOutGlobalWriteLeavesNoStaleCopy) {
    for (const auto& delay : kDelays) {
        SCOPED_TRACE(delay.name);
        DevRig rig(B);
        ASSERT_TRUE(rig.Connect());
        ASSERT_TRUE(rig.ReceiveAll());
        rig.Dev().GetGlobalCopy(0)->SetParam(1, 7, 1);
        rig.Synth().SetFault(SimReply::LoadCompleted, Silent());
        ASSERT_EQ(rig.Dev().SendGlobal(0), 0);
        EXPECT_FALSE(rig.WaitChanged(kShortWait));
        if (delay.late) SendLateReply(rig, kLoadCompleted);
        rig.Settle();
        EXPECT_EQ(rig.Dev().GetGlobal(0)->GetParam(1), 0) << "late reply committed the global";

        // A whole-device send confirms the device's own global, not the
        // working copy.
        rig.Synth().ClearFaults();
        ASSERT_EQ(rig.Dev().SendAllData(), 0);
        EXPECT_TRUE(rig.WaitChanged());
        EXPECT_EQ(rig.Dev().GetGlobal(0)->GetParam(1), 0);

        // The working copy sent again (as a file's is, index -1) and
        // confirmed: now it is the device's.
        ASSERT_EQ(rig.Dev().SendGlobal(-1), 0);
        EXPECT_TRUE(rig.WaitChanged());
        EXPECT_EQ(rig.Dev().GetGlobal(0)->GetParam(1), 7);
        EXPECT_EQ(rig.Synth().Global()[1], 7);
    }
}

TEST(MDevDescTransfer, AllDataDumpOneByteShortIsIgnoredButRecordsItsSize) {
    for (SimModel model : kModels) {
        SCOPED_TRACE(NameOf(model));
        DevRig rig(model);
        ASSERT_TRUE(rig.Connect());
        ASSERT_EQ(rig.Dev().GetModelInfo().lastAllDataSize, 0u);
        rig.Synth().SetFault(SimReply::AllDataDump, SimFault().WithLengthDelta(-1));
        ASSERT_EQ(rig.Dev().RequestAllData(), 0);
        rig.Settle();
        EXPECT_EQ(rig.Dev().GetModelInfo().lastAllDataSize, model == B
                                                                ? Messages::kPackedAllDataSizeBrontisel
                                                                : Messages::kPackedAllDataSizeBrontiselS);
        EXPECT_EQ(rig.Dev().IsDumpReceived(), 0);
        EXPECT_EQ(rig.Dev().GetProgramName(0), "Untitled") << "the short dump was applied";
    }
}

// The application's progress box checks the changed flag, then sleeps and
// pumps messages; its last pump comes after its last check, so a reply taken
// there is seen by nobody before the box gives up and cancels. Here the
// write request went out and only its confirmation is missing.
void WriteTimesOutWithALastPump(DevRig& rig) {
    ASSERT_TRUE(rig.WaitFor([&] { return DevReceivedWith(rig.Synth(), 0x11).size() == 1; }));
    EXPECT_FALSE(rig.WaitFor([&] { return rig.Dev().TakeChanged() != 0; }, kShortWait));
    SendLateReply(rig, kWriteCompleted);
    rig.Settle();
    rig.CancelAfterWait();
}

TEST(MDevDescTransfer, LateConfirmationOfATimedOutWriteDoesNotConfirmTheNext) {
    for (SimModel model : kModels) {
        SCOPED_TRACE(NameOf(model));
        DevRig rig(model);
        ASSERT_TRUE(rig.Connect());
        ASSERT_TRUE(rig.ReceiveAll());
        rig.Synth().SetFault(SimReply::WriteCompleted, Silent());
        rig.Dev().GetProgramCopy(1)->SetName("First");
        ASSERT_EQ(rig.Dev().SendProgram(5), 0);
        WriteTimesOutWithALastPump(rig);

        // The next write to a synth that does not answer at all.
        rig.Synth().SetFault(SimReply::LoadCompleted, Silent());
        const auto slot6 = rig.Synth().Program(6);
        rig.Dev().GetProgramCopy(2)->SetName("Second");
        ASSERT_EQ(rig.Dev().SendProgram(6), 0);
        EXPECT_FALSE(rig.WaitChanged(kShortWait)) << "the write succeeded before the synth answered";
        rig.Settle();
        EXPECT_EQ(DevReceivedWith(rig.Synth(), 0x11).size(), 1u) << "only the first write was requested";
        EXPECT_EQ(rig.Synth().Program(6), slot6);
    }
}

TEST(MDevDescTransfer, LateRepliesAfterATimeOutWriteNoProgram) {
    struct Case {
        const char* name;
        SimReply late;
        uint8_t function;
    };
    for (const Case c : {Case{"late data load completed", SimReply::LoadCompleted, kLoadCompleted},
                         Case{"late write completed", SimReply::WriteCompleted, kWriteCompleted}}) {
        for (SimModel model : kModels) {
            SCOPED_TRACE(std::string(c.name) + ", " + NameOf(model));
            DevRig rig(model);
            ASSERT_TRUE(rig.Connect());
            ASSERT_TRUE(rig.ReceiveAll());
            const MDevProgramData slot5 = rig.Dev().GetZEPHAProgram(5)->ToBytes();
            rig.Synth().SetFault(c.late, Silent());
            rig.Dev().GetProgramCopy(1)->SetName("Timed out");
            ASSERT_EQ(rig.Dev().SendProgram(5), 0);
            EXPECT_FALSE(rig.WaitChanged(kShortWait));
            const auto requestsAtTimeOut = DevReceivedWith(rig.Synth(), 0x11).size();

            // The user goes on and opens another program while the reply is on its way.
            rig.Dev().GetProgramCopy(9);
            SendLateReply(rig, c.function);
            rig.Settle();
            EXPECT_EQ(DevReceivedWith(rig.Synth(), 0x11).size(), requestsAtTimeOut)
                << "a write request left after the time-out";
            EXPECT_EQ(rig.Dev().GetZEPHAProgram(5)->ToBytes(), slot5)
                << "a slot nobody asked to write changed";
            EXPECT_EQ(rig.Dev().TakeChanged(), 0);
        }
    }
}

TEST(MDevDescTransfer, ConfirmedGlobalIsCommittedOnce) {
    for (SimModel model : kModels) {
        SCOPED_TRACE(NameOf(model));
        DevRig rig(model);
        ASSERT_TRUE(rig.Connect());
        ASSERT_TRUE(rig.ReceiveAll());
        WriteTranspose(rig, 3);
        EXPECT_EQ(rig.Dev().GetTransferState().GetKind(), MDevTransferState::Kind::None)
            << "the commit is still pending";

        // The editor changes the working copy; replies that confirm nothing
        // of it must not commit it: a repeated one, and the confirmation of
        // a current-program send.
        rig.Dev().GetWorkingGlobal().SetParam(1, 9, 1);
        rig.Peer().Send({0xF0, 0x42, 0x30, 0x58, 0x23, 0xF7});
        rig.Peer().Send({0xF0, 0x42, 0x30, 0x00, 0x01, 0x40, 0x23, 0xF7});
        rig.Settle();
        ASSERT_EQ(rig.Dev().SendProgram(-1), 0);
        ASSERT_TRUE(rig.WaitChanged());
        EXPECT_EQ(rig.Dev().GetGlobal(0)->GetParam(1), 3) << "the global was committed again";
    }
}

// A write completed that comes before the write request went out is not
// the write's: the synth has not even taken the dump.
TEST(MDevDescTransfer, StrayWriteCompletedBeforeTheWriteRequestConfirmsNothing) {
    for (SimModel model : kModels) {
        SCOPED_TRACE(NameOf(model));
        DevRig rig(model);
        ASSERT_TRUE(rig.Connect());
        ASSERT_TRUE(rig.ReceiveAll());
        const auto slot5 = rig.Synth().Program(5);
        const std::string name = rig.Dev().GetProgramName(5).value();
        rig.Synth().SetFault(SimReply::LoadCompleted, Silent());
        rig.Dev().GetProgramCopy(1)->SetName("Stray");
        ASSERT_EQ(rig.Dev().SendProgram(5), 0);
        SendLateReply(rig, kWriteCompleted);

        EXPECT_FALSE(rig.WaitChanged(kShortWait)) << "confirmed before the write request";
        rig.Settle();
        EXPECT_EQ(rig.Dev().GetProgramName(5), name);
        EXPECT_TRUE(DevReceivedWith(rig.Synth(), 0x11).empty());
        EXPECT_EQ(rig.Synth().Program(5), slot5);
    }
}

TEST(MDevDescTransfer, UnaskedRepliesChangeNothing) {
    DevRig rig(B);
    ASSERT_TRUE(rig.Connect());
    rig.Peer().Send({0xF0, 0x42, 0x30, 0x58, 0x21, 0xF7});
    rig.Peer().Send({0xF0, 0x42, 0x30, 0x58, 0x23, 0xF7});
    rig.Settle();
    EXPECT_EQ(rig.Dev().TakeChanged(), 0);
    EXPECT_TRUE(DevReceivedWith(rig.Synth(), 0x11).empty());
}

}  // namespace
