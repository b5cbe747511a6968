// The dependent rules of the Timbre and Vocoder pages: what voice assign,
// the OSC 1 wave, tempo sync and E.F Sense enable, show and relabel.

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "editors/SynthPageRules.h"
#include "editors/TimbrePageTable.h"
#include "editors/VocoderPageTable.h"

namespace {

using namespace synthpage;

// The last state each change list gives each control.
struct RuleState {
    std::map<int, bool> shown, enabled;
    std::map<int, std::string> label;
};

RuleState StateOf(const ControlChanges& changes) {
    RuleState state;
    for (const ControlChange& c : changes) {
        if (c.what == ControlChange::Show) state.shown[c.id] = c.on;
        else if (c.what == ControlChange::Enable) state.enabled[c.id] = c.on;
        else state.label[c.id] = c.text;
    }
    return state;
}

constexpr VoiceAssignIds kVoiceIds = {1, 2, 3, 4, 5};
constexpr Osc1WaveIds kWaveIds = {11, 12, 13, 14, 15, 16, 17};
constexpr LfoSyncIds kSyncIds = {21, 22, 23, 24};

TEST(VoiceAssignRule, PolyDisablesTriggerModeAndDetuneOnlyUnisonEnablesDetune) {
    struct Case {
        int selection;
        bool trigger, detune;
    };
    // -1: a stored value outside the list leaves no selection.
    const Case cases[] = {
        {0, true, false}, {1, false, false}, {2, true, true}, {-1, true, false}, {3, true, false}};
    for (const Case& c : cases) {
        const RuleState s = StateOf(VoiceAssignChanges(kVoiceIds, c.selection));
        EXPECT_EQ(s.enabled,
                  (std::map<int, bool>{
                      {1, c.trigger}, {2, c.trigger}, {3, c.detune}, {4, c.detune}, {5, c.detune}}))
            << "selection " << c.selection;
        EXPECT_TRUE(s.shown.empty());
    }
}

TEST(Osc1WaveRule, KarvSwapsTheWaveControlsForItsListAndLabelsFollowTheWave) {
    struct Case {
        int wave;
        const char* first;  // "" : not relabelled
        const char* second;
    };
    // clang-format off
    const Case cases[] = {
        {0, "Waveform", "Waveform LFO1 Mod.Int"},   {1, "Waveform", "Waveform LFO1 Mod.Int"},
        {2, "Waveform", "Waveform LFO1 Mod.Int"},   {3, "XMod Depth", "XMod Depth LFO1 Mod.Int"},
        {4, "Waveform", "Waveform LFO1 Mod.Int"},   {5, "", "KARV Wave"},
        {6, "LPF Cutoff", "Resonance"},             {7, "Balance", "Balance LFO1 Mod.Int"},
        {-1, "Waveform", "Waveform LFO1 Mod.Int"},
    };
    // clang-format on
    for (const Case& c : cases) {
        const RuleState s = StateOf(Osc1WaveChanges(kWaveIds, c.wave));
        const bool karv = c.wave == kWaveKarv;
        // The second label stays whatever the wave; everything else swaps.
        EXPECT_EQ(s.shown, (std::map<int, bool>{
                               {11, !karv}, {12, !karv}, {13, !karv}, {15, !karv}, {16, !karv}, {17, karv}}))
            << "wave " << c.wave;
        std::map<int, std::string> labels{{14, c.second}};
        if (*c.first != '\0') labels[11] = c.first;
        EXPECT_EQ(s.label, labels) << "wave " << c.wave;
    }
}

TEST(LfoSyncRule, TempoSyncShowsTheSyncNoteListInPlaceOfTheFrequencyPair) {
    const RuleState on = StateOf(LfoSyncChanges(kSyncIds, true));
    EXPECT_EQ(on.shown, (std::map<int, bool>{{22, false}, {23, false}, {24, true}}));
    EXPECT_EQ(on.label, (std::map<int, std::string>{{21, "Sync Note"}}));
    const RuleState off = StateOf(LfoSyncChanges(kSyncIds, false));
    EXPECT_EQ(off.shown, (std::map<int, bool>{{22, true}, {23, true}, {24, false}}));
    EXPECT_EQ(off.label, (std::map<int, std::string>{{21, "Frequency"}}));
}

TEST(HoldLevelRule, OnlyEfSenseHoldEnablesTheFortyNineHoldLevelControls) {
    for (const int shown : {127, 126, 0}) {
        const ControlChanges changes = vocoderpage::HoldLevelChanges(shown);
        std::set<int> ids;
        for (const ControlChange& c : changes) {
            EXPECT_EQ(c.what, ControlChange::Enable);
            EXPECT_EQ(c.on, shown == 127) << "#" << c.id << " at " << shown;
            ids.insert(c.id);
        }
        EXPECT_EQ(ids.size(), 49u);
        EXPECT_EQ(ids.count(vocoderpage::kHoldLevelGroup), 1u);
        for (int n = 0; n < 16; ++n) {
            EXPECT_EQ(ids.count(vocoderpage::kHoldLevelLabels[n]), 1u);
            EXPECT_EQ(ids.count(vocoderpage::kHoldLevelSliders[n]), 1u);
            EXPECT_EQ(ids.count(vocoderpage::kHoldLevelEdits[n]), 1u);
        }
    }
}

// The pages hand the rules their own controls: each rule's ids are the
// controls the page's tables put on the page.
TEST(PageRuleIds, EveryRuleIdIsAControlOfItsPage) {
    const auto check = [](std::span<const PageControl> layout, const VoiceAssignIds& v, const Osc1WaveIds& w,
                          const LfoSyncIds& l1, const LfoSyncIds& l2) {
        const int ids[] = {v.triggerLabel,  v.triggerList, v.detuneLabel, v.detuneSlider, v.detuneEdit,
                           w.firstLabel,    w.firstSlider, w.firstEdit,   w.secondLabel,  w.secondSlider,
                           w.secondEdit,    w.karvList,    l1.label,      l1.slider,      l1.edit,
                           l1.syncNoteList, l2.label,      l2.slider,     l2.edit,        l2.syncNoteList};
        for (const int id : ids) EXPECT_NE(FindControl(layout, id), nullptr) << "#" << id;
    };
    check(timbrepage::Layout(), timbrepage::kVoiceAssignIds, timbrepage::kOsc1WaveIds,
          timbrepage::kLfo1SyncIds, timbrepage::kLfo2SyncIds);
    check(vocoderpage::Layout(), vocoderpage::kVoiceAssignIds, vocoderpage::kOsc1WaveIds,
          vocoderpage::kLfo1SyncIds, vocoderpage::kLfo2SyncIds);
    for (const ControlChange& c : vocoderpage::HoldLevelChanges(127))
        EXPECT_NE(FindControl(vocoderpage::Layout(), c.id), nullptr) << "#" << c.id;
}

}  // namespace
