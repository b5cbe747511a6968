// The Arpeggio page's tables: item lists, bindings, the dependent rules and
// the layout at GTK's sizes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/ArpeggioPageTables.h"
#include "editors/ProgramPageLayout.h"
#include "tests/editors/PageBindingRig.h"

namespace {

using namespace arpeggio_page;
using editors_test::RowOf;
using editors_test::SliderRowRig;
using velktest::RecordingProgram;
using Store = velktest::ParamStore;

std::vector<std::string> Items(int id) { return editors_test::ItemsOf(LayoutTable(), id); }

TEST(ArpeggioPageTable, ListsHoldTheItemsInStoredValueOrder) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Items(kType), (V{"Up", "Down", "Alternate1", "Alternate2", "Random", "Trigger"}));
    EXPECT_EQ(Items(kResolution), (V{"1/24", "1/16", "1/12", "1/8", "1/6", "1/4"}));
    EXPECT_EQ(Items(kRange), (V{"1 Octave", "2 Octave", "3 Octave", "4 Octave"}));
    EXPECT_EQ(Items(kTargetTimbre), (V{"Both", "Timbre1", "Timbre2"}));
    EXPECT_EQ(Items(kLastStep), (V{"1", "2", "3", "4", "5", "6", "7", "8"}));
}

TEST(ArpeggioPageTable, EveryControlEditsItsParameter) {
    struct Case {
        int control;
        PageBindingKind kind;
        int param;
    };
    using B = PageBindingKind;
    // clang-format off
    const Case cases[] = {
        {kTempoSlider, B::SliderPair, 17}, {kOnOff, B::OnOffButton, 18}, {kLatch, B::Check, 19},
        {kType, B::Choice, 22},            {kResolution, B::Choice, 25}, {kKeySync, B::Check, 21},
        {kRange, B::Choice, 23},           {kGateSlider, B::SliderPair, 24},
        {kSwingSlider, B::SliderPair, 26}, {kTargetTimbre, B::Choice, 20},
        {kLastStep, B::Choice, 0},         {kFirstStep, B::StepButtons, 1},
    };
    // clang-format on
    for (const Case& c : cases) {
        const PageBinding& row = RowOf(BindingTable(), c.control);
        EXPECT_EQ(row.kind, c.kind) << c.control;
        EXPECT_EQ(row.param, c.param) << c.control;
        EXPECT_EQ(row.offset, 0) << c.control;
    }
    EXPECT_EQ(StepButtonCount(RowOf(BindingTable(), kFirstStep)), 8);
}

TEST(ArpeggioPageTable, SlidersStoreTheShownValueWithoutOffset) {
    struct Case {
        int slider;
        int param;
        const char* typed;
        int stored;
        int position;
    };
    for (const Case c : {Case{kTempoSlider, 17, "300", 300, 280}, Case{kSwingSlider, 26, "-100", -100, 0},
                         Case{kGateSlider, 24, "100", 100, 100}}) {
        RecordingProgram program;
        program.Preset(c.param, 50);
        SliderRowRig pair(RowOf(BindingTable(), c.slider), program, 0);
        EXPECT_TRUE(program.stores.empty());
        pair.Type(c.typed);
        EXPECT_EQ(program.stores, (std::vector<Store>{{c.param, c.stored, 1}})) << c.slider;
        EXPECT_EQ(program.GetParam(c.param), c.stored) << c.slider;
        EXPECT_EQ(pair.slider.position, c.position) << c.slider;
    }
}

TEST(ArpeggioPageRules, TargetTimbreOnlyInLayerMode) {
    for (const int mode : {0, 1, 2, 3}) {
        const bool on = mode == 2;
        EXPECT_EQ(TargetTimbreChanges(mode), (ControlChanges{{kTargetTimbreLabel, ControlChange::Enable, on},
                                                             {kTargetTimbre, ControlChange::Enable, on}}))
            << mode;
    }
}

TEST(ArpeggioPageRules, LastStepEnablesStepsUpToItsNumber) {
    // Enabled steps 2..8 for each Last Step selection; step 1 is never touched.
    struct Case {
        int selection;
        int lastEnabledStep;  // 1: only step 1
    };
    for (const Case c : {Case{-1, 1}, Case{0, 1}, Case{1, 2}, Case{4, 5}, Case{7, 8}, Case{9, 8}}) {
        const ControlChanges changes = StepButtonChanges(c.selection);
        ASSERT_EQ(changes.size(), 7u);
        for (const ControlChange& change : changes) {
            const int step = change.id - kFirstStep + 1;
            EXPECT_GE(step, 2);
            EXPECT_EQ(change.what, ControlChange::Enable);
            EXPECT_EQ(change.on, step <= c.lastEnabledStep) << c.selection << " step " << step;
        }
    }
}

TEST(ArpeggioPageLayout, NoOverlapAtGtkSizes) {
    EXPECT_EQ(CheckTableLayout(LayoutTable(), kWidthDlu, kHeightDlu, {}), std::vector<std::string>{});
}

}  // namespace
