// The document's port choice, detection, device folders and whole-device
// reception against the simulated synth, on a fake clock.

#include <gtest/gtest.h>

#include "DocRig.h"
#include "device/MDevZEPHAMessages.h"
#include "librarian/CVelkDocTexts.h"

namespace {

using doctest::DocRig;
using namespace std::chrono_literals;
namespace fs = std::filesystem;
using Msg = MDevZEPHAMessages;

// Saved outputs used to count only when they were hardware ports (a saved
// virtual port was silently replaced by another), an input always fell back
// to the first port, and a name equal but for case beat the exact one.
TEST(CVelkDocPorts, SelectMidiPortsReopensSavedPortsByNameInBothDirections) {
    struct Case {
        const char* savedIn;
        const char* savedOut;
        int in;
        int out;
    };
    // Ports (inputs and outputs alike): 0 "Sim:Port 1" (hardware),
    // 1 "Soft:Thru" (software), 2 "Usb:Midi" (hardware), 3 "usb:midi" (hardware).
    // clang-format off
    const Case cases[] = {
        {"", "", 0, 0},                    // nothing saved: the first hardware port in both directions
        {"USB:MIDI", "usb:MIDI", 3, 3},    // without case; the last such port
        {"Usb:Midi", "usb:midi", 2, 3},    // an exact match first
        {"soft:thru", "Soft:Thru", 1, 1},  // a software port is reopened too
        {"Soft:Thru", "", 1, 1},           // the output follows the input's device
        {"Gone:Port", "Usb:Midi", 2, 2},   // and the input the output's
        {"Gone:Port", "Gone:Port", 0, 0},  // saved ports that are not there
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.savedIn) + " / " + c.savedOut);
        DocRig rig;
        rig.Backend().CreatePair("Soft:Thru", false);
        rig.Backend().CreatePair("Usb:Midi");
        rig.Backend().CreatePair("usb:midi");
        rig.preference_.SetMidiDevices(c.savedIn, c.savedOut);
        rig.Doc().SelectMidiPorts();
        EXPECT_EQ(rig.Doc().GetDevConfig().GetMidiInPortId(), c.in);
        EXPECT_EQ(rig.Doc().GetDevConfig().GetMidiOutPortId(), c.out);
    }
}

TEST(CVelkDocPorts, SoftwarePortsAloneAreChosenAndNoPortGivesMinusOne) {
    DocRig rig;
    rig.Backend().RemovePair(rig.Peer());
    rig.Doc().SelectMidiPorts();
    EXPECT_EQ(rig.Doc().GetDevConfig().GetMidiInPortId(), -1);
    EXPECT_EQ(rig.Doc().GetDevConfig().GetMidiOutPortId(), -1);
    rig.Backend().CreatePair("Soft:Thru", false);
    rig.Doc().SelectMidiPorts();
    EXPECT_EQ(rig.Doc().GetDevConfig().GetMidiInPortId(), 0);
    EXPECT_EQ(rig.Doc().GetDevConfig().GetMidiOutPortId(), 0);
}

TEST(CVelkDocDetect, AnsweringDeviceIsIdentifiedAndGetsItsFolders) {
    for (SimModel model : {SimModel::Brontisel, SimModel::BrontiselS}) {
        DocRig rig(model);
        ASSERT_TRUE(rig.Connect());
        EXPECT_EQ(rig.DeviceName(), model == SimModel::Brontisel ? "Brontisel" : "Brontisel S");
        EXPECT_TRUE(fs::is_directory(rig.Library() + "/My Setup/" + rig.DeviceName()));
        EXPECT_TRUE(fs::is_directory(rig.Library() + "/My Library/" + rig.DeviceName()));
        EXPECT_EQ(rig.ui_.progressCaptions, std::vector<std::string>{"MIDI Transfering ..."});
        EXPECT_EQ(rig.ui_.progressCloses, 1);
        EXPECT_LE(rig.ui_.pumps, 1) << "the reply came in the first pass";
        EXPECT_TRUE(rig.ui_.shown.empty());
    }
}

TEST(CVelkDocDetect, NoAnsweringDeviceWaitsAboutOneSecondAndCreatesNoDeviceFolder) {
    DocRig rig;
    rig.Synth().SetFault(SimReply::Identity, SimFault().WithSilence());
    EXPECT_FALSE(rig.Connect());
    EXPECT_EQ(rig.ui_.pumps, 20);
    EXPECT_EQ(rig.ui_.Elapsed(), 1000ms);
    EXPECT_EQ(velktest::Listing(rig.Library()), std::vector<std::string>{}) << "no device, no folder";
    EXPECT_TRUE(rig.ui_.shown.empty());
}

TEST(CVelkDocDetect, PortFailureIsReportedAndDetectionGoesOn) {
    DocRig rig;
    midiport::LoopbackFaults faults;
    faults.refuseOpen = true;
    rig.Peer()->SetFaults(faults);
    EXPECT_FALSE(rig.Connect());
    EXPECT_EQ(rig.ui_.Texts(), std::vector<std::string>{velkdoctext::kCantStartTransfer});
    EXPECT_EQ(rig.ui_.pumps, 20) << "the identity wait still runs";
}

TEST(CVelkDocDetect, DeviceFolderBlockedByAFileIsReportedPerSide) {
    DocRig rig;
    velktest::WriteText(rig.Library() + "/My Setup/Brontisel", "x");
    velktest::WriteText(rig.Library() + "/My Library", "x");
    ASSERT_TRUE(rig.Connect());
    const std::string setup = rig.Library() + "/My Setup/Brontisel";
    const std::string library = rig.Library() + "/My Library/Brontisel";
    EXPECT_EQ(
        rig.ui_.Texts(),
        (std::vector<std::string>{
            "An Intermediate or a Last Folder to Create is a File.\nCan't Create Folder \"" + setup + "\"",
            "An Itermediate or a Last Folder to Create is a File.\nCan't Create Folder \"" + library +
                "\""}));
    EXPECT_EQ(rig.ui_.shown[0].icon, VelkIcon::kError);
}

TEST(CVelkDocReceive, ReceivesOnceOnly) {
    DocRig rig;
    ASSERT_TRUE(rig.Connect());
    EXPECT_TRUE(rig.Doc().ReceiveAll(rig.Device()));
    EXPECT_EQ(rig.ReceivedCount(Msg::kAllDataDumpRequest), 1);
    EXPECT_EQ(rig.ui_.progressCaptions.size(), 2u);
    EXPECT_TRUE(rig.Doc().ReceiveAll(rig.Device()));
    EXPECT_EQ(rig.ReceivedCount(Msg::kAllDataDumpRequest), 1) << "asked a second time";
    EXPECT_EQ(rig.ui_.progressCaptions.size(), 2u) << "a box for a receive that was done";
    EXPECT_FALSE(rig.Doc().ReceiveAll(nullptr));
    EXPECT_TRUE(rig.ui_.shown.empty());
}

TEST(CVelkDocReceive, NoDumpIsReportedAfterThirtySeconds) {
    DocRig rig;
    ASSERT_TRUE(rig.Connect());
    rig.Synth().SetFault(SimReply::AllDataDump, SimFault().WithSilence());
    const auto before = rig.ui_.Elapsed();
    EXPECT_FALSE(rig.Doc().ReceiveAll(rig.Device()));
    EXPECT_EQ(rig.ui_.Elapsed() - before, 30000ms);
    EXPECT_EQ(rig.ui_.Texts(), std::vector<std::string>{velkdoctext::kCantReceive});
    EXPECT_FALSE(rig.ui_.progressShown);
}

TEST(CVelkDocReceive, WriteProtectedDeviceIsReported) {
    DocRig rig;
    rig.Synth().SetWriteProtect(true);
    ASSERT_TRUE(rig.Connect());
    EXPECT_TRUE(rig.Doc().ReceiveAll(rig.Device()));
    EXPECT_EQ(rig.ui_.Texts(), std::vector<std::string>{velkdoctext::kDeviceWriteProtected});
}

// The dump arrives while the last pass sleeps: it still counts.
TEST(CVelkDocReceive, DumpArrivingInTheLastPassIsNotReportedAsFailure) {
    DocRig rig;
    ASSERT_TRUE(rig.Connect());
    rig.Synth().SetFault(SimReply::AllDataDump, SimFault().WithSilence());
    const int first = rig.ui_.pumps;
    rig.onPass = [&](int pass) {
        if (pass - first != 600) return;
        rig.Synth().ClearFaults();
        rig.Synth().SendAllData();
        rig.Deliver();
    };
    EXPECT_TRUE(rig.Doc().ReceiveAll(rig.Device()));
    EXPECT_EQ(rig.ui_.pumps - first, 600);
    EXPECT_TRUE(rig.ui_.shown.empty());
}

// Reconnecting to another model must not leave the old model's programs in
// place: the next visit receives from the new device.
TEST(CVelkDocReceive, ReconnectingToAnotherModelReceivesAgain) {
    DocRig rig(SimModel::Brontisel);
    ASSERT_TRUE(rig.ConnectAndReceive());
    ASSERT_EQ(rig.Device()->GetProgramCount(), 128);

    // The cable now leads to a Brontisel S on the same port.
    rig.Backend().RemovePair(rig.Peer());
    auto pairS = rig.Backend().CreatePair("Sim:Port 1");
    SimSynthOnLoopback simS(SimModel::BrontiselS, pairS);
    rig.deliver = false;
    rig.onPass = [&](int) { simS.Drain(); };
    rig.Doc().DetectDevices();
    ASSERT_NE(rig.Device(), nullptr);
    EXPECT_EQ(rig.DeviceName(), "Brontisel S");
    EXPECT_EQ(rig.Device()->IsDumpReceived(), 0);
    EXPECT_TRUE(rig.Doc().ReceiveAll(rig.Device()));
    EXPECT_EQ(rig.Device()->GetProgramCount(), 256);
    int requests = 0;
    for (const auto& message : simS.Synth().Received())
        if (message.size() > 6 && message[6] == Msg::kAllDataDumpRequest) ++requests;
    EXPECT_EQ(requests, 1);
    EXPECT_TRUE(rig.ui_.shown.empty());
}

// A window close that arrives through the events pumped during a transfer
// must find the document busy.
TEST(CVelkDocReceive, TransferIsRunningWhileTheLoopPumps) {
    DocRig rig;
    ASSERT_TRUE(rig.Connect());
    std::vector<bool> seen;
    rig.onPass = [&](int) { seen.push_back(rig.Doc().IsTransferRunning()); };
    EXPECT_FALSE(rig.Doc().IsTransferRunning());
    rig.Synth().SetFault(SimReply::AllDataDump, SimFault().WithSilence());
    rig.Doc().ReceiveAll(rig.Device());
    ASSERT_EQ(seen.size(), 600u);
    EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](bool b) { return b; }));
    EXPECT_FALSE(rig.Doc().IsTransferRunning());
}

}  // namespace
