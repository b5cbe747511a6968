// The write confirmation's logic: what it enables, shows and stores.
#include <gtest/gtest.h>

#include "uiservices/CDialogOverwriteModel.h"
#include "tests/device/DevRig.h"

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

INSTANTIATE_TEST_SUITE_P(Models, OverwriteOnDevice, ::testing::ValuesIn(kModels), [](const auto& info) {
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

}  // namespace
