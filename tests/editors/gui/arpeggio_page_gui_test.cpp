// The Arpeggio page on real windows over a recording program.

#include <gtest/gtest.h>

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/slider.h>

#include "PageGuiSupport.h"
#include "tests/guitest/RealInput.h"

#include <X11/keysym.h>
#include "editors/ArpeggioPageTables.h"
#include "editors/wx/CDialogEditPrgTab2.h"
#include "tests/editors/InRangeProgram.h"
#include "tests/support/RecordingProgram.h"

namespace {

using namespace arpeggio_page;
using namespace editors_test;
using velktest::ParamStore;
using velktest::RecordingProgram;

class ArpeggioPageGui : public PageGuiTest {
protected:
    // Pairs whose stored 0 lies outside their range start at its nearer
    // end: the page then stores only what a test changes.
    void SetUp() override {
        PageGuiTest::SetUp();
        PresetEveryPageIntoRange(program_);
    }
    CDialogEditPrgTab2* Open(int voiceMode = 0) {
        page_ = new CDialogEditPrgTab2(frame_, program_, voiceMode);
        Pump();
        return page_;
    }
    C2StateButton* Step(int n) const { return page_->ControlAs<C2StateButton>(kFirstStep + n - 1); }
    int EnabledSteps() const {
        int count = 0;
        for (int n = 1; n <= kStepCount; ++n) count += Step(n)->IsEnabled() ? 1 : 0;
        return count;
    }

    RecordingProgram program_;
    CDialogEditPrgTab2* page_ = nullptr;
};

TEST_F(ArpeggioPageGui, OpeningStoresNothingAndShowsTheProgram) {
    program_.Preset(17, 300);
    program_.Preset(18, 1);
    program_.Preset(19, 1);
    program_.Preset(22, 3);
    program_.Preset(26, -100);
    program_.Preset(0, 3);
    program_.Preset(1, 0x05);
    Open(2);
    EXPECT_TRUE(program_.stores.empty());
    EXPECT_EQ(page_->ControlAs<wxTextCtrl>(kTempoEdit)->GetValue(), "300");
    EXPECT_EQ(page_->ControlAs<wxTextCtrl>(kSwingEdit)->GetValue(), "-100");
    EXPECT_EQ(page_->ControlAs<C2StateButton>(kOnOff)->Text(), "On");
    EXPECT_TRUE(page_->ControlAs<C2StateButton>(kOnOff)->LooksPushed());
    EXPECT_TRUE(page_->ControlAs<wxCheckBox>(kLatch)->GetValue());
    EXPECT_EQ(page_->ControlAs<wxChoice>(kType)->GetStringSelection(), "Alternate2");
    // Bit 1 shows state 1, which reads "Off".
    EXPECT_EQ(Step(1)->Text(), "Off");
    EXPECT_EQ(Step(2)->Text(), "On");
    EXPECT_EQ(Step(3)->Text(), "Off");
    EXPECT_EQ(EnabledSteps(), 4);
    SaveShot(*page_, "arpeggio_page");
}

TEST_F(ArpeggioPageGui, StepPatternsAllOffAndAllOn) {
    program_.Preset(0, 7);
    program_.Preset(1, 0x00);
    Open();
    for (int n = 1; n <= kStepCount; ++n) {
        EXPECT_EQ(Step(n)->Text(), "On") << n;
        EXPECT_TRUE(Step(n)->LooksPushed()) << n;
    }
    EXPECT_EQ(EnabledSteps(), 8);
    UserClick(Step(1));
    EXPECT_EQ(program_.stores, (std::vector<ParamStore>{{1, 0x01, 1}}));

    page_->Destroy();
    program_.Preset(1, 0xFF);
    Open();
    for (int n = 1; n <= kStepCount; ++n) {
        EXPECT_EQ(Step(n)->Text(), "Off") << n;
        EXPECT_FALSE(Step(n)->LooksPushed()) << n;
    }
}

TEST_F(ArpeggioPageGui, LastStepEnablesStepsAndDisabledStepsStillCountInThePattern) {
    program_.Preset(0, 7);
    program_.Preset(1, 0x04);  // step 3 set
    Open();
    UserSelect(page_->Control(kLastStep), 1);  // "2"
    EXPECT_EQ(EnabledSteps(), 2);
    EXPECT_FALSE(Step(3)->IsEnabled());
    EXPECT_EQ(program_.stores, (std::vector<ParamStore>{{0, 1, 1}}));
    EXPECT_EQ(program_.GetParam(1), 0x04);  // the pattern is not touched

    program_.Clear();
    UserClick(Step(2));
    EXPECT_EQ(program_.stores, (std::vector<ParamStore>{{1, 0x06, 1}}));

    UserSelect(page_->Control(kLastStep), 0);
    EXPECT_EQ(EnabledSteps(), 1);
    EXPECT_TRUE(Step(1)->IsEnabled());
}

TEST_F(ArpeggioPageGui, TargetTimbreOnlyInLayerModeKeepingItsValue) {
    program_.Preset(20, 2);
    Open(0);
    EXPECT_FALSE(page_->Control(kTargetTimbre)->IsEnabled());
    EXPECT_FALSE(page_->Control(kTargetTimbreLabel)->IsEnabled());
    page_->SetVoiceMode(2);
    EXPECT_TRUE(page_->Control(kTargetTimbre)->IsEnabled());
    EXPECT_TRUE(page_->Control(kTargetTimbreLabel)->IsEnabled());
    page_->SetVoiceMode(3);
    EXPECT_FALSE(page_->Control(kTargetTimbre)->IsEnabled());
    EXPECT_EQ(page_->ControlAs<wxChoice>(kTargetTimbre)->GetSelection(), 2);
    EXPECT_TRUE(program_.stores.empty());
}

TEST_F(ArpeggioPageGui, EachKindOfControlStoresItsParameter) {
    program_.Preset(18, 1);
    program_.Preset(17, 120);
    Open(2);
    struct Case {
        const char* what;
        std::function<void()> act;
        ParamStore expected;
    };
    // clang-format off
    const Case cases[] = {
        {"On clicked to Off", [&] { UserClick(page_->Control(kOnOff)); }, {18, 0, 1}},
        {"Off clicked to On", [&] { UserClick(page_->Control(kOnOff)); }, {18, 1, 1}},
        {"Latch", [&] { UserCheck(page_->Control(kLatch), true); }, {19, 1, 1}},
        {"Key Sync", [&] { UserCheck(page_->Control(kKeySync), true); }, {21, 1, 1}},
        {"Type", [&] { UserSelect(page_->Control(kType), 5); }, {22, 5, 1}},
        {"Resolution", [&] { UserSelect(page_->Control(kResolution), 2); }, {25, 2, 1}},
        {"Range", [&] { UserSelect(page_->Control(kRange), 3); }, {23, 3, 1}},
        {"Target Timbre", [&] { UserSelect(page_->Control(kTargetTimbre), 1); }, {20, 1, 1}},
        {"Tempo typed", [&] { UserType(page_->Control(kTempoEdit), "300"); }, {17, 300, 1}},
        {"Swing slid to the left", [&] { UserSlide(page_->Control(kSwingSlider), 0); }, {26, -100, 1}},
        {"Gate typed", [&] { UserType(page_->Control(kGateEdit), "75"); }, {24, 75, 1}},
    };
    // clang-format on
    for (const Case& c : cases) {
        program_.Clear();
        c.act();
        EXPECT_EQ(program_.stores, std::vector<ParamStore>{c.expected}) << c.what;
    }
}

TEST_F(ArpeggioPageGui, ShowOperationsUpdateControlsAndStoreNothing) {
    program_.Preset(24, 10);
    Open();
    page_->ShowArpOnOff(1);
    page_->ShowLatch(1);
    page_->ShowType(3);
    page_->ShowRange(2);
    page_->ShowGate(90);
    Pump();
    EXPECT_EQ(page_->ControlAs<C2StateButton>(kOnOff)->Text(), "On");
    EXPECT_TRUE(page_->ControlAs<wxCheckBox>(kLatch)->GetValue());
    EXPECT_EQ(page_->ControlAs<wxChoice>(kType)->GetStringSelection(), "Alternate2");
    EXPECT_EQ(page_->ControlAs<wxChoice>(kRange)->GetStringSelection(), "3 Octave");
    EXPECT_EQ(page_->ControlAs<wxSlider>(kGateSlider)->GetValue(), 90);
    EXPECT_EQ(page_->ControlAs<wxTextCtrl>(kGateEdit)->GetValue(), "90");
    // A later slider notice finds the edit in line: still nothing stored.
    UserSlide(page_->Control(kGateSlider), 90);
    UserLeave(page_->Control(kGateEdit));
    EXPECT_TRUE(program_.stores.empty());
    page_->ShowArpOnOff(0);
    EXPECT_EQ(page_->ControlAs<C2StateButton>(kOnOff)->Text(), "Off");
    page_->ShowType(9);
    EXPECT_EQ(page_->ControlAs<wxChoice>(kType)->GetSelection(), wxNOT_FOUND);
    EXPECT_TRUE(program_.stores.empty());
}

// A Gate value the synth reports beyond the page's 0..100 is shown as 100,
// and the program is made to hold 100 too.
TEST_F(ArpeggioPageGui, ReportedGateBeyondTheRangeIsShownAndHeldAtTheEnd) {
    program_.Preset(24, 10);
    Open();
    program_.Preset(24, 120);
    page_->ShowGate(120);
    EXPECT_EQ(page_->ControlAs<wxSlider>(kGateSlider)->GetValue(), 100);
    EXPECT_EQ(page_->ControlAs<wxTextCtrl>(kGateEdit)->GetValue(), "100");
    EXPECT_EQ(program_.stores, (std::vector<ParamStore>{{24, 100, 1}}));
}

// An all-zero program's Tempo (0, below the page's 20..300), typed over with
// real keys: "20" is what the page shows, and the program holds it.
TEST_F(ArpeggioPageGui, TempoTypedOverAnOutOfRangeTempoReachesTheProgram) {
    using guitest::Until;
    program_.Preset(17, 0);
    Open();
    auto* tempo = page_->ControlAs<wxTextCtrl>(kTempoEdit);
    guitest::XInput input;
    ASSERT_TRUE(UntilOnScreen(*tempo));
    input.ClickOn(*tempo);
    ASSERT_TRUE(Until([&] { return wxWindow::FindFocus() == tempo; }));
    input.Tap(XK_a, true);
    input.Type("20");
    ASSERT_TRUE(Until([&] { return tempo->GetValue() == "20"; }));
    input.Tap(XK_Tab);
    ASSERT_TRUE(Until([&] { return wxWindow::FindFocus() != tempo; }));
    EXPECT_EQ(tempo->GetValue(), "20");
    EXPECT_EQ(program_.GetParam(17), 20);
}

TEST_F(ArpeggioPageGui, WindowsDoNotOverlapNorCropTheWidestTexts) {
    program_.Preset(17, 300);
    program_.Preset(24, 100);
    program_.Preset(26, -100);
    program_.Preset(22, 2);  // "Alternate1"
    program_.Preset(23, 1);  // "2 Octave"
    program_.Preset(20, 2);  // "Timbre2"
    Open(2);
    EXPECT_EQ(CheckWindowLayout(*page_), std::vector<std::string>{});
    EXPECT_EQ(CheckWindowTexts(*page_), std::vector<std::string>{});
}

}  // namespace
