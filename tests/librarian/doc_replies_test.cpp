// The document's transfers against replies that come before their request,
// after their transfer gave up, or not at all, and against a slow wire: a
// reply confirms only the request that asked for it, a reception succeeds
// only whole, and the device's data changes only with what the synth sent
// or confirmed. Input is routed as the application routes it: through the
// task the document posts to the event loop, and by the waiting loops.

#include <gtest/gtest.h>

#include "DocRig.h"
#include "device/MDevDescZEPHA.h"
#include "device/MDevZEPHAMessages.h"
#include "librarian/CVelkDocTexts.h"

namespace {

using doctest::DocRig;
using namespace std::chrono_literals;
using Msg = MDevZEPHAMessages;
using itempath::kRootDevice;
using itempath::kRootLibrary;

SimFault Silent() { return SimFault().WithSilence(); }

// The synth's short reply with this function byte, as it sends it.
std::vector<uint8_t> Reply(SimSynth& synth, uint8_t function) {
    std::vector<uint8_t> reply{0xF0, 0x42, static_cast<uint8_t>(0x30 | (synth.Channel() & 0x0F))};
    for (uint8_t b : synth.Info().modelId) reply.push_back(b);
    reply.push_back(function);
    reply.push_back(0xF7);
    return reply;
}

int PasteOntoDevice(DocRig& rig, const std::string& file) {
    CFNameList list = DocRig::List({file});
    return rig.Doc().PasteItems(list, itempath::MakeDevicePath(rig.DeviceName()), false, 0, kRootDevice, 1);
}

bool Told(const DocRig& rig, const std::string& what) {
    return std::any_of(rig.calls.begin(), rig.calls.end(),
                       [&](const std::string& call) { return call.find(what) != std::string::npos; });
}

// A setup file of the device whose program `index` is named `name`; the
// device model is left as it was.
std::string SetupFileWith(DocRig& rig, int index, const std::string& name) {
    MDevDescProgram* program = rig.Device()->GetProgram(index);
    const std::string kept = program->GetName();
    program->SetName(name);
    const std::string path = rig.SetupFolder() + "/other.set";
    EXPECT_EQ(rig.Device()->SaveAllFile(path), 0);
    program->SetName(kept);
    return path;
}

// The reply to a live commit (sent while nothing waits) came in just before
// the whole-device write: it must not close the progress box at once and
// report the write done while the synth has not even got the dump.
TEST(DocReplies, PastedSetupIsNotConfirmedByAReplyThatCameBeforeIt) {
    DocRig rig;
    ASSERT_TRUE(rig.ConnectAndReceive());
    const std::string setup = SetupFileWith(rig, 9, "FromFile");
    static_cast<MDevDescZEPHA*>(rig.Device())->SendEditBuffer();
    rig.Arrive();
    rig.Synth().SetFault(SimReply::LoadCompleted, Silent());
    const int before = rig.ui_.pumps;

    EXPECT_EQ(PasteOntoDevice(rig, setup), 0);

    EXPECT_EQ(rig.ui_.pumps - before, 300) << "the box closed before the synth answered";
    EXPECT_EQ(rig.ui_.Texts(), std::vector<std::string>{velkdoctext::kCantOverwriteDevice});
}

// A whole-device write whose dump was lost keeps the device's programs in
// the model: a later rename writes the synth's own program back, and a copy
// to the library saves the device's data, not the file's.
TEST(DocReplies, FailedWholeDeviceWriteKeepsTheDevicesPrograms) {
    DocRig rig;
    ASSERT_TRUE(rig.ConnectAndReceive());
    const MDevProgramData nine = static_cast<MDevDescZEPHA*>(rig.Device())->GetZEPHAProgram(9)->ToBytes();
    const std::string name = rig.Device()->GetProgramName(9).value();
    const std::string setup = SetupFileWith(rig, 9, "FromFile");
    rig.Synth().SetFault(SimReply::LoadCompleted, Silent());

    EXPECT_EQ(PasteOntoDevice(rig, setup), 0);

    EXPECT_EQ(rig.ui_.Texts(), std::vector<std::string>{velkdoctext::kCantOverwriteDevice});
    EXPECT_EQ(rig.Device()->GetProgramName(9), name);
    EXPECT_EQ(static_cast<MDevDescZEPHA*>(rig.Device())->GetZEPHAProgram(9)->ToBytes(), nine);
    CFNameList program = DocRig::List({rig.ProgramPath(9)});
    EXPECT_EQ(rig.Doc().PasteItems(program, rig.LibraryFolder(), false, 0, kRootLibrary, 2), 1);
    EXPECT_EQ(velktest::Listing(rig.LibraryFolder()), std::vector<std::string>{name + ".prg"});
}

// The same write confirmed: then the file's programs are the device's.
TEST(DocReplies, ConfirmedWholeDeviceWriteMakesTheFilesProgramsTheDevices) {
    DocRig rig;
    ASSERT_TRUE(rig.ConnectAndReceive());
    const std::string setup = SetupFileWith(rig, 9, "FromFile");
    EXPECT_EQ(PasteOntoDevice(rig, setup), 1);
    EXPECT_EQ(rig.Device()->GetProgramName(9), "FromFile");
    EXPECT_TRUE(rig.ui_.shown.empty());
}

// A rename timed out waiting for write completed; the synth's reply comes
// afterwards. It must not confirm the next rename, whose write request the
// synth never got.
TEST(DocReplies, LateWriteCompletedOfATimedOutRenameConfirmsNoOtherRename) {
    DocRig rig;
    ASSERT_TRUE(rig.ConnectAndReceive());
    const std::string four = rig.Device()->GetProgramName(4).value();
    rig.Synth().SetFault(SimReply::WriteCompleted, Silent());
    EXPECT_EQ(rig.Doc().RenameItem(rig.ProgramPath(3), "First"), 0);
    ASSERT_EQ(rig.ReceivedCount(Msg::kProgramWriteRequest), 1);
    rig.Peer()->Send(Reply(rig.Synth(), Msg::kWriteCompleted));
    rig.Arrive();

    // The synth takes nothing any more.
    rig.Synth().SetFault(SimReply::LoadCompleted, Silent());
    rig.ui_.shown.clear();
    rig.calls.clear();
    EXPECT_EQ(rig.Doc().RenameItem(rig.ProgramPath(4), "Second"), 0);

    EXPECT_EQ(rig.ui_.Texts(), std::vector<std::string>{velkdoctext::kCantOverwriteDevice});
    EXPECT_FALSE(Told(rig, "renamed")) << "the list shows a name the synth does not have";
    EXPECT_EQ(rig.Device()->GetProgramName(4), four);
    EXPECT_EQ(rig.ReceivedCount(Msg::kProgramWriteRequest), 1);
}

// A Brontisel S sends its global as a dump of its own: without it the
// reception failed, and nothing of it counts as the device's data.
TEST(DocReplies, BrontiselSReceptionWithoutTheGlobalFailsAndKeepsThePreviousData) {
    DocRig rig(SimModel::BrontiselS);
    ASSERT_TRUE(rig.Connect());
    const std::string first = rig.Device()->GetProgramName(0).value();
    rig.Synth().SetFault(SimReply::GlobalDump, Silent());

    EXPECT_FALSE(rig.Doc().ReceiveAll(rig.Device()));

    EXPECT_EQ(rig.ui_.Texts(), std::vector<std::string>{velkdoctext::kCantReceive});
    EXPECT_EQ(rig.Device()->IsDumpReceived(), 0);
    EXPECT_EQ(rig.Device()->GetProgramName(0), first) << "the programs of a failed reception were taken";
    // Start-up values are never saved as the device's global.
    rig.ui_.shown.clear();
    CFNameList global = DocRig::List({itempath::MakeGlobalPath(rig.DeviceName())});
    EXPECT_EQ(rig.Doc().PasteItems(global, rig.LibraryFolder(), false, 0, kRootLibrary, 2), 0);
    EXPECT_TRUE(velktest::Listing(rig.LibraryFolder()).empty());

    // With its global the reception succeeds.
    rig.Synth().ClearFaults();
    rig.ui_.shown.clear();
    EXPECT_TRUE(rig.Doc().ReceiveAll(rig.Device()));
    const SimProgramRecord own = rig.Synth().Program(0);
    std::string name(own.begin(), own.begin() + 12);
    name.erase(name.find_last_not_of(' ') + 1);
    EXPECT_EQ(rig.Device()->GetProgramName(0), name) << "the synth's own program";
    EXPECT_TRUE(rig.ui_.shown.empty());
}

// At 2,400 bytes/s a Brontisel S's dumps take about 31 s: the receive goes
// on while they come in, and ends when they are there.
TEST(DocReplies, ReceptionOnASlowWireGoesOnWhileTheDumpComesIn) {
    DocRig rig(SimModel::BrontiselS, nullptr, /*synthOnFakeClock=*/true);
    ASSERT_TRUE(rig.Connect());
    rig.Synth().SetWireRate(2400);
    rig.Synth().SetWirePiece(64);
    const auto before = rig.ui_.Elapsed();

    EXPECT_TRUE(rig.Doc().ReceiveAll(rig.Device()));

    const auto took = rig.ui_.Elapsed() - before;
    EXPECT_GT(took, 30s) << "the dumps alone take longer than the receive's limit";
    EXPECT_LT(took, 32s);
    EXPECT_TRUE(rig.ui_.shown.empty());
}

// The dump stops half-way: the wait gives up its limit after the last byte.
TEST(DocReplies, ReceptionOnASlowWireTimesOutItsLimitAfterTheDumpStops) {
    DocRig rig(SimModel::BrontiselS, nullptr, /*synthOnFakeClock=*/true);
    ASSERT_TRUE(rig.Connect());
    rig.Synth().SetWireRate(2400);
    rig.Synth().SetWirePiece(64);
    rig.deliver = false;
    const int first = rig.ui_.pumps;
    // The wire breaks after ten seconds of the dump.
    rig.onPass = [&](int pass) {
        if (pass - first <= 200) rig.Deliver();
    };
    const auto before = rig.ui_.Elapsed();

    EXPECT_FALSE(rig.Doc().ReceiveAll(rig.Device()));

    EXPECT_EQ(rig.ui_.Elapsed() - before, 10s + 30s);
    EXPECT_EQ(rig.ui_.Texts(), std::vector<std::string>{velkdoctext::kCantReceive});
}

// A whole-device write on a slow wire gave up while its dump was still
// under way; the synth's confirmation of it comes in during the next write,
// to which the synth does not answer. That write failed.
TEST(DocReplies, LateConfirmationOfATimedOutWholeDeviceWriteConfirmsNoOtherWrite) {
    DocRig rig(SimModel::BrontiselS, nullptr, /*synthOnFakeClock=*/true);
    ASSERT_TRUE(rig.ConnectAndReceive());
    const std::string setup = SetupFileWith(rig, 9, "FromFile");
    const std::string global = rig.LibraryFolder() + "/g.glb";
    ASSERT_EQ(rig.Device()->SaveGlobalFile(0, global), 0);
    // The synth takes the dump 31 s after it was sent, and confirms it then.
    rig.Synth().SetFault(SimReply::LoadCompleted, SimFault().WithLate(31s));
    EXPECT_EQ(PasteOntoDevice(rig, setup), 0);
    ASSERT_EQ(rig.ui_.Texts(), std::vector<std::string>{velkdoctext::kCantOverwriteDevice});

    rig.Synth().SetFault(SimReply::LoadCompleted, Silent());
    rig.ui_.shown.clear();
    EXPECT_EQ(PasteOntoDevice(rig, global), 0) << "the late reply confirmed the global";
    EXPECT_EQ(rig.ui_.Texts(), std::vector<std::string>{velkdoctext::kCantOverwriteDevice});
}

// Another device on the same input trickles a system-exclusive message of
// its own, a byte a pass: it held a receive for 120 s and a rename for 20 s.
// Only the synth's own dump coming in may stretch a wait.
TEST(DocReplies, AStrangersSlowSysExStretchesNoWait) {
    struct Case {
        const char* what;
        SimReply silent;
        std::chrono::milliseconds limit;
        std::function<bool(DocRig&)> run;
    };
    const Case cases[] = {
        {"receive", SimReply::AllDataDump, 30s,
         [](DocRig& rig) { return rig.Doc().ReceiveAll(rig.Device()); }},
        {"rename", SimReply::LoadCompleted, 5s,
         [](DocRig& rig) { return rig.Doc().RenameItem(rig.ProgramPath(3), "Other") != 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DocRig rig;
        ASSERT_TRUE(c.silent == SimReply::AllDataDump ? rig.Connect() : rig.ConnectAndReceive());
        rig.Synth().SetFault(c.silent, Silent());
        bool begun = false;
        rig.onPass = [&](int) {
            if (begun) rig.Peer()->Send({0x01});
            else rig.Peer()->Send({0xF0, 0x7D});
            begun = true;
            rig.Deliver();
        };
        const auto before = rig.ui_.Elapsed();

        EXPECT_FALSE(c.run(rig));

        EXPECT_EQ(rig.ui_.Elapsed() - before, c.limit);
        EXPECT_EQ(rig.ui_.shown.size(), 1u);
    }
}

// A second copy of an earlier exchange's data load completed arrives a
// second into a whole-device write whose dump is lost on the cable. No
// synth answers a dump before it is across: the write failed, and the
// device keeps its own programs.
TEST(DocReplies, StrayReplyBeforeTheDumpIsAcrossConfirmsNoWholeDeviceWrite) {
    DocRig rig(SimModel::Brontisel, nullptr, /*synthOnFakeClock=*/true);
    ASSERT_TRUE(rig.ConnectAndReceive());
    const std::string name = rig.Device()->GetProgramName(9).value();
    const std::string setup = SetupFileWith(rig, 9, "FromFile");
    rig.Peer()->SetThrottle(3125);  // the dump is across after 12 s
    midiport::LoopbackFaults faults;
    faults.dropToPeer = 1;
    rig.Peer()->SetFaults(faults);
    const int first = rig.ui_.pumps;
    rig.onPass = [&](int pass) {
        if (pass - first == 10) rig.Peer()->Send(Reply(rig.Synth(), Msg::kDataLoadCompleted));
    };

    EXPECT_EQ(PasteOntoDevice(rig, setup), 0);

    EXPECT_EQ(rig.ui_.Texts(), std::vector<std::string>{velkdoctext::kCantOverwriteDevice});
    EXPECT_EQ(rig.Device()->GetProgramName(9), name);
}

// An interface slower than a cable (the program allows for 2,000 B/s): a
// Brontisel S's dump takes 37 s to go out, more than the write's whole wait
// for the answer. That wait begins once the dump has left.
TEST(DocReplies, WholeDeviceWriteOnASlowerInterfaceWaitsFromTheDumpsLastByte) {
    DocRig rig(SimModel::BrontiselS, nullptr, /*synthOnFakeClock=*/true);
    ASSERT_TRUE(rig.ConnectAndReceive());
    const std::string setup = SetupFileWith(rig, 9, "FromFile");
    rig.Peer()->SetThrottle(MDevConfig::kSlowWireBytesPerSecond);
    const auto before = rig.ui_.Elapsed();

    EXPECT_EQ(PasteOntoDevice(rig, setup), 1);

    const auto took = rig.ui_.Elapsed() - before;
    EXPECT_GT(took, 37s);
    EXPECT_LT(took, 38s);
    EXPECT_EQ(rig.Device()->GetProgramName(9), "FromFile");
    EXPECT_TRUE(rig.ui_.shown.empty());
}

// A Brontisel S's whole-device write that gets no answer times out while
// its dump could still be crossing a slow interface: a late reply is owed.
// The next data load completed was taken for it and dropped whenever it
// came, so a later write the synth took failed. The reply is owed only
// until no answer of that dump can still come, and never past a reception
// or a reconnection.
TEST(DocReplies, LateReplyOfAFailedWriteIsOwedOnlyWhileItCanStillCome) {
    struct Case {
        const char* what;
        std::function<void(DocRig&)> meanwhile;
        bool rename;  // else a global write
    };
    const Case cases[] = {
        {"a global write a minute later", [](DocRig& rig) { rig.ui_.SleepFor(60s); }, false},
        {"a rename a minute later", [](DocRig& rig) { rig.ui_.SleepFor(60s); }, true},
        {"a global write after a reception",
         [](DocRig& rig) {
             rig.Device()->Initialize();
             EXPECT_TRUE(rig.Doc().ReceiveAll(rig.Device()));
         },
         false},
        {"a global write after a reconnection", [](DocRig& rig) { rig.Doc().DetectDevices(); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DocRig rig(SimModel::BrontiselS);
        ASSERT_TRUE(rig.ConnectAndReceive());
        const std::string setup = SetupFileWith(rig, 9, "FromFile");
        const int tune = rig.Device()->GetGlobal(0)->GetParam(0) + 1;
        rig.Device()->GetGlobalCopy(0)->SetParam(0, tune, 0);
        const std::string global = rig.LibraryFolder() + "/g.glb";
        ASSERT_EQ(rig.Device()->SaveGlobalFile(-1, global), 0);
        rig.Synth().SetFault(SimReply::LoadCompleted, Silent());
        ASSERT_EQ(PasteOntoDevice(rig, setup), 0);
        rig.Synth().ClearFaults();
        rig.ui_.shown.clear();

        c.meanwhile(rig);

        if (c.rename) {
            EXPECT_EQ(rig.Doc().RenameItem(rig.ProgramPath(4), "Second"), 1);
            EXPECT_EQ(rig.ReceivedCount(Msg::kProgramWriteRequest), 1);
        } else {
            EXPECT_EQ(PasteOntoDevice(rig, global), 1);
            EXPECT_EQ(rig.Device()->GetGlobal(0)->GetParam(0), tune);
        }
        EXPECT_TRUE(rig.ui_.shown.empty());
    }
}

}  // namespace
