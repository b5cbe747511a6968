// The page tables' shared rules: stored values of the page-handled binding
// kinds, the step pattern, lookups, and the layout check.

#include <gtest/gtest.h>

#include <array>

#include "editors/ProgramPageLayout.h"
#include "editors/ProgramPageTable.h"

namespace {

TEST(ProgramPageValues, StepPatternTakesBitIFromButtonI) {
    EXPECT_EQ(StepPatternOf(std::array{0, 0, 0, 0, 0, 0, 0, 0}), 0x00);
    EXPECT_EQ(StepPatternOf(std::array{1, 0, 0, 0, 0, 0, 0, 0}), 0x01);
    EXPECT_EQ(StepPatternOf(std::array{0, 0, 1, 0, 0, 0, 0, 1}), 0x84);
    EXPECT_EQ(StepPatternOf(std::array{1, 1, 1, 1, 1, 1, 1, 1}), 0xFF);
    for (int step = 0; step < 8; ++step) EXPECT_EQ(StepButtonState(0xA5, step), (0xA5 >> step) & 1) << step;
}

TEST(ProgramPageValues, OnOffButtonShowsOnOnlyForOne) {
    EXPECT_EQ(OnOffButtonState(1), 0);
    EXPECT_EQ(OnOffButtonState(0), 1);
    EXPECT_EQ(OnOffButtonState(2), 1);
    EXPECT_EQ(OnOffButtonStoredValue(0), 1);
    EXPECT_EQ(OnOffButtonStoredValue(1), 0);
}

TEST(ProgramPageValues, ChoiceOffsetShiftsItemAndStoredValue) {
    const PageBinding fcSource{PageBindingKind::Choice, 1020, kNoControlId, 26, 0, 0, 1};
    EXPECT_EQ(ChoiceStoredValue(fcSource, 0), 1);
    EXPECT_EQ(ChoiceItemOf(fcSource, 7), 6);
}

TEST(ProgramPageValues, FindBindingOfParamCoversAllFourEnvelopeIds) {
    static constexpr int kEdits[] = {1094, 1095, 1096, 1097};
    const PageBinding rows[] = {
        {PageBindingKind::Choice, 1155, kNoControlId, 1},
        {PageBindingKind::Envelope, 1013, kNoControlId, 39, 0, 0, 0, kEdits},
    };
    EXPECT_EQ(FindBindingOfParam(rows, 93, 94), &rows[0]);
    EXPECT_EQ(FindBindingOfParam(rows, 93, 132), &rows[1]);
    EXPECT_EQ(FindBindingOfParam(rows, 93, 135), &rows[1]);
    EXPECT_EQ(FindBindingOfParam(rows, 93, 136), nullptr);
    EXPECT_EQ(FindBinding(rows, 1013), &rows[1]);
    EXPECT_EQ(FindBinding(rows, 1094), nullptr);
}

TEST(ProgramPageLayout, DropDownsTakeGtkHeightNotTheDroppedListHeight) {
    const PageControl list{1016, PageControlKind::Choice, "", 57, 18, 81, 83};
    const PageRect rect = PredictedRect(list, {});
    EXPECT_EQ(rect.x, 114);
    EXPECT_EQ(rect.y, 38);
    EXPECT_EQ(rect.w, 162);
    EXPECT_EQ(rect.h, kGtkChoiceHeight);
}

TEST(ProgramPageLayout, ReportsOverlapsAndControlsOutsideThePage) {
    // clang-format off
    const PageControl rows[] = {
        {kNoControlId, PageControlKind::GroupBox, "Box", 0, 0, 100, 50},
        {1, PageControlKind::Choice, "", 10, 10, 40, 90},   // 16 DLU high on GTK
        {2, PageControlKind::Edit, "", 10, 20, 40, 14},     // under the list
        {3, PageControlKind::Edit, "", 60, 10, 40, 14},     // clear of both
        {4, PageControlKind::CheckBox, "x", 90, 40, 20, 12},  // out on the right
    };
    // clang-format on
    EXPECT_EQ(CheckTableLayout(rows, 100, 60, {}),
              (std::vector<std::string>{"#1 overlaps #2", "#4 is outside the page"}));
    // A control a rule hides is not there to overlap.
    EXPECT_EQ(CheckTableLayout(rows, 110, 60, {2}), std::vector<std::string>{});
}

TEST(ProgramPageLayout, TouchingEdgesDoNotOverlap) {
    // clang-format off
    const PlacedControl placed[] = {
        {"a", false, {0, 0, 10, 34}},
        {"b", false, {0, 34, 10, 34}},
        {"c", false, {10, 0, 10, 10}},
    };
    // clang-format on
    EXPECT_TRUE(CheckLayout(placed, {0, 0, 20, 68}).empty());
}

}  // namespace
