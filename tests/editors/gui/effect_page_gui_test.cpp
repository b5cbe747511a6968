// The Effect page on real windows over a recording program.

#include <gtest/gtest.h>

#include <wx/choice.h>
#include <wx/slider.h>

#include "PageGuiSupport.h"
#include "editors/EffectPageTables.h"
#include "editors/wx/CDialogEditPrgTab1.h"
#include "tests/editors/InRangeProgram.h"
#include "tests/support/RecordingProgram.h"

namespace {

using namespace effect_page;
using namespace editors_test;
using velktest::ParamStore;
using velktest::RecordingProgram;

class EffectPageGui : public PageGuiTest {
protected:
    // Pairs whose stored 0 lies outside their range start at its nearer
    // end: the page then stores only what a test changes.
    void SetUp() override {
        PageGuiTest::SetUp();
        PresetEveryPageIntoRange(program_);
    }
    CDialogEditPrgTab1* Open() {
        page_ = new CDialogEditPrgTab1(frame_, program_);
        Pump();
        return page_;
    }
    bool Shown(int id) const { return page_->Control(id)->IsShown(); }

    RecordingProgram program_;
    CDialogEditPrgTab1* page_ = nullptr;
};

TEST_F(EffectPageGui, OpeningStoresNothingAndShowsTheProgram) {
    program_.Preset(12, 2);   // Phaser
    program_.Preset(14, 76);  // High gain +12
    program_.Preset(16, 52);  // Low gain -12
    program_.Preset(13, 29);
    program_.Preset(10, 100);
    Open();
    EXPECT_TRUE(program_.stores.empty());
    EXPECT_EQ(page_->ControlAs<wxChoice>(kModType)->GetStringSelection(), "Phaser");
    EXPECT_EQ(page_->ControlAs<wxTextCtrl>(kHighGainEdit)->GetValue(), "12");
    EXPECT_EQ(page_->ControlAs<wxSlider>(kHighGainSlider)->GetValue(), 0);  // the top
    EXPECT_EQ(page_->ControlAs<wxTextCtrl>(kLowGainEdit)->GetValue(), "-12");
    EXPECT_EQ(page_->ControlAs<CDial>(kHighFreqKnob)->GetValue(), 29);
    EXPECT_EQ(page_->ControlAs<wxChoice>(kHighFreqList)->GetStringSelection(), "18.0KHz");
    EXPECT_EQ(page_->ControlAs<wxTextCtrl>(kLfoSpeedEdit)->GetValue(), "100");
    SaveShot(*page_, "effect_page");
}

TEST_F(EffectPageGui, TempoSyncCheckedAtStartShowsSyncNoteAndUncheckingSwapsBack) {
    program_.Preset(5, 1);
    program_.Preset(6, 8);  // "1/4"
    program_.Preset(7, 90);
    Open();
    EXPECT_TRUE(Shown(kSyncNoteLabel));
    EXPECT_TRUE(Shown(kSyncNote));
    EXPECT_FALSE(Shown(kDelayTimeLabel));
    EXPECT_FALSE(Shown(kDelayTimeSlider));
    EXPECT_FALSE(Shown(kDelayTimeEdit));
    EXPECT_EQ(CheckWindowLayout(*page_), std::vector<std::string>{});
    SaveShot(*page_, "effect_page_tempo_sync");
    EXPECT_EQ(page_->CDialogEditPrgTab1::UpdateTempoSyncControls(), 1);

    UserCheck(page_->Control(kTempoSync), false);
    EXPECT_EQ(program_.stores, (std::vector<ParamStore>{{5, 0, 1}}));
    EXPECT_FALSE(Shown(kSyncNote));
    EXPECT_TRUE(Shown(kDelayTimeSlider));
    EXPECT_TRUE(Shown(kDelayTimeLabel));
    EXPECT_EQ(program_.GetParam(6), 8);
    EXPECT_EQ(program_.GetParam(7), 90);
    EXPECT_EQ(CheckWindowLayout(*page_), std::vector<std::string>{});
}

TEST_F(EffectPageGui, EachKindOfControlStoresItsParameter) {
    Open();
    struct Case {
        const char* what;
        std::function<void()> act;
        ParamStore expected;
    };
    // clang-format off
    const Case cases[] = {
        {"MOD FX Type", [&] { UserSelect(page_->Control(kModType), 1); }, {12, 1, 1}},
        {"DELAY Type", [&] { UserSelect(page_->Control(kDelayType), 2); }, {9, 2, 1}},
        {"Tempo Sync", [&] { UserCheck(page_->Control(kTempoSync), true); }, {5, 1, 1}},
        {"Sync Note", [&] { UserSelect(page_->Control(kSyncNote), 14); }, {6, 14, 1}},
        {"Effect Depth slider", [&] { UserSlide(page_->Control(kDepthSlider), 127); }, {11, 127, 1}},
        {"High gain typed", [&] { UserType(page_->Control(kHighGainEdit), "12"); }, {14, 76, 1}},
        {"Low gain slid to the top", [&] { UserSlide(page_->Control(kLowGainSlider), 0); }, {16, 76, 1}},
        {"High frequency list", [&] { UserSelect(page_->Control(kHighFreqList), 29); }, {13, 29, 1}},
    };
    // clang-format on
    for (const Case& c : cases) {
        program_.Clear();
        c.act();
        EXPECT_EQ(program_.stores, std::vector<ParamStore>{c.expected}) << c.what;
    }
    EXPECT_EQ(page_->ControlAs<CDial>(kHighFreqKnob)->GetValue(), 29);
    EXPECT_EQ(page_->ControlAs<wxTextCtrl>(kLowGainEdit)->GetValue(), "12");
}

TEST_F(EffectPageGui, ShiftClickOnAnEqKnobStoresTheMiddleAndFocusesItsList) {
    program_.Preset(15, 3);
    Open();
    UserClick(page_->Control(kLowFreqKnob), true);
    Pump();
    EXPECT_EQ(program_.stores, (std::vector<ParamStore>{{15, 14, 1}}));
    EXPECT_EQ(page_->ControlAs<wxChoice>(kLowFreqList)->GetStringSelection(), "300Hz");
    EXPECT_EQ(wxWindow::FindFocus(), page_->Control(kLowFreqList));
    UserClick(page_->Control(kHighFreqKnob));
    Pump();
    EXPECT_EQ(wxWindow::FindFocus(), page_->Control(kHighFreqList));
}

// An EQ frequency stored beyond the list (from a file): the knob and the
// list show the last item and the program is made to hold it, so picking
// an item afterwards is stored as any change is.
TEST_F(EffectPageGui, AnEqFrequencyBeyondTheListIsShownAndHeldAsTheLastItem) {
    program_.Preset(13, 40);
    Open();
    EXPECT_EQ(page_->ControlAs<wxChoice>(kHighFreqList)->GetStringSelection(), "18.0KHz");
    EXPECT_EQ(page_->ControlAs<CDial>(kHighFreqKnob)->GetValue(), 29);
    EXPECT_EQ(program_.stores, (std::vector<ParamStore>{{13, 29, 1}}));
}

TEST_F(EffectPageGui, WindowsDoNotOverlapNorCropTheWidestTexts) {
    for (const int id : {7, 8, 10, 11}) program_.Preset(id, 127);
    program_.Preset(14, 52);  // -12
    program_.Preset(16, 52);
    program_.Preset(12, 0);   // "Chorus/Flanger"
    program_.Preset(9, 1);    // "Chorus Delay"
    program_.Preset(13, 29);  // "18.0KHz"
    program_.Preset(15, 29);  // "1000Hz"
    Open();
    EXPECT_EQ(CheckWindowLayout(*page_), std::vector<std::string>{});
    EXPECT_EQ(CheckWindowTexts(*page_), std::vector<std::string>{});
    UserCheck(page_->Control(kTempoSync), true);
    UserSelect(page_->Control(kSyncNote), 7);  // "3/16"
    EXPECT_EQ(CheckWindowLayout(*page_), std::vector<std::string>{});
    EXPECT_EQ(CheckWindowTexts(*page_), std::vector<std::string>{});
}

}  // namespace
