// The Vocoder page's tables: which parameter each control stores, the
// values its lists, pairs and knobs store and show, and its layout in every
// state of its rules.

#include <gtest/gtest.h>

#include "editors/ProgramPageLayout.h"
#include "editors/VocoderPageTable.h"
#include "tests/support/RecordingProgram.h"
#include "tests/editors/SynthPageTestSupport.h"

namespace {

using namespace vocoderpage;
using synthpage_test::HeadlessDialPair;
using synthpage_test::HeadlessSliderPair;
using synthpage_test::ItemOf;
using velktest::RecordingProgram;
using Store = velktest::ParamStore;

const PageBinding& Row(int control) { return synthpage_test::RowOf(Bindings(), control); }

TEST(VocoderPageTable, BindsEachVocoderParameterOnceExceptThoseWithoutControl) {
    std::multiset<int> expected;
    for (int id = 158; id <= 241; ++id)
        if (id != 158 && id != 161 && id != 163 && id != 190 && !(id >= 192 && id <= 195))
            expected.insert(id);
    EXPECT_EQ(synthpage_test::StoredIds(Bindings(), kParamBase), expected);
}

TEST(VocoderPageTable, EveryBindingFindsItsControlsAndEveryIdIsUnique) {
    EXPECT_EQ(synthpage_test::BindingControlMismatches(Layout(), Bindings()), std::vector<std::string>{});
    EXPECT_EQ(synthpage_test::DuplicateIds(Layout()), std::vector<int>{});
}

TEST(VocoderPageTable, ListsStoreTheirItemsValues) {
    struct Case {
        int list;
        const char* item;
        int id, stored;
    };
    // clang-format off
    const Case cases[] = {
        {kFormantShiftList, "-2", 181, 4},          {kFormantShiftList, "+1", 181, 1},
        {kFcModSourceList, "AMP EG", 184, 1},       {kFcModSourceList, "Modulation Wheel", 184, 7},
        {kVoiceAssignList, "Unison", 159, 2},       {kKarvList, "64:Voice4", 172, 63},
        {kLfo2SyncNoteList, "1/32", 209, 14},       {kOsc1WaveList, "Audio In", 169, 7},
    };
    // clang-format on
    for (const Case& c : cases) {
        const PageBinding& row = Row(c.list);
        const int item = ItemOf(Layout(), c.list, c.item);
        ASSERT_GE(item, 0) << c.item;
        EXPECT_EQ(kParamBase + row.param, c.id) << c.item;
        EXPECT_EQ(ChoiceStoredValue(row, item), c.stored) << c.item;
    }
    // A stored 3 selects "LFO2"; a stored 0 selects nothing.
    EXPECT_EQ(ChoiceItemOf(Row(kFcModSourceList), 3), ItemOf(Layout(), kFcModSourceList, "LFO2"));
    EXPECT_EQ(ChoiceItemOf(Row(kFcModSourceList), 0), -1);
}

TEST(VocoderPageTable, SettingUpEveryPairStoresNothingAndTypingStoresOnce) {
    EXPECT_EQ(synthpage_test::PairStoreProblems(Bindings(), kParamBase), std::vector<std::string>{});
}

TEST(VocoderPageTable, PairsStoreWhatTheyShowWithTheirOffsets) {
    struct Case {
        int slider;
        const char* typed;
        int id, stored;
    };
    // clang-format off
    const Case cases[] = {
        {1033, "-50", 165, 14},  {1033, "50", 165, 114},   // Tune
        {1032, "-24", 167, 40},                            // Transpose
        {1036, "12", 166, 76},                             // Bend Range
        {kUnisonDetuneSlider, "99", 164, 99},
        {kEfSenseSlider, "hold", 186, 127},                // any case
        {kEfSenseSlider, "HoLd", 186, 127},
        {kChannelLevelSliders[7], "127", 217, 127},        // stored as shown
        {kHoldLevelSliders[0], "7FFFFF", 226, 0x7FFFFF00},
        {kHoldLevelSliders[15], "000100", 241, 0x00010000},
    };
    // clang-format on
    for (const Case& c : cases) {
        RecordingProgram program;
        const PageBinding& row = Row(c.slider);
        program.Preset(kParamBase + row.param, 1 + row.offset);  // away from both ends
        HeadlessSliderPair pair(row, program, kParamBase);
        pair.Type(c.typed);
        EXPECT_EQ(program.stores, (std::vector<Store>{{c.id, c.stored, 1}})) << c.typed;
    }
}

TEST(VocoderPageTable, HoldLevelRejectsTextThatIsNotHexAndShowsSixDigits) {
    RecordingProgram program;
    program.Preset(226, 0x12345600);
    HeadlessSliderPair pair(Row(kHoldLevelSliders[0]), program, kParamBase);
    EXPECT_EQ(pair.edit.text, "123456");
    for (const char* text : {"12G456", "", "-1", " 10"}) pair.Type(text);
    EXPECT_TRUE(program.stores.empty());
    // The largest level stands at the top (position 0).
    pair.Type("7FFFFF");
    EXPECT_EQ(pair.slider.position, 0);
}

TEST(VocoderPageTable, ChannelLevelsHave127AtTheTopAndEfSenseShowsHold) {
    RecordingProgram program;
    program.Preset(210, 127);
    program.Preset(186, 127);
    HeadlessSliderPair level(Row(kChannelLevelSliders[0]), program, kParamBase);
    HeadlessSliderPair sense(Row(kEfSenseSlider), program, kParamBase);
    EXPECT_EQ(level.slider.position, 0);
    EXPECT_EQ(level.edit.text, "127");
    EXPECT_EQ(sense.edit.text, "Hold");
    EXPECT_TRUE(program.stores.empty());
}

TEST(VocoderPageTable, PanKnobsStoreLeftCentreAndRight) {
    for (int n = 0; n < 8; ++n) {
        RecordingProgram program;
        program.Preset(218 + n, 100);
        HeadlessDialPair pan(Row(kChannelPanKnobs[n]), program, kParamBase);
        EXPECT_EQ(pan.edit.text, "R36");
        EXPECT_EQ(pan.knob.defaultValue, 0);  // Shift+click centres it
        pan.Type("L63");
        pan.Type("CNT");
        pan.Type("R63");
        EXPECT_EQ(program.stores, (std::vector<Store>{{218 + n, 1, 1}, {218 + n, 64, 1}, {218 + n, 127, 1}}))
            << "channel " << n + 1;
    }
}

TEST(VocoderPageTable, NoControlsOverlapInAnyStateOfTheRules) {
    EXPECT_EQ(synthpage_test::LayoutProblemsInEveryRuleState(Layout(), kPageWidth, kPageHeight, kOsc1WaveIds,
                                                             kLfo1SyncIds, kLfo2SyncIds),
              std::vector<std::string>{});
}

}  // namespace
