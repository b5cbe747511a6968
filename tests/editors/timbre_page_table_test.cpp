// The Timbre page's tables: which parameter each control stores for both
// timbres, the values its pairs store and show, and its layout in every
// state of its rules.

#include <gtest/gtest.h>

#include "editors/ProgramPageLayout.h"
#include "editors/TimbrePageTable.h"
#include "tests/support/RecordingProgram.h"
#include "tests/editors/SynthPageTestSupport.h"

namespace {

using namespace timbrepage;
using synthpage_test::HeadlessEnvelope;
using synthpage_test::HeadlessSliderPair;
using velktest::RecordingProgram;
using Store = velktest::ParamStore;

const PageBinding& Row(int control) { return synthpage_test::RowOf(Bindings(), control); }

TEST(TimbrePageTable, BindsEachTimbreParameterOnceExceptTheFiveWithoutControl) {
    for (const int base : {kTimbre1Base, kTimbre2Base}) {
        std::multiset<int> expected;
        for (int offset = 0; offset < 65; ++offset)
            if (offset != 0 && offset != 5 && offset != 27 && offset != 31 && offset != 33)
                expected.insert(base + offset);
        EXPECT_EQ(synthpage_test::StoredIds(Bindings(), base), expected) << "base " << base;
    }
}

TEST(TimbrePageTable, Timbre2StoresVoiceAssign94AmpRelease135LastDestination155) {
    EXPECT_EQ(kTimbre2Base + Row(kVoiceAssignList).param, 94);
    EXPECT_EQ(kTimbre2Base + Row(kPatchDestinationLists[3]).param, 155);

    RecordingProgram program;
    HeadlessEnvelope amp(Row(kAmpEgGraph), program, kTimbre2Base);
    EXPECT_TRUE(program.stores.empty());
    amp.edits[3].text = "100";
    amp.group.OnReleaseEdit();
    EXPECT_EQ(program.stores, (std::vector<Store>{{135, 100, 1}}));
    // Out of range: nothing.
    amp.edits[0].text = "200";
    amp.group.OnAttackEdit();
    EXPECT_EQ(program.stores.size(), 1u);
}

TEST(TimbrePageTable, VirtualPatchesUseThreeOffsetsPerPatch) {
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(Row(kPatchSourceLists[k]).param, 54 + 3 * k);
        EXPECT_EQ(Row(kPatchIntensitySliders[k]).param, 55 + 3 * k);
        EXPECT_EQ(Row(kPatchIntensitySliders[k]).partner, kPatchIntensityEdits[k]);
        EXPECT_EQ(Row(kPatchDestinationLists[k]).param, 53 + 3 * k);
    }
}

TEST(TimbrePageTable, EveryBindingFindsItsControlsAndEveryIdIsUnique) {
    EXPECT_EQ(synthpage_test::BindingControlMismatches(Layout(), Bindings()), std::vector<std::string>{});
    EXPECT_EQ(synthpage_test::DuplicateIds(Layout()), std::vector<int>{});
}

TEST(TimbrePageTable, SettingUpEveryPairStoresNothingAndTypingStoresOnce) {
    for (const int base : {kTimbre1Base, kTimbre2Base})
        EXPECT_EQ(synthpage_test::PairStoreProblems(Bindings(), base), std::vector<std::string>{})
            << "base " << base;
}

TEST(TimbrePageTable, PairsStoreShownPlusOffset) {
    struct Case {
        int slider;
        const char* typed;
        int stored;
    };
    // clang-format off
    const Case cases[] = {
        {kTransposeSlider, "-24", 40}, {kTransposeSlider, "24", 88},
        {kUnisonDetuneSlider, "99", 99}, {1161, "-50", 14},  // Tune
        {1167, "12", 76},                                 // Bend Range
        {kPanpotSlider, "L63", 1},     {kPanpotSlider, "R63", 127},
    };
    // clang-format on
    for (const Case& c : cases) {
        RecordingProgram program;
        const PageBinding& row = Row(c.slider);
        program.Preset(kTimbre1Base + row.param, 1 + row.offset);
        HeadlessSliderPair pair(row, program, kTimbre1Base);
        pair.Type(c.typed);
        EXPECT_EQ(program.stores, (std::vector<Store>{{kTimbre1Base + row.param, c.stored, 1}})) << c.typed;
    }
}

TEST(TimbrePageTable, PanpotShowsCentreAndBothSides) {
    const std::pair<int, const char*> cases[] = {{64, "CNT"}, {1, "L63"}, {127, "R63"}, {60, "L4"}};
    for (const auto& [stored, text] : cases) {
        RecordingProgram program;
        program.Preset(kTimbre2Base + Row(kPanpotSlider).param, stored);
        HeadlessSliderPair pair(Row(kPanpotSlider), program, kTimbre2Base);
        EXPECT_EQ(pair.edit.text, text);
    }
}

TEST(TimbrePageTable, KarvListNumbersItsWavesFrom01To64) {
    const PageControl* karv = FindControl(Layout(), kKarvList);
    ASSERT_NE(karv, nullptr);
    ASSERT_EQ(karv->items.size(), 64u);
    for (int i = 0; i < 64; ++i) {
        const std::string text = karv->items[i];
        const std::string number = (i < 9 ? "0" : "") + std::to_string(i + 1) + ":";
        EXPECT_EQ(text.substr(0, 3), number);
    }
    EXPECT_STREQ(karv->items[34], "35:Endless");
    EXPECT_STREQ(karv->items[63], "64:Voice4");
}

TEST(TimbrePageTable, NoControlsOverlapInAnyStateOfTheRules) {
    EXPECT_EQ(synthpage_test::LayoutProblemsInEveryRuleState(Layout(), kPageWidth, kPageHeight, kOsc1WaveIds,
                                                             kLfo1SyncIds, kLfo2SyncIds),
              std::vector<std::string>{});
}

}  // namespace
