// The transfer dialogs' logic: what the write confirmation enables, shows
// and stores, and what the port dialog lists and saves.
#include <gtest/gtest.h>

#include "librarian/CDialogDeviceModel.h"
#include "librarian/CDialogOverwriteModel.h"
#include "librarian/CVelkPreference.h"
#include "tests/device/DevRig.h"
#include "tests/librarian/VelkTestSeams.h"

namespace {

class OverwriteOnDevice : public ::testing::TestWithParam<SimModel> {
protected:
    OverwriteOnDevice() : rig_(GetParam()) { EXPECT_TRUE(rig_.Connect()); }
    const MDevDesc& Dev() { return rig_.Dev(); }
    DevRig rig_;
};

TEST_P(OverwriteOnDevice, ProgramSpinCoversEverySlotAndStopsAtEitherEnd) {
    const int count = Dev().GetProgramCount();
    int target = -1;  // reads as the first slot
    CDialogOverwriteModel model("Overwrite the Device Program with \"a.prg\" ?", &target, &Dev(),
                                CDialogOverwriteModel::kProgram);
    ASSERT_TRUE(model.IsTargetEnabled());
    EXPECT_EQ(model.GetMaximum(), count - 1);
    EXPECT_EQ(model.GetPosition(), 0);
    EXPECT_EQ(model.GetTargetText(), Dev().FormatProgramNumber(0).value());

    model.Step(-1);
    EXPECT_EQ(model.GetPosition(), 0);
    model.Step(count + 5);
    EXPECT_EQ(model.GetPosition(), count - 1);
    EXPECT_EQ(model.GetTargetText(), Dev().FormatProgramNumber(count - 1).value());
    model.Step(1);
    EXPECT_EQ(model.GetPosition(), count - 1);
    model.Step(-2);
    model.StoreTarget();
    EXPECT_EQ(target, count - 3);
}

TEST_P(OverwriteOnDevice, StartSlotIsTheTargetHeldToTheRange) {
    const int count = Dev().GetProgramCount();
    for (const auto& [given, start] : {std::pair{17, 17}, {-1, 0}, {-40, 0}, {100000, count - 1}}) {
        int target = given;
        CDialogOverwriteModel model("c", &target, &Dev(), CDialogOverwriteModel::kProgram);
        EXPECT_EQ(model.GetPosition(), start) << given;
    }
}

TEST_P(OverwriteOnDevice, GlobalTargetStartsAtZeroWhateverTheTarget) {
    int target = 5;
    CDialogOverwriteModel model("c", &target, &Dev(), CDialogOverwriteModel::kGlobal);
    EXPECT_EQ(model.IsTargetEnabled(), Dev().GetGlobalCount() > 0);
    EXPECT_EQ(model.GetPosition(), 0);
    EXPECT_EQ(model.GetMaximum(), Dev().GetGlobalCount() - 1);
}

TEST_P(OverwriteOnDevice, WithoutTargetOnlyTheCaptionShowsAndNothingIsStored) {
    CDialogOverwriteModel model("Overwrite the Whole Device ?", nullptr, &Dev(),
                                CDialogOverwriteModel::kProgram);
    EXPECT_FALSE(model.IsTargetEnabled());
    EXPECT_EQ(model.GetCaption(), "Overwrite the Whole Device ?");
    EXPECT_EQ(model.GetTargetText(), "-");
    model.Step(3);
    model.StoreTarget();
    EXPECT_EQ(model.GetPosition(), 0);
}

INSTANTIATE_TEST_SUITE_P(Models, OverwriteOnDevice, ::testing::ValuesIn(kModels),
                         [](const auto& info) {
                             return info.param == SimModel::Brontisel ? "Brontisel" : "BrontiselS";
                         });

TEST(OverwriteModel, DeviceWithNoSlotsLeavesTargetDisabledAndUntouched) {
    midiport::LoopbackMidiBackend backend;
    MDevConfig config(backend);
    const MDevDesc device(config);  // a description with no programs
    ASSERT_EQ(device.GetProgramCount(), 0);
    int target = 7;
    CDialogOverwriteModel model("c", &target, &device, CDialogOverwriteModel::kProgram);
    EXPECT_FALSE(model.IsTargetEnabled());
    model.StoreTarget();
    EXPECT_EQ(target, 7);
}

class DeviceModel : public ::testing::Test {
protected:
    DeviceModel() : preference_(store_, "/d") {
        backend_.CreatePair("Sim:Port 1", true);
        backend_.CreatePair("Soft:Synth", false);
        backend_.CreatePair("USB:MIDI 2", true);
    }
    midiport::LoopbackMidiBackend backend_;
    velktest::MemorySettingsStore store_;
    CVelkPreference preference_;
};

TEST_F(DeviceModel, ListsEveryInputButHardwareOutputsOnlyWithTheirPortIds) {
    int in = 1, out = 2;
    CDialogDeviceModel model(backend_, &in, &out, preference_);
    ASSERT_EQ(model.GetInputs().size(), 3u);
    ASSERT_EQ(model.GetOutputs().size(), 2u);
    EXPECT_EQ(model.GetOutputs()[1].id, 2);
    EXPECT_EQ(model.GetOutputs()[1].name, backend_.Outputs()[2].name);
    EXPECT_EQ(model.GetInputSelection(), 1);
    EXPECT_EQ(model.GetOutputSelection(), 1);
}

TEST_F(DeviceModel, CurrentIdNotListedSelectsNothing) {
    int in = -1, out = 1;  // output 1 is not a hardware port
    CDialogDeviceModel model(backend_, &in, &out, preference_);
    EXPECT_EQ(model.GetInputSelection(), -1);
    EXPECT_EQ(model.GetOutputSelection(), -1);
}

TEST_F(DeviceModel, OkWritesPortIdsAndSavesTheirNames) {
    int in = 0, out = 0;
    CDialogDeviceModel model(backend_, &in, &out, preference_);
    model.Commit(2, 1);
    EXPECT_EQ(in, 2);
    EXPECT_EQ(out, 2);
    std::string inName, outName;
    preference_.GetMidiDevices(inName, outName);
    EXPECT_EQ(inName, backend_.Inputs()[2].name);
    EXPECT_EQ(outName, backend_.Outputs()[2].name);
}

TEST_F(DeviceModel, NothingChosenStoresMinusOneAndEmptyName) {
    midiport::LoopbackMidiBackend softOnly;
    softOnly.CreatePair("Soft:Synth", false);
    int in = 0, out = 0;
    CDialogDeviceModel model(softOnly, &in, &out, preference_);
    EXPECT_TRUE(model.GetOutputs().empty());
    model.Commit(-1, -1);
    EXPECT_EQ(in, -1);
    EXPECT_EQ(out, -1);
    std::string inName = "x", outName = "x";
    preference_.GetMidiDevices(inName, outName);
    EXPECT_EQ(inName, "");
    EXPECT_EQ(outName, "");
}

}  // namespace
