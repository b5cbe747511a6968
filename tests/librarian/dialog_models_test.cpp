// The port dialog's logic: what it lists and saves.
#include <gtest/gtest.h>

#include "librarian/CDialogDeviceModel.h"
#include "librarian/CVelkPreference.h"
#include "tests/device/DevRig.h"
#include "tests/support/MemorySettingsStore.h"

namespace {

class DeviceModel : public ::testing::Test {
protected:
    DeviceModel() : preference_(store_, "/d") {
        sim_ = backend_.CreatePair("Sim:Port 1", true);
        backend_.CreatePair("Soft:Synth", false);
        backend_.CreatePair("USB:MIDI 2", true);
    }
    std::pair<std::string, std::string> Saved() {
        std::string in = "x", out = "x";
        preference_.GetMidiDevices(in, out);
        return {in, out};
    }
    midiport::LoopbackMidiBackend backend_;
    std::shared_ptr<midiport::LoopbackPeer> sim_;
    velktest::MemorySettingsStore store_;
    CVelkPreference preference_;
};

// Outputs used to be hardware ports only: a virtual cable, a network bridge
// or a virtual raw MIDI port could be chosen as input but never as output.
TEST_F(DeviceModel, ListsEveryPortInBothDirectionsAndSelectsThePortsInUse) {
    int in = 1, out = 1;
    CDialogDeviceModel model(backend_, &in, &out, preference_);
    const std::vector<std::string> names = {"Sim:Port 1", "Soft:Synth", "USB:MIDI 2"};
    EXPECT_EQ(model.GetInputs(), names);
    EXPECT_EQ(model.GetOutputs(), names);
    EXPECT_EQ(model.GetInputSelection(), 1);
    EXPECT_EQ(model.GetOutputSelection(), 1);
}

TEST_F(DeviceModel, CurrentIdNotListedSelectsNothing) {
    int in = -1, out = 7;
    CDialogDeviceModel model(backend_, &in, &out, preference_);
    EXPECT_EQ(model.GetInputSelection(), -1);
    EXPECT_EQ(model.GetOutputSelection(), -1);
}

TEST_F(DeviceModel, OkWritesPortIdsAndSavesTheirNames) {
    int in = 0, out = 0;
    CDialogDeviceModel model(backend_, &in, &out, preference_);
    EXPECT_TRUE(model.Commit(2, 1).done);
    EXPECT_EQ(in, 2);
    EXPECT_EQ(out, 1);
    EXPECT_EQ(Saved(), std::make_pair(std::string("USB:MIDI 2"), std::string("Soft:Synth")));
}

TEST_F(DeviceModel, NothingChosenStoresMinusOneAndEmptyName) {
    midiport::LoopbackMidiBackend none;
    int in = 0, out = 0;
    CDialogDeviceModel model(none, &in, &out, preference_);
    EXPECT_TRUE(model.GetOutputs().empty());
    EXPECT_TRUE(model.Commit(-1, -1).done);
    EXPECT_EQ(in, -1);
    EXPECT_EQ(out, -1);
    EXPECT_EQ(Saved(), std::make_pair(std::string(), std::string()));
}

// OK used to write the list position of the entry and read the name back
// from a fresh list: after an unplug while the dialog was open it saved
// another port's name (or none) and connected a port nobody chose.
TEST_F(DeviceModel, UnplugWhileOpenLeavesOkWithThePortTheUserChose) {
    int in = 0, out = 0;
    CDialogDeviceModel model(backend_, &in, &out, preference_);
    backend_.RemovePair(sim_);  // "USB:MIDI 2" moves up to position 1
    EXPECT_TRUE(model.Commit(2, 2).done);
    EXPECT_EQ(in, 1);
    EXPECT_EQ(out, 1);
    EXPECT_EQ(Saved(), std::make_pair(std::string("USB:MIDI 2"), std::string("USB:MIDI 2")));
}

TEST_F(DeviceModel, ChosenPortUnpluggedWhileOpenIsRefusedAndNothingChanges) {
    int in = 0, out = 0;
    CDialogDeviceModel model(backend_, &in, &out, preference_);
    backend_.RemovePair(sim_);
    const CDialogDeviceModel::CommitResult result = model.Commit(2, 0);
    EXPECT_FALSE(result.done);
    EXPECT_EQ(result.missing, "Sim:Port 1");
    EXPECT_EQ(in, 0);
    EXPECT_EQ(out, 0);
    EXPECT_TRUE(store_.values.empty());
    // The lists as they are now, the user's choices kept where still there.
    model.Refresh(2, 0);
    EXPECT_EQ(model.GetOutputs(), (std::vector<std::string>{"Soft:Synth", "USB:MIDI 2"}));
    EXPECT_EQ(model.GetInputSelection(), 1);
    EXPECT_EQ(model.GetOutputSelection(), -1);
}

}  // namespace
