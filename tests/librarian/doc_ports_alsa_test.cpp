// The document on the ALSA backend, over a fake sequencer that lists ports
// as the kernel does: which ports a first start opens, that a saved port is
// reopened by name, that the port dialog keeps the user's choice across a
// hot-plug, and that a transfer fails at once when input is lost.

#include <gtest/gtest.h>

#include "AlsaDocRig.h"
#include "device/MDevDesc.h"
#include "device/MDevDescProgram.h"
#include "librarian/CDialogDeviceModel.h"
#include "librarian/CVelkDocTexts.h"

namespace {

using doctest::AlsaDocRig;
using midiport::FakeAlsaSeq;

constexpr int kVirMidi0 = FakeAlsaSeq::CardClient(0);  // "Virtual Raw MIDI 0-0"
constexpr int kUsb = FakeAlsaSeq::CardClient(1);

// On a real kernel the first start found no output at all (VirMIDI and
// every program's port are typed SOFTWARE, only hardware outputs counted)
// and listened on Midi Through, the first input of every machine.
TEST(AlsaDocPorts, FirstStartTalksToTheSynthBehindAVirtualPortNotMidiThrough) {
    AlsaDocRig rig;
    rig.Seq().AddVirMidi(0, 4);
    rig.PlugSynth(kVirMidi0);
    ASSERT_TRUE(rig.Connect());
    EXPECT_EQ(rig.Doc().GetDevConfig().GetDeviceName(0), "Brontisel S");
    EXPECT_EQ(rig.ConnectedClient(true), kVirMidi0);
    EXPECT_EQ(rig.ConnectedClient(false), kVirMidi0);
    EXPECT_TRUE(rig.ui_.shown.empty());
}

TEST(AlsaDocPorts, FirstStartPrefersAUsbInterfaceForBothDirections) {
    AlsaDocRig rig;
    rig.Seq().AddVirMidi(0, 4);
    rig.Seq().AddUsbMidi(1, "UM-ONE");
    rig.PlugSynth(kUsb);
    ASSERT_TRUE(rig.Connect());
    EXPECT_EQ(rig.ConnectedClient(true), kUsb);
    EXPECT_EQ(rig.ConnectedClient(false), kUsb);
}

// A saved output that was not a hardware port was never even compared: the
// program silently used another one.
TEST(AlsaDocPorts, SavedVirtualPortIsReopenedByName) {
    AlsaDocRig rig;
    rig.Seq().AddVirMidi(0, 4);
    rig.Seq().AddUsbMidi(1, "UM-ONE");
    rig.PlugSynth(kVirMidi0 + 2);
    rig.preference_.SetMidiDevices("Virtual Raw MIDI 0-2:VirMIDI 0-2", "Virtual Raw MIDI 0-2:VirMIDI 0-2");
    ASSERT_TRUE(rig.Connect());
    EXPECT_EQ(rig.ConnectedClient(true), kVirMidi0 + 2);
    EXPECT_EQ(rig.ConnectedClient(false), kVirMidi0 + 2);
}

// The dialog kept list positions: after a port went away it preselected
// the neighbour of the port in use, and OK wrote a position of the old list
// (and read the name to save back from the new one).
TEST(AlsaDocPorts, PortDialogKeepsThePortsByNameAcrossAnUnplug) {
    AlsaDocRig rig;
    rig.Seq().AddVirMidi(0, 4);
    rig.PlugSynth(kVirMidi0 + 3);
    rig.preference_.SetMidiDevices("Virtual Raw MIDI 0-2:VirMIDI 0-2", "Virtual Raw MIDI 0-2:VirMIDI 0-2");
    rig.Doc().SelectMidiPorts();
    MDevConfig& config = rig.Doc().GetDevConfig();
    int in = config.GetMidiInPortId();
    int out = config.GetMidiOutPortId();

    // Unplugged before the dialog opens, while no MIDI thread reads the
    // sequencer yet: the announcement waits in the client's input.
    rig.Seq().RemoveClient(kVirMidi0);
    CDialogDeviceModel model(rig.Backend(), &in, &out, rig.preference_);
    ASSERT_EQ(model.GetInputs().size(), 3u);
    EXPECT_EQ(model.GetInputs()[static_cast<std::size_t>(model.GetInputSelection())],
              "Virtual Raw MIDI 0-2:VirMIDI 0-2");
    EXPECT_EQ(model.GetOutputs()[static_cast<std::size_t>(model.GetOutputSelection())],
              "Virtual Raw MIDI 0-2:VirMIDI 0-2");

    // The user picks VirMIDI 0-3; 0-1 goes away before OK.
    rig.Seq().RemoveClient(kVirMidi0 + 1);
    ASSERT_TRUE(model.Commit(2, 2).done);
    config.SetMidiInPortId(in);
    config.SetMidiOutPortId(out);
    rig.Doc().DetectDevices();
    EXPECT_EQ(rig.ConnectedClient(true), kVirMidi0 + 3);
    EXPECT_EQ(rig.ConnectedClient(false), kVirMidi0 + 3);
    EXPECT_EQ(config.GetDeviceCount(), 1);
    std::string savedIn, savedOut;
    rig.preference_.GetMidiDevices(savedIn, savedOut);
    EXPECT_EQ(savedIn, "Virtual Raw MIDI 0-3:VirMIDI 0-3");
    EXPECT_EQ(savedOut, "Virtual Raw MIDI 0-3:VirMIDI 0-3");
}

// Listing hands out new lists, which later ids refer to: after a dialog
// was cancelled over a changed list, the ids of the ports in use pointed to
// their neighbours, and the next dialog preselected those.
TEST(AlsaDocPorts, CancelledPortDialogLeavesThePortsInUseForTheNextOne) {
    AlsaDocRig rig;
    rig.Seq().AddVirMidi(0, 4);
    rig.preference_.SetMidiDevices("Virtual Raw MIDI 0-2:VirMIDI 0-2", "Virtual Raw MIDI 0-2:VirMIDI 0-2");
    rig.Doc().SelectMidiPorts();
    MDevConfig& config = rig.Doc().GetDevConfig();
    rig.Seq().RemoveClient(kVirMidi0);
    for (int open = 0; open < 2; ++open) {
        SCOPED_TRACE(open == 0 ? "first" : "second");
        int in = config.GetMidiInPortId();
        int out = config.GetMidiOutPortId();
        CDialogDeviceModel model(rig.Backend(), &in, &out, rig.preference_);
        ASSERT_EQ(model.GetInputSelection(), 1);
        ASSERT_EQ(model.GetOutputSelection(), 1);
        EXPECT_EQ(model.GetInputs()[1], "Virtual Raw MIDI 0-2:VirMIDI 0-2");
        model.KeepPortsInUse();  // Cancel
        config.SetMidiInPortId(in);
        config.SetMidiOutPortId(out);
    }
    rig.PlugSynth(kVirMidi0 + 2);
    rig.Doc().DetectDevices();
    EXPECT_EQ(rig.ConnectedClient(true), kVirMidi0 + 2);
    EXPECT_EQ(rig.ConnectedClient(false), kVirMidi0 + 2);
}

struct LossCase {
    const char* what;
    std::function<void(FakeAlsaSeq&)> lose;
};

// An overrun dropped the reply in flight without a word, and an unplugged
// synth was noticed by nobody: the receive waited out its whole limit (600
// passes, 30 s) before it failed.
TEST(AlsaDocPorts, LostInputFailsTheReceiveAtOnceWithItsUsualError) {
    const LossCase cases[] = {
        {"input overrun", [](FakeAlsaSeq& seq) { seq.FailInput(-ENOSPC); }},
        {"card unplugged", [](FakeAlsaSeq& seq) { seq.RemoveClient(kVirMidi0); }},
    };
    for (const LossCase& c : cases) {
        SCOPED_TRACE(c.what);
        AlsaDocRig rig;
        rig.Seq().AddVirMidi(0, 1);
        rig.PlugSynth(kVirMidi0);
        ASSERT_TRUE(rig.Connect());
        rig.Synth().SetFault(SimReply::AllDataDump, SimFault().WithSilence());
        const int pumpsBefore = rig.ui_.pumps;
        rig.onPass = [&](int pass) {
            if (pass != pumpsBefore + 1) return;
            c.lose(rig.Seq());
            rig.Seq().Settle();
        };
        EXPECT_FALSE(rig.Doc().ReceiveAll(rig.Device()));
        EXPECT_EQ(rig.ui_.Texts(), std::vector<std::string>{velkdoctext::kCantReceive});
        EXPECT_EQ(rig.ui_.pumps - pumpsBefore, 1) << "not after 600 passes";
        EXPECT_FALSE(rig.Device()->IsDumpReceived());
    }
}

// An overrun cut a global write's wait short a moment after its dump went
// out: the synth's answer may still come, late. It was then owed for good,
// and the next write the synth took, a minute later, was reported failed.
TEST(AlsaDocPorts, WriteCutShortByAnOverrunOwesItsReplyOnlyWhileItCanCome) {
    AlsaDocRig rig;
    rig.Seq().AddVirMidi(0, 1);
    rig.PlugSynth(kVirMidi0);
    ASSERT_TRUE(rig.Connect());
    ASSERT_TRUE(rig.Doc().ReceiveAll(rig.Device()));
    const std::string name = rig.Doc().GetDevConfig().GetDeviceName(0).value();
    const int tune = rig.Device()->GetGlobal(0)->GetParam(0) + 1;
    rig.Device()->GetGlobalCopy(0)->SetParam(0, tune, 0);
    const std::string global = rig.Doc().GetRoots().GetLibraryFolder(name) + "/g.glb";
    ASSERT_EQ(rig.Device()->SaveGlobalFile(-1, global), 0);
    const auto paste = [&] {
        CFNameList list;
        list.Add(global);
        return rig.Doc().PasteItems(list, itempath::MakeDevicePath(name), false, 0, itempath::kRootDevice, 1);
    };
    rig.Synth().SetFault(SimReply::LoadCompleted, SimFault().WithSilence());
    const int pumpsBefore = rig.ui_.pumps;
    rig.onPass = [&](int pass) {
        if (pass != pumpsBefore + 1) return;
        rig.Seq().FailInput(-ENOSPC);
        rig.Seq().Settle();
    };
    ASSERT_EQ(paste(), 0);
    ASSERT_EQ(rig.ui_.pumps - pumpsBefore, 1);
    rig.onPass = nullptr;
    rig.Synth().ClearFaults();
    rig.ui_.shown.clear();
    rig.ui_.SleepFor(std::chrono::minutes(1));

    EXPECT_EQ(paste(), 1);

    EXPECT_EQ(rig.Device()->GetGlobal(0)->GetParam(0), tune);
    EXPECT_TRUE(rig.ui_.shown.empty());
}

}  // namespace
