// The Effect page's tables: item lists, bindings (stored values for what
// the controls show), the Tempo Sync rule and the layout at GTK's sizes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/EffectPageTables.h"
#include "editors/ProgramPageLayout.h"
#include "tests/editors/PageBindingRig.h"

namespace {

using namespace effect_page;
using editors_test::DialChoiceRowRig;
using editors_test::RowOf;
using editors_test::SliderRowRig;
using velktest::RecordingProgram;
using Store = velktest::ParamStore;

std::vector<std::string> Items(int id) { return editors_test::ItemsOf(LayoutTable(), id); }

TEST(EffectPageTable, ListsHoldTheItemsInStoredValueOrder) {
    EXPECT_EQ(Items(kModType), (std::vector<std::string>{"Chorus/Flanger", "Ensemble", "Phaser"}));
    EXPECT_EQ(Items(kDelayType), (std::vector<std::string>{"Stereo Delay", "Chorus Delay", "L/R Delay"}));
    const auto notes = Items(kSyncNote);
    ASSERT_EQ(notes.size(), 15u);
    EXPECT_EQ(notes.front(), "1/32");
    EXPECT_EQ(notes[7], "3/16");
    EXPECT_EQ(notes.back(), "1/1");
    // Thirty entries each, index = stored value 0..29.
    const auto high = Items(kHighFreqList);
    const auto low = Items(kLowFreqList);
    ASSERT_EQ(high.size(), 30u);
    ASSERT_EQ(low.size(), 30u);
    EXPECT_EQ(high[14], "4.50KHz");
    EXPECT_EQ(high[29], "18.0KHz");
    EXPECT_EQ(low[0], "40Hz");
    EXPECT_EQ(low[14], "300Hz");
    EXPECT_EQ(low[29], "1000Hz");
}

TEST(EffectPageTable, ListAndCheckRowsStoreTheirParameters) {
    struct Case {
        int control;
        int param;
    };
    for (const Case c : {Case{kModType, 12}, Case{kDelayType, 9}, Case{kSyncNote, 6}, Case{kTempoSync, 5}}) {
        const PageBinding& row = RowOf(BindingTable(), c.control);
        EXPECT_EQ(row.param, c.param) << c.control;
        EXPECT_EQ(row.offset, 0) << c.control;
    }
    EXPECT_EQ(RowOf(BindingTable(), kTempoSync).kind, PageBindingKind::Check);
}

TEST(EffectPageTable, GainShowsPlusTwelveAtTheTopAndStoresShownPlus64) {
    struct Case {
        int slider;
        int param;
    };
    for (const Case c : {Case{kHighGainSlider, 14}, Case{kLowGainSlider, 16}}) {
        RecordingProgram program;
        program.Preset(c.param, 64);
        SliderRowRig gain(RowOf(BindingTable(), c.slider), program, 0);
        EXPECT_EQ(gain.edit.text, "0");
        EXPECT_EQ(gain.slider.position, 12);
        EXPECT_TRUE(program.stores.empty());
        gain.Type("12");
        gain.Slide(24);  // the bottom of the trackbar
        gain.Type("0");
        EXPECT_EQ(program.stores, (std::vector<Store>{{c.param, 76, 1}, {c.param, 52, 1}, {c.param, 64, 1}}));
        EXPECT_EQ(gain.slider.position, 12);
        gain.Slide(0);
        EXPECT_EQ(gain.edit.text, "12");  // no plus sign
        gain.Slide(24);
        EXPECT_EQ(gain.edit.text, "-12");
    }
}

TEST(EffectPageTable, PlainSlidersStoreTheShownValue) {
    struct Case {
        int slider;
        int param;
    };
    for (const Case c : {Case{kLfoSpeedSlider, 10}, Case{kDepthSlider, 11}, Case{kDelayTimeSlider, 7},
                         Case{kDelayDepthSlider, 8}}) {
        RecordingProgram program;
        SliderRowRig pair(RowOf(BindingTable(), c.slider), program, 0);
        pair.Slide(127);
        pair.Type("128");  // out of range: nothing
        EXPECT_EQ(program.stores, (std::vector<Store>{{c.param, 127, 1}})) << c.slider;
    }
}

TEST(EffectPageTable, EqFrequencyKnobAndListStoreTheIndex) {
    RecordingProgram program;
    DialChoiceRowRig high(RowOf(BindingTable(), kHighFreqKnob), program, 0, 30);
    DialChoiceRowRig low(RowOf(BindingTable(), kLowFreqKnob), program, 0, 30);
    program.Preset(15, 5);
    EXPECT_EQ(high.knob.defaultValue, 14);  // Shift+click: "4.50KHz"
    high.Pick(29);                          // "18.0KHz"
    EXPECT_EQ(high.knob.value, 29);
    low.Turn(0);  // already 0: the list shows it, nothing stored
    low.Turn(3);
    low.Turn(0);
    EXPECT_EQ(low.list.selection, 0);
    EXPECT_EQ(program.stores, (std::vector<Store>{{13, 29, 1}, {15, 3, 1}, {15, 0, 1}}));
}

TEST(EffectPageRules, TempoSyncSwapsTheDelayTimeRowForTheSyncNoteRow) {
    using C = ControlChange;
    EXPECT_EQ(TempoSyncChanges(true), (ControlChanges{{kDelayTimeLabel, C::Show, false},
                                                      {kDelayTimeSlider, C::Show, false},
                                                      {kDelayTimeEdit, C::Show, false},
                                                      {kSyncNoteLabel, C::Show, true},
                                                      {kSyncNote, C::Show, true}}));
    EXPECT_EQ(TempoSyncChanges(false), (ControlChanges{{kSyncNoteLabel, C::Show, false},
                                                       {kSyncNote, C::Show, false},
                                                       {kDelayTimeLabel, C::Show, true},
                                                       {kDelayTimeSlider, C::Show, true},
                                                       {kDelayTimeEdit, C::Show, true}}));
}

TEST(EffectPageLayout, NoOverlapAtGtkSizesEitherWayOfTempoSync) {
    for (const bool sync : {false, true}) {
        std::set<int> hidden;
        for (const ControlChange& change : TempoSyncChanges(sync))
            if (!change.on) hidden.insert(change.id);
        EXPECT_EQ(CheckTableLayout(LayoutTable(), kWidthDlu, kHeightDlu, hidden), std::vector<std::string>{})
            << "tempo sync " << sync;
    }
}

}  // namespace
