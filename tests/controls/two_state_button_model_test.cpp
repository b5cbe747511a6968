#include <gtest/gtest.h>

#include "controls/C2StateButtonModel.h"

namespace {

TEST(C2StateButtonModel, StateZeroReadsOnAndLooksPushed) {
    C2StateButtonModel b;
    EXPECT_EQ(b.State(), 0);
    EXPECT_EQ(b.Text(), "On");
    EXPECT_TRUE(b.Pushed());
    b.SetState(1);
    EXPECT_EQ(b.Text(), "Off");
    EXPECT_FALSE(b.Pushed());
}

TEST(C2StateButtonModel, NewTextAShowsAfterTheNextToggle) {
    C2StateButtonModel b;
    b.SetState(0, "Stop", std::nullopt);
    EXPECT_EQ(b.Text(), "On");
    EXPECT_TRUE(b.Pushed());
    EXPECT_TRUE(b.Click(true));
    EXPECT_EQ(b.State(), 1);
    EXPECT_EQ(b.Text(), "Stop");
}

TEST(C2StateButtonModel, ClickWithoutFocusNeitherTogglesNorPassesOn) {
    C2StateButtonModel b;
    b.SetState(1);
    EXPECT_FALSE(b.Click(false));
    EXPECT_EQ(b.State(), 1);
    EXPECT_TRUE(b.Click(true));
    EXPECT_EQ(b.State(), 0);
    b.SetState(5);
    EXPECT_EQ(b.Text(), "Off") << "any nonzero state shows text A";
    EXPECT_TRUE(b.Click(true));
    EXPECT_EQ(b.State(), 0);
}

}  // namespace
