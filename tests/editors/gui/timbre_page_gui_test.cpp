// The Timbre page on real windows, for both timbres: created from a program
// it stores nothing, each kind of control stores its own parameter, the
// rules enable, show and relabel what they should, and nothing overlaps.

#include <gtest/gtest.h>

#include <wx/checkbox.h>
#include <wx/slider.h>
#include <wx/textctrl.h>

#include <functional>

#include "SynthPageGuiSupport.h"
#include "controls/wx/CWiredPts.h"
#include "editors/TimbrePageTable.h"
#include "editors/wx/CDialogEditPrgTab3.h"
#include "editors/wx/SynthPageRulesWx.h"
#include "tests/editors/InRangeProgram.h"
#include "tests/support/RecordingProgram.h"

namespace {

using namespace editors_test;
using velktest::ParamStore;
using velktest::RecordingProgram;
using namespace timbrepage;

class TimbrePageGui : public PageGuiTest {
protected:
    // Pairs whose stored 0 lies outside their range start at its nearer
    // end: the page then stores only what a test changes.
    void SetUp() override {
        PageGuiTest::SetUp();
        PresetEveryPageIntoRange(program_);
    }
    CDialogEditPrgTab3& Open(int base) {
        page_ = new CDialogEditPrgTab3(frame_, program_, base);
        Pump();
        return *page_;
    }

    RecordingProgram program_;
    CDialogEditPrgTab3* page_ = nullptr;
};

TEST_F(TimbrePageGui, CreatingEitherTimbreShowsTheProgramAndStoresNothing) {
    for (const int base : {kTimbre1Base, kTimbre2Base}) {
        program_.Preset(base + 1, 2);    // Unison
        program_.Preset(base + 11, 5);   // KARV
        program_.Preset(base + 14, 63);  // "64:Voice4"
        program_.Preset(base + 46, 1);   // LFO 1 tempo sync
        program_.Preset(base + 9, 40);   // Transpose -24
        program_.Preset(base + 30, 1);   // Panpot L63
        program_.Preset(base + 42, 77);  // AMP EG release
        program_.Preset(base + 62, 7);   // last destination
        CDialogEditPrgTab3& page = Open(base);
        EXPECT_TRUE(program_.stores.empty()) << "base " << base;
        EXPECT_EQ(synthpage::SelectionOf(page, kVoiceAssignList), 2);
        EXPECT_EQ(synthpage::SelectionOf(page, kOsc1WaveList), 5);
        EXPECT_EQ(synthpage::SelectionOf(page, kKarvList), 63);
        EXPECT_EQ(synthpage::SelectionOf(page, kPatchDestinationLists[3]), 7);
        EXPECT_EQ(page.ControlAs<wxTextCtrl>(kTransposeEdit)->GetValue(), "-24");
        EXPECT_EQ(page.ControlAs<wxTextCtrl>(kPanpotEdit)->GetValue(), "L63");
        EXPECT_EQ(page.ControlAs<wxTextCtrl>(kAmpEgEdits[3])->GetValue(), "77");
        EXPECT_EQ(page.ControlAs<CWiredPts>(kAmpEgGraph)->GetRelease(), 77);
        // The rules already hold for what was loaded.
        EXPECT_TRUE(page.Control(kKarvList)->IsShown());
        EXPECT_TRUE(page.Control(kLfo1SyncNoteList)->IsShown());
        EXPECT_FALSE(page.Control(kLfo2SyncNoteList)->IsShown());
        EXPECT_TRUE(page.Control(kUnisonDetuneSlider)->IsEnabled());
        SaveShot(page, base == kTimbre1Base ? "timbre1_page_karv_sync" : "timbre2_page_karv_sync");
        page.Destroy();
        Pump();
    }
}

TEST_F(TimbrePageGui, Timbre2ControlsOfEachKindStoreTheirOwnParameter) {
    program_.Preset(kTimbre2Base + 9, 64);   // Transpose 0
    program_.Preset(kTimbre2Base + 30, 64);  // Panpot CNT
    CDialogEditPrgTab3& page = Open(kTimbre2Base);
    SaveShot(page, "timbre2_page");
    struct Case {
        const char* what;
        std::function<void()> act;
        ParamStore expected;
    };
    // clang-format off
    const Case cases[] = {
        {"voice assign Poly", [&] { UserSelect(page.Control(kVoiceAssignList), 1); }, {94, 1, 1}},
        {"OSC 1 wave KARV", [&] { UserPickWave(page.Control(kOsc1WaveList), 5); }, {104, 5, 1}},
        {"LFO 2 wave Sine", [&] { UserPickWave(page.Control(kLfo2WaveList), 2); }, {142, 2, 1}},
        {"AMP EG Reset", [&] { UserCheck(page.Control(kAmpEgReset), true); }, {95, 1, 1}},
        {"Distortion", [&] { UserCheck(page.Control(kDistortionCheck), true); }, {125, 1, 1}},
        {"Transpose slid to -24", [&] { UserSlide(page.Control(kTransposeSlider), 0); }, {102, 40, 1}},
        {"Panpot typed L63", [&] { UserType(page.Control(kPanpotEdit), "L63"); }, {123, 1, 1}},
        {"AMP EG release typed", [&] { UserType(page.Control(kAmpEgEdits[3]), "100"); }, {135, 100, 1}},
        {"last destination", [&] { UserSelect(page.Control(kPatchDestinationLists[3]), 7); }, {155, 7, 1}},
        {"LFO 1 tempo sync", [&] { UserCheck(page.Control(kLfo1TempoSync), true); }, {139, 1, 1}},
    };
    // clang-format on
    for (const Case& c : cases) {
        program_.Clear();
        c.act();
        EXPECT_EQ(program_.stores, std::vector<ParamStore>{c.expected}) << c.what;
    }
    // Out of range for an envelope: nothing.
    program_.Clear();
    UserType(page.Control(kAmpEgEdits[0]), "200");
    EXPECT_TRUE(program_.stores.empty());
}

TEST_F(TimbrePageGui, DraggingTheAmpEnvelopeFillsItsEditsAndStoresEachChange) {
    CDialogEditPrgTab3& page = Open(kTimbre1Base);
    auto* graph = page.ControlAs<CWiredPts>(kAmpEgGraph);
    ASSERT_NE(graph, nullptr);
    graph->SetDecay(30);  // what a drag does: the graph's change notice
    graph->SetRelease(90);
    EXPECT_EQ(program_.stores, (std::vector<ParamStore>{{68, 30, 1}, {70, 90, 1}}));
    EXPECT_EQ(page.ControlAs<wxTextCtrl>(kAmpEgEdits[1])->GetValue(), "30");
    EXPECT_EQ(page.ControlAs<wxTextCtrl>(kAmpEgEdits[3])->GetValue(), "90");
}

TEST_F(TimbrePageGui, VoiceAssignEnablesTriggerModeAndUnisonDetune) {
    CDialogEditPrgTab3& page = Open(kTimbre1Base);
    const int trigger[] = {kTriggerModeLabel, kTriggerModeList};
    const int detune[] = {kUnisonDetuneLabel, kUnisonDetuneSlider, kUnisonDetuneEdit};
    struct Case {
        int item;
        bool trigger, detune;
    };
    for (const Case c : {Case{1, false, false}, Case{0, true, false}, Case{2, true, true}}) {
        UserSelect(page.Control(kVoiceAssignList), c.item);
        EXPECT_EQ(EnabledMismatches(page, trigger, c.trigger), "") << "item " << c.item;
        EXPECT_EQ(EnabledMismatches(page, detune, c.detune), "") << "item " << c.item;
    }
}

TEST_F(TimbrePageGui, KarvSwapsTheWaveControlsAndSawRestoresThem) {
    CDialogEditPrgTab3& page = Open(kTimbre2Base);
    const auto waveControls = {kWaveControl1Label, kWaveControl1Slider, kWaveControl1Edit,
                               kWaveControl2Slider, kWaveControl2Edit};
    UserPickWave(page.Control(kOsc1WaveList), synthpage::kWaveKarv);
    EXPECT_EQ(ShownMismatches(page, waveControls, false), "");
    EXPECT_EQ(ShownMismatches(page, {kKarvList, kWaveControl2Label}, true), "");
    EXPECT_EQ(LabelOf(page, kWaveControl2Label), "KARV Wave");
    EXPECT_EQ(CheckWindowLayout(page), std::vector<std::string>{});

    UserPickWave(page.Control(kOsc1WaveList), 0);
    EXPECT_EQ(ShownMismatches(page, waveControls, true), "");
    EXPECT_EQ(ShownMismatches(page, {kKarvList}, false), "");
    EXPECT_EQ(LabelOf(page, kWaveControl1Label), "Waveform");
    EXPECT_EQ(LabelOf(page, kWaveControl2Label), "Waveform LFO1 Mod.Int");

    UserPickWave(page.Control(kOsc1WaveList), synthpage::kWaveAudioIn);
    EXPECT_EQ(LabelOf(page, kWaveControl1Label), "Balance");
    EXPECT_EQ(LabelOf(page, kWaveControl2Label), "Balance LFO1 Mod.Int");
}

TEST_F(TimbrePageGui, TempoSyncShowsTheSyncNoteListInPlaceOfTheFrequency) {
    CDialogEditPrgTab3& page = Open(kTimbre1Base);
    UserCheck(page.Control(kLfo2TempoSync), true);
    EXPECT_EQ(program_.stores, (std::vector<ParamStore>{{kTimbre1Base + 51, 1, 1}}));
    EXPECT_EQ(ShownMismatches(page, {kLfo2FrequencySlider, kLfo2FrequencyEdit}, false), "");
    EXPECT_EQ(ShownMismatches(page, {kLfo2SyncNoteList}, true), "");
    EXPECT_EQ(LabelOf(page, kLfo2FrequencyLabel), "Sync Note");
    EXPECT_EQ(LabelOf(page, kLfo1FrequencyLabel), "Frequency");
    EXPECT_EQ(CheckWindowLayout(page), std::vector<std::string>{});

    UserCheck(page.Control(kLfo2TempoSync), false);
    EXPECT_EQ(ShownMismatches(page, {kLfo2FrequencySlider, kLfo2FrequencyEdit}, true), "");
    EXPECT_EQ(ShownMismatches(page, {kLfo2SyncNoteList}, false), "");
    EXPECT_EQ(LabelOf(page, kLfo2FrequencyLabel), "Frequency");
}

TEST_F(TimbrePageGui, NothingOverlapsNorCropsTheWidestTextsInAnyState) {
    PresetWidestValues(program_, Bindings(), kTimbre1Base);
    CDialogEditPrgTab3& page = Open(kTimbre1Base);
    SaveShot(page, "timbre1_page_widest");
    EXPECT_EQ(
        ProblemsInEveryRuleState(page, kOsc1WaveList, kLfo1TempoSync, kLfo2TempoSync, kWaveControl2Label),
        std::vector<std::string>{});
}

}  // namespace
