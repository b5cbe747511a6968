// The page base on real windows: a small page with one control of every
// binding kind is built from its tables, stores nothing while it is set up,
// and stores one parameter (base + param, notify 1) per user change.

#include <gtest/gtest.h>

#include <wx/bmpcbox.h>
#include <wx/stattext.h>

#include "PageGuiSupport.h"
#include "tests/guitest/RealInput.h"

#include <X11/keysym.h>
#include "tests/support/RecordingProgram.h"
#include "controls/wx/CWiredPts.h"
#include "editors/wx/CProgramPage.h"

namespace {

using velktest::ParamStore;
using velktest::RecordingProgram;
using namespace editors_test;

constexpr const char* kTypes[] = {"Up", "Down", "Alternate1"};
constexpr const char* kWaves[] = {"Saw", "Square"};
constexpr int kWaveImages[] = {4, 8};
constexpr int kEnvelopeEdits[] = {20, 21, 22, 23};

// clang-format off
constexpr PageControl kLayout[] = {
    {kNoControlId, PageControlKind::GroupBox, "ALL", 2, 2, 236, 170},
    {1, PageControlKind::Label, "Type", 6, 12, 40, 12},
    {2, PageControlKind::Choice, "", 50, 12, 50, 80, kTypes},
    {3, PageControlKind::WaveChoice, "", 120, 12, 70, 80, kWaves, kWaveImages},
    {4, PageControlKind::CheckBox, "Latch", 6, 30, 50, 12},
    {5, PageControlKind::Slider, "", 60, 30, 80, 17},
    {6, PageControlKind::Edit, "", 144, 30, 30, 14},
    {7, PageControlKind::Knob, "", 6, 50, 22, 26},
    {8, PageControlKind::Edit, "", 32, 56, 30, 14},
    {9, PageControlKind::Knob, "", 70, 50, 22, 26},
    {10, PageControlKind::Choice, "", 96, 56, 60, 80, kTypes},
    {11, PageControlKind::TwoStateButton, "", 170, 56, 21, 14},
    {12, PageControlKind::TwoStateButton, "", 6, 80, 21, 14},
    {13, PageControlKind::TwoStateButton, "", 28, 80, 21, 14},
    {14, PageControlKind::VSlider, "", 200, 30, 19, 70},
    {15, PageControlKind::Edit, "", 196, 104, 30, 14},
    {16, PageControlKind::EnvelopeGraph, "", 6, 100, 100, 40},
    {20, PageControlKind::Edit, "", 6, 146, 20, 14},
    {21, PageControlKind::Edit, "", 30, 146, 20, 14},
    {22, PageControlKind::Edit, "", 54, 146, 20, 14},
    {23, PageControlKind::Edit, "", 78, 146, 20, 14},
};
// clang-format on

// clang-format off
constexpr PageBinding kBindings[] = {
    {PageBindingKind::Choice, 2, kNoControlId, 1, 0, 0, 1},
    {PageBindingKind::Choice, 3, kNoControlId, 2},
    {PageBindingKind::Check, 4, kNoControlId, 3},
    {PageBindingKind::SliderPair, 5, 6, 4, -12, 12, 64},
    {PageBindingKind::PanDialEdit, 7, 8, 5, -63, 63, 64},
    {PageBindingKind::DialChoice, 9, 10, 6, 0, 2, 0},
    {PageBindingKind::OnOffButton, 11, kNoControlId, 7},
    {PageBindingKind::StepButtons, 12, kNoControlId, 8, 0, 1},
    {PageBindingKind::HexSliderPair, 14, 15, 9, 0x7FFFFF, 0, 0},
    {PageBindingKind::Envelope, 16, kNoControlId, 10, 0, 0, 0, kEnvelopeEdits},
};
// clang-format on

constexpr int kBase = 158;  // the vocoder part: every id is 158 + param

class DemoPage final : public CProgramPage {
public:
    DemoPage(wxWindow* parent, MDevDescProgram& program)
        : CProgramPage(parent, program, kBase, {240, 176, kLayout, kBindings}) {
        AddRule(4, [this] { order.push_back("rule"); });
    }
    std::vector<std::string> order;
};

class ProgramPageGui : public PageGuiTest {
protected:
    void SetUp() override {
        PageGuiTest::SetUp();
        program_.Preset(kBase + 1, 2);  // item 1
        program_.Preset(kBase + 7, 1);  // "On"
        program_.Preset(kBase + 8, 2);  // step 2 only
        program_.Preset(kBase + 4, 64);
        program_.Preset(kBase + 5, 64);  // pan CNT
        page_ = new DemoPage(frame_, program_);
        Pump();
    }

    RecordingProgram program_;
    DemoPage* page_ = nullptr;
};

TEST_F(ProgramPageGui, BuildsTheTableAndStoresNothingWhileSettingUp) {
    EXPECT_TRUE(program_.stores.empty());
    EXPECT_EQ(page_->GetSize(), page_->ConvertDialogToPixels(wxSize(240, 176)));
    EXPECT_EQ(page_->ControlAs<wxChoice>(2)->GetSelection(), 1);
    EXPECT_EQ(page_->ControlAs<wxChoice>(2)->GetCount(), 3u);
    EXPECT_EQ(page_->ControlAs<wxBitmapComboBox>(3)->GetCount(), 2u);
    EXPECT_TRUE(page_->ControlAs<wxBitmapComboBox>(3)->GetItemBitmap(1).IsOk());
    EXPECT_EQ(page_->ControlAs<wxTextCtrl>(6)->GetValue(), "0");
    EXPECT_EQ(page_->ControlAs<wxTextCtrl>(15)->GetValue(), "000000");
    EXPECT_EQ(page_->ControlAs<C2StateButton>(11)->Text(), "On");
    EXPECT_EQ(page_->ControlAs<C2StateButton>(12)->State(), 0);
    EXPECT_EQ(page_->ControlAs<C2StateButton>(13)->State(), 1);
    EXPECT_EQ(page_->ControlAs<wxStaticText>(1)->GetLabel(), "Type");
    EXPECT_EQ(page_->Control(99), nullptr);
    SaveShot(*page_, "demo_page");
}

TEST_F(ProgramPageGui, EachBindingKindStoresItsParameterWithNotify) {
    struct Case {
        const char* what;
        std::function<void()> act;
        ParamStore expected;
    };
    // clang-format off
    const Case cases[] = {
        {"choice item 0 with offset 1", [&] { UserSelect(page_->Control(2), 0); }, {kBase + 1, 1, 1}},
        {"check", [&] { UserCheck(page_->Control(4), true); }, {kBase + 3, 1, 1}},
        {"slider pair typed +12", [&] { UserType(page_->Control(6), "12"); }, {kBase + 4, 76, 1}},
        {"pan knob edit R5", [&] { UserType(page_->Control(8), "R5"); }, {kBase + 5, 69, 1}},
        {"knob list item 2", [&] { UserSelect(page_->Control(10), 2); }, {kBase + 6, 2, 1}},
        {"on/off clicked to Off", [&] { UserClick(page_->Control(11)); }, {kBase + 7, 0, 1}},
        {"step 1 clicked", [&] { UserClick(page_->Control(12)); }, {kBase + 8, 3, 1}},
        {"hex typed 7FFFFF", [&] { UserType(page_->Control(15), "7FFFFF"); }, {kBase + 9, 0x7FFFFF00, 1}},
        {"envelope sustain typed", [&] { UserType(page_->Control(22), "100"); }, {kBase + 12, 100, 1}},
    };
    // clang-format on
    for (const Case& c : cases) {
        program_.Clear();
        c.act();
        EXPECT_EQ(program_.stores, std::vector<ParamStore>{c.expected}) << c.what;
    }
    EXPECT_EQ(page_->ControlAs<CDial>(9)->GetValue(), 2);
}

// Stored values outside the controls' ranges (from a file, or an all-zero
// program): each control shows the nearer end and the program holds it, so
// what the user then types or picks, with real keys and clicks, is what the
// program holds.
TEST_F(ProgramPageGui, TypedOrPickedValuesReachTheProgramWhenItHeldOutOfRangeValues) {
    using guitest::Until;
    page_->Destroy();
    program_.Preset(kBase + 4, 0);     // slider pair -12..12 + 64: 0 reads -64
    program_.Preset(kBase + 5, 200);   // pan knob -63..63 + 64: 200 reads R136
    program_.Preset(kBase + 6, 40);    // knob and list 0..2
    program_.Preset(kBase + 10, 200);  // envelope attack 0..127
    program_.Clear();
    page_ = new DemoPage(frame_, program_);
    Pump();
    EXPECT_EQ(page_->ControlAs<wxTextCtrl>(6)->GetValue(), "-12");
    EXPECT_EQ(page_->ControlAs<wxTextCtrl>(8)->GetValue(), "R63");
    EXPECT_EQ(page_->ControlAs<wxChoice>(10)->GetSelection(), 2);
    EXPECT_EQ(page_->ControlAs<wxTextCtrl>(20)->GetValue(), "127");

    guitest::XInput input;
    const auto type = [&](int edit, const char* text) {
        auto* control = page_->ControlAs<wxTextCtrl>(edit);
        ASSERT_TRUE(UntilOnScreen(*control)) << edit;
        input.ClickOn(*control);
        EXPECT_TRUE(Until([&] { return wxWindow::FindFocus() == control; })) << edit;
        input.Tap(XK_a, true);
        input.Type(text);
        EXPECT_TRUE(Until([&] { return control->GetValue() == text; })) << edit;
        input.Tap(XK_Tab);  // leaves the edit
        EXPECT_TRUE(Until([&] { return wxWindow::FindFocus() != control; })) << edit;
    };
    const auto pick = [&](int list, unsigned long key) {
        auto* control = page_->ControlAs<wxChoice>(list);
        const int before = control->GetSelection();
        ASSERT_TRUE(UntilOnScreen(*control)) << list;
        input.ClickOn(*control);
        EXPECT_TRUE(Until([] { return guitest::ShownMenuCount() > 0; })) << list;
        input.Tap(key);
        input.Tap(XK_Return);
        EXPECT_TRUE(Until([&] { return control->GetSelection() != before; })) << list;
    };
    type(6, "-12");
    type(8, "R63");
    type(20, "127");
    pick(10, XK_Up);
    EXPECT_EQ(program_.GetParam(kBase + 4), 52);
    EXPECT_EQ(program_.GetParam(kBase + 5), 127);
    EXPECT_EQ(program_.GetParam(kBase + 10), 127);
    EXPECT_EQ(program_.GetParam(kBase + 6), 1);
    pick(10, XK_Down);
    EXPECT_EQ(program_.GetParam(kBase + 6), 2);
    type(6, "-11");
    EXPECT_EQ(program_.GetParam(kBase + 4), 53);
}

TEST_F(ProgramPageGui, RuleRunsBeforeTheStore) {
    page_->order.clear();
    program_.Clear();
    UserCheck(page_->Control(4), true);
    EXPECT_EQ(page_->order, std::vector<std::string>{"rule"});
    EXPECT_EQ(program_.stores.size(), 1u);
}

TEST_F(ProgramPageGui, AppliedChangesShowEnableAndRelabel) {
    page_->Apply({{5, ControlChange::Show, false},
                  {6, ControlChange::Enable, false},
                  {1, ControlChange::Relabel, true, "Sync Note"}});
    EXPECT_FALSE(page_->Control(5)->IsShown());
    EXPECT_FALSE(page_->Control(6)->IsEnabled());
    EXPECT_EQ(page_->Control(1)->GetLabel(), "Sync Note");
}

TEST_F(ProgramPageGui, KnobClickMovesTheFocusToItsPartner) {
    UserClick(page_->Control(9));
    Pump();
    EXPECT_EQ(wxWindow::FindFocus(), page_->Control(10));
    UserClick(page_->Control(7));
    Pump();
    EXPECT_EQ(wxWindow::FindFocus(), page_->Control(8));
}

TEST_F(ProgramPageGui, WindowLayoutCheckFindsARealOverlap) {
    EXPECT_EQ(CheckWindowLayout(*page_), std::vector<std::string>{});
    page_->Control(6)->Move(page_->Control(5)->GetPosition());
    EXPECT_EQ(CheckWindowLayout(*page_), std::vector<std::string>{"#5 overlaps #6"});
}

TEST_F(ProgramPageGui, WindowTextCheckFindsWhatGtkCrops) {
    // "Alternate1" does not fit a list 50 dialog units wide (60 does), nor
    // six hexadecimal digits an edit 30 wide (40 does).
    EXPECT_EQ(CheckWindowTexts(*page_),
              (std::vector<std::string>{"#2 crops \"Alternate1\"", "#15 crops \"000000\""}));
    page_->Control(2)->SetSize(page_->ConvertDialogToPixels(wxSize(60, 14)).x, -1);
    page_->Control(15)->SetSize(page_->ConvertDialogToPixels(wxSize(40, 14)));
    EXPECT_EQ(CheckWindowTexts(*page_), std::vector<std::string>{});
}

}  // namespace
