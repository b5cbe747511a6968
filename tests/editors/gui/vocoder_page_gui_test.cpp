// The Vocoder page on real windows: created from a program it stores
// nothing, each kind of control stores its own parameter, E.F Sense
// enables and disables the hold levels, the rules show and relabel what
// they should, a knob click moves the focus, and nothing overlaps.

#include <gtest/gtest.h>

#include <wx/slider.h>
#include <wx/textctrl.h>

#include <functional>

#include "SynthPageGuiSupport.h"
#include "controls/wx/CDial.h"
#include "editors/VocoderPageTable.h"
#include "editors/wx/CDialogEditPrgTab5.h"
#include "editors/wx/SynthPageRulesWx.h"
#include "tests/editors/InRangeProgram.h"
#include "tests/support/RecordingProgram.h"

namespace {

using namespace editors_test;
using velktest::ParamStore;
using velktest::RecordingProgram;
using namespace vocoderpage;

class VocoderPageGui : public PageGuiTest {
protected:
    // Pairs whose stored 0 lies outside their range start at its nearer
    // end: the page then stores only what a test changes.
    void SetUp() override {
        PageGuiTest::SetUp();
        PresetEveryPageIntoRange(program_);
    }
    CDialogEditPrgTab5& Open() {
        page_ = new CDialogEditPrgTab5(frame_, program_);
        Pump();
        return *page_;
    }

    // The 49 hold-level controls.
    std::vector<int> HoldLevelControls() const {
        std::vector<int> ids{kHoldLevelGroup};
        for (int n = 0; n < 16; ++n)
            ids.insert(ids.end(), {kHoldLevelLabels[n], kHoldLevelSliders[n], kHoldLevelEdits[n]});
        return ids;
    }

    RecordingProgram program_;
    CDialogEditPrgTab5* page_ = nullptr;
};

TEST_F(VocoderPageGui, CreatingThePageShowsTheProgramAndStoresNothing) {
    program_.Preset(184, 3);           // Fc Mod.Source "LFO2"
    program_.Preset(186, 127);         // E.F Sense "Hold"
    program_.Preset(226, 0x12345600);  // hold level 1
    program_.Preset(210, 127);         // channel 1 level
    program_.Preset(218, 1);           // channel 1 pan L63
    program_.Preset(169, 7);           // Audio In
    CDialogEditPrgTab5& page = Open();
    EXPECT_TRUE(program_.stores.empty());
    EXPECT_EQ(synthpage::SelectionOf(page, kFcModSourceList), 2);
    EXPECT_EQ(page.ControlAs<wxTextCtrl>(kEfSenseEdit)->GetValue(), "Hold");
    EXPECT_EQ(page.ControlAs<wxTextCtrl>(kHoldLevelEdits[0])->GetValue(), "123456");
    EXPECT_EQ(page.ControlAs<wxSlider>(kChannelLevelSliders[0])->GetValue(), 0);  // 127 on top
    EXPECT_EQ(page.ControlAs<wxTextCtrl>(kChannelPanEdits[0])->GetValue(), "L63");
    EXPECT_EQ(page.ControlAs<CDial>(kChannelPanKnobs[0])->GetValue(), -63);
    EXPECT_EQ(EnabledMismatches(page, HoldLevelControls(), true), "");
    EXPECT_EQ(LabelOf(page, kWaveControl1Label), "Balance");
    EXPECT_EQ(CheckWindowLayout(page), std::vector<std::string>{});
    SaveShot(page, "vocoder_page_hold");
}

TEST_F(VocoderPageGui, ControlsOfEachKindStoreTheirOwnParameter) {
    CDialogEditPrgTab5& page = Open();
    struct Case {
        const char* what;
        std::function<void()> act;
        ParamStore expected;
    };
    // clang-format off
    const Case cases[] = {
        {"Fc Mod.Source item 0", [&] { UserSelect(page.Control(kFcModSourceList), 0); }, {184, 1, 1}},
        {"Formant Shift -2", [&] { UserSelect(page.Control(kFormantShiftList), 4); }, {181, 4, 1}},
        {"OSC 1 wave Noise", [&] { UserPickWave(page.Control(kOsc1WaveList), 6); }, {169, 6, 1}},
        {"EG Reset", [&] { UserCheck(page.Control(kEgResetCheck), true); }, {160, 1, 1}},
        {"Distortion", [&] { UserCheck(page.Control(kDistortionCheck), true); }, {189, 1, 1}},
        {"Bend Range typed +12", [&] { UserType(page.Control(1050), "12"); }, {166, 76, 1}},
        {"channel 8 level slid to the top", [&] { UserSlide(page.Control(kChannelLevelSliders[7]), 0); }, {217, 127, 1}},
        {"channel 3 pan typed R63", [&] { UserType(page.Control(kChannelPanEdits[2]), "R63"); }, {220, 127, 1}},
        {"hold level 16 typed 7FFFFF", [&] { UserType(page.Control(kHoldLevelEdits[15]), "7FFFFF"); }, {241, 0x7FFFFF00, 1}},
        {"E.F Sense typed hold", [&] { UserType(page.Control(kEfSenseEdit), "hold"); }, {186, 127, 1}},
        {"AMP EG sustain typed", [&] { UserType(page.Control(1137), "100"); }, {198, 100, 1}},
        {"LFO 2 sync note", [&] { UserSelect(page.Control(kLfo2SyncNoteList), 14); }, {209, 14, 1}},
    };
    // clang-format on
    for (const Case& c : cases) {
        program_.Clear();
        c.act();
        EXPECT_EQ(program_.stores, std::vector<ParamStore>{c.expected}) << c.what;
    }
    // A seventh hexadecimal digit does not fit.
    auto* edit = page.ControlAs<wxTextCtrl>(kHoldLevelEdits[15]);
    edit->SetInsertionPointEnd();
    edit->WriteText("1");
    EXPECT_EQ(edit->GetValue(), "7FFFFF");
    program_.Clear();
    UserType(page.Control(kHoldLevelEdits[0]), "12G456");
    EXPECT_TRUE(program_.stores.empty());
}

TEST_F(VocoderPageGui, EfSenseHoldEnablesTheHoldLevelsAndAnythingElseDisablesThem) {
    program_.Preset(186, 100);
    CDialogEditPrgTab5& page = Open();
    EXPECT_EQ(EnabledMismatches(page, HoldLevelControls(), false), "");

    UserSlide(page.Control(kEfSenseSlider), 127);  // during the drag
    EXPECT_EQ(EnabledMismatches(page, HoldLevelControls(), true), "");
    EXPECT_EQ(page.ControlAs<wxTextCtrl>(kEfSenseEdit)->GetValue(), "Hold");
    SaveShot(page, "vocoder_page_hold_enabled");

    UserSlide(page.Control(kEfSenseSlider), 126);
    EXPECT_EQ(EnabledMismatches(page, HoldLevelControls(), false), "");

    UserType(page.Control(kEfSenseEdit), "HOLD");
    EXPECT_EQ(EnabledMismatches(page, HoldLevelControls(), true), "");
    EXPECT_EQ(page.ControlAs<wxSlider>(kEfSenseSlider)->GetValue(), 127);
    EXPECT_EQ(program_.stores, (std::vector<ParamStore>{{186, 127, 1}, {186, 126, 1}, {186, 127, 1}}));
}

TEST_F(VocoderPageGui, VoiceAssignKarvAndTempoSyncRulesActOnTheirControls) {
    CDialogEditPrgTab5& page = Open();
    UserSelect(page.Control(kVoiceAssignList), 1);  // Poly
    EXPECT_EQ(EnabledMismatches(page,
                                std::vector<int>{kTriggerModeLabel, kTriggerModeList, kUnisonDetuneLabel,
                                                 kUnisonDetuneSlider, kUnisonDetuneEdit},
                                false),
              "");
    UserSelect(page.Control(kVoiceAssignList), 2);  // Unison
    EXPECT_EQ(EnabledMismatches(page, std::vector<int>{kTriggerModeList, kUnisonDetuneEdit}, true), "");

    UserPickWave(page.Control(kOsc1WaveList), synthpage::kWaveKarv);
    EXPECT_EQ(ShownMismatches(page,
                              {kWaveControl1Label, kWaveControl1Slider, kWaveControl1Edit,
                               kWaveControl2Slider, kWaveControl2Edit},
                              false),
              "");
    EXPECT_EQ(ShownMismatches(page, {kKarvList}, true), "");
    EXPECT_EQ(LabelOf(page, kWaveControl2Label), "KARV Wave");

    UserCheck(page.Control(kLfo1TempoSync), true);
    EXPECT_EQ(ShownMismatches(page, {kLfo1FrequencySlider, kLfo1FrequencyEdit}, false), "");
    EXPECT_EQ(ShownMismatches(page, {kLfo1SyncNoteList}, true), "");
    EXPECT_EQ(LabelOf(page, kLfo1FrequencyLabel), "Sync Note");
    UserCheck(page.Control(kLfo2TempoSync), true);
    EXPECT_EQ(LabelOf(page, kLfo2FrequencyLabel), "Sync Note");
    EXPECT_EQ(CheckWindowLayout(page), std::vector<std::string>{});
    SaveShot(page, "vocoder_page_karv_sync");
}

TEST_F(VocoderPageGui, KnobClickMovesTheFocusToItsPanEditAndShiftClickCentresIt) {
    for (int n = 0; n < 8; ++n) program_.Preset(218 + n, 100);
    CDialogEditPrgTab5& page = Open();
    for (const int n : {0, 7, 3}) {
        UserClick(page.Control(kChannelPanKnobs[n]));
        Pump();
        EXPECT_EQ(wxWindow::FindFocus(), page.Control(kChannelPanEdits[n])) << "channel " << n + 1;
    }
    EXPECT_TRUE(program_.stores.empty());
    UserClick(page.Control(kChannelPanKnobs[5]), true);
    EXPECT_EQ(program_.stores, (std::vector<ParamStore>{{223, 64, 1}}));
    EXPECT_EQ(page.ControlAs<wxTextCtrl>(kChannelPanEdits[5])->GetValue(), "CNT");
}

TEST_F(VocoderPageGui, NothingOverlapsNorCropsTheWidestTextsInAnyState) {
    PresetWidestValues(program_, Bindings(), kParamBase);
    CDialogEditPrgTab5& page = Open();
    SaveShot(page, "vocoder_page_widest");
    EXPECT_EQ(
        ProblemsInEveryRuleState(page, kOsc1WaveList, kLfo1TempoSync, kLfo2TempoSync, kWaveControl2Label),
        std::vector<std::string>{});
}

}  // namespace
