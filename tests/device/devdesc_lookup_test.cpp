// Lookups and texts of the device description, before and after
// identification.

#include <gtest/gtest.h>

#include "DevRig.h"

namespace {

TEST(MDevDescLookup, NothingIsInRangeBeforeIdentification) {
    midiport::LoopbackMidiBackend backend;
    MDevConfig config(backend);
    MDevDescZEPHA dev(config);
    dev.Initialize();
    EXPECT_EQ(dev.GetProgramCount(), 0);
    EXPECT_EQ(dev.GetProgram(0), nullptr);
    EXPECT_EQ(dev.GetProgramCopy(0), nullptr);
    EXPECT_EQ(dev.GetProgramName(0), std::nullopt);
    EXPECT_EQ(dev.FormatProgramNumber(0), std::nullopt);
    EXPECT_EQ(dev.GetColumnText(0, 0), std::nullopt);
    EXPECT_EQ(dev.ParseProgramNumber("A.11"), -1);
    EXPECT_EQ(dev.SendProgram(0), 18) << "no slot exists before identification";
    EXPECT_EQ(dev.SelectProgram(0), 18);
    EXPECT_EQ(dev.GetGlobalCount(), 1);
    EXPECT_NE(dev.GetGlobal(0), nullptr);
    EXPECT_EQ(dev.GetGlobal(1), nullptr);
    EXPECT_EQ(dev.GetGlobalCopy(1), nullptr);
    EXPECT_EQ(dev.GetGlobalName(3), "Global");
    EXPECT_EQ(dev.FormatGlobalNumber(0), "-");
    EXPECT_EQ(dev.ParseGlobalNumber("-"), 0);
}

TEST(MDevDescLookup, NamesNumbersAndColumns) {
    DevRig rig(SimModel::Brontisel);
    ASSERT_TRUE(rig.Connect());
    MDevDescZEPHA& dev = rig.Dev();
    EXPECT_EQ(dev.FormatProgramNumber(127), "B.88");
    EXPECT_EQ(dev.FormatProgramNumber(128), std::nullopt);
    EXPECT_EQ(dev.FormatProgramNumberShort(9), "A22");
    EXPECT_EQ(dev.ParseProgramNumber("B.88"), 127);
    EXPECT_EQ(dev.ParseProgramNumber("C.11"), -1);

    dev.GetZEPHAProgram(9)->SetName("");
    EXPECT_EQ(dev.GetProgramName(9), "untitled(A22)");
    dev.GetZEPHAProgram(9)->SetName("Nine");
    EXPECT_EQ(dev.GetProgramName(9), "Nine");

    const int params[] = {2, 18, 22};
    for (int column = 0; column < 3; ++column) {
        EXPECT_EQ(dev.GetColumnTitle(column), dev.GetProgram(0)->GetParamName(params[column]));
        EXPECT_EQ(dev.GetColumnText(9, column), dev.GetProgram(9)->GetValueText(params[column]));
    }
    EXPECT_EQ(dev.GetColumnTitle(3), "-");
    EXPECT_EQ(dev.GetColumnTitle(-1), "-");
    EXPECT_EQ(dev.GetColumnText(9, 3), std::nullopt);
    EXPECT_EQ(dev.GetColumnText(128, 0), std::nullopt);

    // Copies take the whole object.
    dev.GetZEPHAProgram(4)->SetName("Four");
    dev.GetZEPHAProgram(4)->SetParam(24, 33, 0);
    MDevDescProgram* copy = dev.GetProgramCopy(4);
    EXPECT_EQ(copy, &dev.GetEditBuffer());
    EXPECT_EQ(copy->GetName(), "Four");
    EXPECT_EQ(dev.GetEditBuffer().ToBytes(), dev.GetZEPHAProgram(4)->ToBytes());
    dev.GetGlobal(0)->SetParam(0, 9, 0);
    EXPECT_EQ(dev.GetGlobalCopy(0)->GetParam(0), 9);
}

}  // namespace
