// The Global Editor on real windows over the device model of a simulated
// synth: tabs per model, pages that show and store the global values, keys
// and window-manager close, the write to the synth, notices only while the
// editor lives, the layout of every page (and its picture on request).

#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/notebook.h>
#include <wx/slider.h>
#include <wx/textctrl.h>

#include <memory>
#include <string>

#include "controls/wx/C2StateButton.h"
#include "device/MDevDescProgram.h"
#include "device/MDevGlobalParamId.h"
#include "editors/GlobalPageTables.h"
#include "editors/wx/CDialogEditGlb.h"
#include "editors/wx/CProgramPage.h"
#include "tests/device/DevRig.h"
#include "tests/guitest/WxUiLoop.h"
#include "tests/editors/gui/PageGuiSupport.h"
#include "tests/guitest/RealInput.h"

#include <X11/keysym.h>
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/TempDir.h"

namespace {

using editors_test::PageGuiTest;
using editors_test::RaiseCommand;
using editors_test::UserSelect;
namespace P = MDevGlobalParamId;
namespace id = glbpage::id;

class GlobalEditorGui : public PageGuiTest {
protected:
    void Connect(SimModel model) {
        rig_ = std::make_unique<DevRig>(model, &uiLoop_);
        ASSERT_TRUE(rig_->Connect());
        // Each pass of a waiting loop lets the synth answer everything sent.
        ui_.onPump = [this] { rig_->Settle(); };
    }
    void TearDown() override {
        editor_.reset();
        PageGuiTest::TearDown();
    }

    MDevDescZEPHA& Dev() { return rig_->Dev(); }
    // The device's global, which the editor copies when it opens.
    void Preset(int param, int32_t value) { Dev().GetGlobal(0)->SetParam(param, value, 0); }

    CDialogEditGlb& Open(int index = 0, const std::filesystem::path& path = {}) {
        editor_.reset(new CDialogEditGlb(Dev(), index, path, frame_, ui_));
        editor_->Show();
        Pump();
        return *editor_;
    }

    template <class T>
    T* On(int page, int control) {
        CProgramPage* p = editor_->Page(page);
        return p ? p->ControlAs<T>(control) : nullptr;
    }

    static void Click(wxWindow* button) {
        ASSERT_NE(button, nullptr);
        RaiseCommand(*button, wxEVT_BUTTON, 0);
    }

    void Key(wxWindow& target, int key) {
        wxKeyEvent event(wxEVT_CHAR_HOOK);
        event.m_keyCode = key;
        event.SetEventObject(&target);
        target.ProcessWindowEvent(event);
    }

    bool WindowClose() {
        wxCloseEvent close(wxEVT_CLOSE_WINDOW, editor_->GetId());
        close.SetEventObject(editor_.get());
        close.SetCanVeto(true);
        editor_->ProcessWindowEvent(close);
        return close.GetVeto();
    }

    // The synth's input is routed through wx's event loop, as in the program.
    WxUiLoop uiLoop_;
    std::unique_ptr<DevRig> rig_;
    velktest::ScriptedUiServices ui_;
    std::unique_ptr<CDialogEditGlb> editor_;
};

TEST_F(GlobalEditorGui, ThreeTabsOnBrontiselAndNoFavoritePage) {
    Connect(SimModel::Brontisel);
    CDialogEditGlb& editor = Open();
    ASSERT_EQ(editor.Tabs()->GetPageCount(), 3u);
    EXPECT_EQ(editor.Tabs()->GetPageText(0), "Global");
    EXPECT_EQ(editor.Tabs()->GetPageText(1), "MIDI");
    EXPECT_EQ(editor.Tabs()->GetPageText(2), "Control Change Map");
    EXPECT_EQ(editor.Page(3), nullptr);
    EXPECT_EQ(editor.GetTitle(), "Global Editor - Device");
    EXPECT_FALSE(editor.SaveButton()->IsEnabled());
    EXPECT_TRUE(editor.Page(0)->IsShown());
    EXPECT_FALSE(editor.Page(1)->IsShown());
}

TEST_F(GlobalEditorGui, FourTabsOnBrontiselSWithFavoritePrograms) {
    Connect(SimModel::BrontiselS);
    const int32_t stored[8] = {0, 63, 64, 255, 1, 7, 200, 128};
    for (int i = 0; i < 8; ++i) Preset(P::kFavoriteFirst + i, stored[i]);
    CDialogEditGlb& editor = Open();
    ASSERT_EQ(editor.Tabs()->GetPageCount(), 4u);
    EXPECT_EQ(editor.Tabs()->GetPageText(3), "Favorite Program");
    ASSERT_NE(editor.Page(3), nullptr);
    const char* expected[4] = {"Program A.11", "Program A.88", "Program B.11", "Program D.88"};
    for (int i = 0; i < 4; ++i) {
        auto* list = On<wxChoice>(3, id::kFavorites[i]);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->GetCount(), 256u);
        EXPECT_EQ(list->GetStringSelection(), expected[i]) << i;
    }
    EXPECT_FALSE(On<C2StateButton>(3, id::kSpeaker)->IsShown());
}

TEST_F(GlobalEditorGui, PagesShowTheStoredGlobals) {
    Connect(SimModel::Brontisel);
    Preset(P::kMasterTune, -100);
    Preset(P::kVelocityCurve, 0);
    Preset(P::kGlobalMidiChannel, 5);
    Preset(15, -1);
    Preset(16, 96);
    Preset(17, 7);
    CDialogEditGlb& editor = Open();
    EXPECT_EQ(On<wxTextCtrl>(0, id::kTuneEdit)->GetValue(), "430.0");
    EXPECT_EQ(On<wxSlider>(0, id::kTuneSlider)->GetValue(), On<wxSlider>(0, id::kTuneSlider)->GetMin());
    EXPECT_EQ(On<wxTextCtrl>(0, id::kCurveEdit)->GetValue(), "Crv");
    EXPECT_FALSE(On<C2StateButton>(0, id::kWriteProtect)->IsShown());

    auto* channel = On<wxChoice>(1, id::kChannel);
    EXPECT_EQ(channel->GetSelection(), 5);
    EXPECT_FALSE(channel->IsEnabled());
    EXPECT_FALSE(On<wxChoice>(1, id::kFilterSystemExclusive)->IsShown());

    EXPECT_EQ(On<wxChoice>(2, 1128)->GetStringSelection(), "Off");
    EXPECT_EQ(On<wxChoice>(2, 1148)->GetSelection(), wxNOT_FOUND);
    EXPECT_EQ(On<wxChoice>(2, 1149)->GetStringSelection(), "CC #07");
    EXPECT_FALSE(editor.Model().IsModified());
}

TEST_F(GlobalEditorGui, ChoicesStoreIntoTheWorkingGlobalAndMarkTheEditorModified) {
    Connect(SimModel::Brontisel);
    const velktest::TempDir dir;
    const auto path = dir / "glbgui.glb";
    ASSERT_EQ(Dev().SaveGlobalFile(0, path), 0);
    CDialogEditGlb& editor = Open(-1, path);
    std::filesystem::remove(path);
    MDevDescProgram& global = *editor.Model().Global();
    UserSelect(On<wxChoice>(2, 1128), 8);
    EXPECT_EQ(global.GetParam(15), 7);
    EXPECT_TRUE(editor.Model().IsModified());
    EXPECT_TRUE(editor.SaveButton()->IsEnabled());
    UserSelect(On<wxChoice>(2, 1128), 0);
    EXPECT_EQ(global.GetParam(15), -1);
    UserSelect(On<wxChoice>(1, id::kClockSource), 2);
    EXPECT_EQ(global.GetParam(P::kMidiClockSource), 2);
    // The device's own global is untouched until a write is confirmed.
    EXPECT_NE(Dev().GetGlobal(0)->GetParam(P::kMidiClockSource), 2);
}

TEST_F(GlobalEditorGui, SwitchingTabsKeepsEveryPageAsItWas) {
    Connect(SimModel::Brontisel);
    CDialogEditGlb& editor = Open();
    CProgramPage* midi = editor.Page(1);
    UserSelect(On<wxChoice>(1, id::kFilterPitchBend), 1);
    editor.Tabs()->SetSelection(2);
    EXPECT_EQ(editor.CurrentPage(), 2);
    EXPECT_TRUE(editor.Page(2)->IsShown());
    EXPECT_FALSE(midi->IsShown());
    editor.Tabs()->SetSelection(1);
    EXPECT_EQ(editor.Page(1), midi);
    EXPECT_TRUE(midi->IsShown());
    EXPECT_EQ(On<wxChoice>(1, id::kFilterPitchBend)->GetSelection(), 1);
    EXPECT_EQ(editor.ShownScroller()->Page(), midi);
}

// Real clicks, as a person gives them: on a tab, then on a control of the
// page it shows. Every page answers the mouse after a tab switch, the first
// one too after coming back to it.
TEST_F(GlobalEditorGui, EveryPageAnswersRealClicksAfterATabSwitch) {
    using guitest::Until;
    Connect(SimModel::BrontiselS);
    Preset(P::kLocal, 0);
    Preset(15, -1);
    Preset(P::kFavoriteFirst, 0);
    CDialogEditGlb& editor = Open();
    editor.Raise();
    MDevDescProgram& global = *editor.Model().Global();
    guitest::XInput input;
    wxNotebook& tabs = *editor.Tabs();
    ASSERT_TRUE(editors_test::UntilOnScreen(tabs));
    const auto clickTab = [&](int n) {
        return editors_test::ClickTab(input, tabs, n) && editor.CurrentPage() == n;
    };
    // Opens a list with a click and picks the item below the selected one.
    const auto pickNext = [&](int page, int id) {
        auto* list = On<wxChoice>(page, id);
        const int before = list->GetSelection();
        input.ClickOn(*list);
        if (!Until([] { return guitest::ShownMenuCount() > 0; })) return false;
        input.Tap(XK_Down);
        input.Tap(XK_Return);
        return Until([&] { return list->GetSelection() != before; });
    };
    const auto typeInto = [&](int page, int id, const char* text) {
        auto* edit = On<wxTextCtrl>(page, id);
        input.ClickOn(*edit);
        if (!Until([&] { return wxWindow::FindFocus() == edit; })) return false;
        input.Tap(XK_a, true);
        input.Type(text);
        return Until([&] { return edit->GetValue() == text; });
    };

    ASSERT_TRUE(clickTab(1));
    auto* local = On<C2StateButton>(1, id::kLocal);
    input.ClickOn(*local);
    EXPECT_TRUE(Until([&] { return global.GetParam(P::kLocal) == 1; })) << "MIDI page";

    ASSERT_TRUE(clickTab(2));
    EXPECT_TRUE(pickNext(2, 1128)) << "Control Change Map page";
    EXPECT_EQ(global.GetParam(15), 0);  // "Off" -> "CC #00"

    ASSERT_TRUE(clickTab(3));
    EXPECT_TRUE(pickNext(3, id::kFavorites[0])) << "Favorite Program page";
    EXPECT_EQ(global.GetParam(P::kFavoriteFirst), 1);

    ASSERT_TRUE(clickTab(0));
    EXPECT_TRUE(typeInto(0, id::kTransposeEdit, "7")) << "Global page";
    EXPECT_EQ(global.GetParam(P::kMasterTranspose), 7);
}

// Opened as the list opens it, modal on a real window that the window
// manager activates: the first key typed goes to the first control in tab
// order that takes the focus ("Write to Device", as "Save to File" is off),
// and no value changes.
TEST_F(GlobalEditorGui, OpensWithTheFocusInItsFirstControl) {
    guitest::WindowManager wm;
    ASSERT_TRUE(wm.IsRunning());
    Connect(SimModel::BrontiselS);
    editor_.reset(new CDialogEditGlb(Dev(), 0, {}, frame_, ui_));
    CDialogEditGlb& editor = *editor_;
    const MDevDescProgram& global = *editor.Model().Global();
    const auto params = [&global] {
        std::vector<int32_t> values;
        for (int id = 0; id < P::kCount; ++id) values.push_back(global.GetParam(id));
        return values;
    };
    const std::vector<int32_t> stored = params();
    guitest::XInput input;
    std::string focusAtOpen;
    std::vector<std::string> opened, typed;
    editors_test::RunModalWith(editor, [&](guitest::Steps& steps) {
        steps.Do([&] {
            focusAtOpen = wxWindow::FindFocus() == editor.WriteButton()
                              ? "write"
                              : editors_test::Describe(wxWindow::FindFocus());
            opened = editors_test::EditTexts(editor);
            input.Type("5");
            guitest::Settle();
            typed = editors_test::EditTexts(editor);
        });
    });
    EXPECT_EQ(focusAtOpen, "write");
    EXPECT_EQ(typed, opened);
    EXPECT_EQ(params(), stored);
    EXPECT_FALSE(editor.Model().IsModified());
}

TEST_F(GlobalEditorGui, EscapeDoesNothing) {
    Connect(SimModel::Brontisel);
    CDialogEditGlb& editor = Open();
    UserSelect(On<wxChoice>(0, id::kTransposePosition), 1);
    Key(editor, WXK_ESCAPE);
    Key(*editor.Tabs(), WXK_ESCAPE);
    wxCommandEvent cancel(wxEVT_BUTTON, wxID_CANCEL);
    editor.ProcessWindowEvent(cancel);
    EXPECT_EQ(editor.EndCode(), 0);
    EXPECT_TRUE(editor.IsShown());
    EXPECT_TRUE(ui_.shown.empty());
}

TEST_F(GlobalEditorGui, EnterOnTheTabsDoesNotEndTheEditorUnasked) {
    Connect(SimModel::Brontisel);
    CDialogEditGlb& editor = Open();
    UserSelect(On<wxChoice>(0, id::kTransposePosition), 1);
    editor.Tabs()->SetFocus();
    Key(*editor.Tabs(), WXK_RETURN);
    Key(*editor.Tabs(), WXK_NUMPAD_ENTER);
    // What the framework's Enter handling raises.
    wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
    ok.SetEventObject(editor.Tabs());
    editor.Tabs()->ProcessWindowEvent(ok);
    EXPECT_EQ(editor.EndCode(), 0);
    EXPECT_TRUE(editor.IsShown());
    EXPECT_TRUE(editor.Model().IsModified());
    EXPECT_TRUE(ui_.shown.empty());
}

TEST_F(GlobalEditorGui, WindowCloseAsksAndIsRefusedOnCancel) {
    Connect(SimModel::Brontisel);
    CDialogEditGlb& editor = Open();
    UserSelect(On<wxChoice>(2, 1128), 3);
    ui_.answers = {VelkAnswer::kCancel, VelkAnswer::kNo};
    EXPECT_TRUE(WindowClose());
    EXPECT_EQ(editor.EndCode(), 0);
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Write Changes to Device Before Closing ?"});
    WindowClose();
    EXPECT_EQ(editor.EndCode(), wxID_CANCEL);
    EXPECT_FALSE(editor.IsShown());
}

TEST_F(GlobalEditorGui, WindowCloseDuringAWriteIsRefusedUnasked) {
    Connect(SimModel::Brontisel);
    CDialogEditGlb& editor = Open();
    UserSelect(On<wxChoice>(2, 1128), 3);
    {
        CVelkTransferGuard::Scope waiting(ui_.TransferGuard());
        EXPECT_TRUE(WindowClose());
    }
    EXPECT_EQ(editor.EndCode(), 0);
    EXPECT_TRUE(ui_.shown.empty());
}

TEST_F(GlobalEditorGui, TypedTextsStoreThroughTheGlobalPairs) {
    Connect(SimModel::Brontisel);
    CDialogEditGlb& editor = Open();
    MDevDescProgram& global = *editor.Model().Global();
    editors_test::UserType(On<wxTextCtrl>(0, id::kTuneEdit), "441.3");
    EXPECT_EQ(global.GetParam(P::kMasterTune), 13);
    editors_test::UserType(On<wxTextCtrl>(0, id::kTransposeEdit), "-7");
    EXPECT_EQ(global.GetParam(P::kMasterTranspose), -7);
    editors_test::UserType(On<wxTextCtrl>(0, id::kCurveEdit), "64");
    EXPECT_EQ(global.GetParam(P::kVelocityCurve), 64);
    EXPECT_EQ(global.GetParam(P::kVelocityCurveMode), 8);
    // Out of range: nothing stored, the text comes back on leaving.
    editors_test::UserType(On<wxTextCtrl>(0, id::kTuneEdit), "460.0");
    EXPECT_EQ(global.GetParam(P::kMasterTune), 13);
    editors_test::UserLeave(On<wxTextCtrl>(0, id::kTuneEdit));
    EXPECT_EQ(On<wxTextCtrl>(0, id::kTuneEdit)->GetValue(), "441.3");
    EXPECT_TRUE(editor.Model().IsModified());
}

// A global whose Master Tune lies beyond 430.0..450.0: the page shows
// 450.0 and the working global holds it, a change the editor counts.
TEST_F(GlobalEditorGui, MasterTuneBeyondItsRangeIsShownAndHeldAtTheEnd) {
    Connect(SimModel::Brontisel);
    Preset(P::kMasterTune, 120);
    CDialogEditGlb& editor = Open();
    EXPECT_EQ(On<wxTextCtrl>(0, id::kTuneEdit)->GetValue(), "450.0");
    EXPECT_EQ(editor.Model().Global()->GetParam(P::kMasterTune), 100);
    EXPECT_TRUE(editor.Model().IsModified());
    EXPECT_EQ(Dev().GetGlobal(0)->GetParam(P::kMasterTune), 120) << "the device's own global";
}

TEST_F(GlobalEditorGui, UnchangedEditorClosesWithoutQuestion) {
    Connect(SimModel::Brontisel);
    CDialogEditGlb& editor = Open();
    Click(editor.CloseButton());
    EXPECT_EQ(editor.EndCode(), wxID_CANCEL);
    EXPECT_TRUE(ui_.shown.empty());
}

TEST_F(GlobalEditorGui, WriteToDeviceWritesTheGlobalsToTheSynth) {
    for (const SimModel model : kModels) {
        SCOPED_TRACE(NameOf(model));
        Connect(model);
        CDialogEditGlb& editor = Open();
        UserSelect(On<wxChoice>(2, 1128), 8);                                // Portamento: CC #07
        UserSelect(On<wxChoice>(1, id::kClockSource), 1);                    // External
        editors_test::UserSlide(On<wxSlider>(0, id::kTransposeSlider), 24);  // +12
        Click(editor.WriteButton());
        EXPECT_EQ(ui_.confirmations.size(), 1u);
        EXPECT_TRUE(ui_.shown.empty()) << ui_.Texts().front();
        EXPECT_EQ(editor.EndCode(), wxID_OK);
        EXPECT_FALSE(editor.Model().IsModified());
        rig_->Settle();
        const auto synth = rig_->Synth().Global();
        EXPECT_EQ(synth[18], 7);
        EXPECT_EQ(synth[8] & 3, 1);
        EXPECT_EQ(synth[1], 12);
        // The confirmed write became the device's global.
        EXPECT_EQ(Dev().GetGlobal(0)->GetParam(15), 7);
        editor_.reset();
        ui_.confirmations.clear();
    }
}

TEST_F(GlobalEditorGui, NoNoticeReachesTheEditorAfterItIsDestroyed) {
    Connect(SimModel::Brontisel);
    CDialogEditGlb& editor = Open();
    MDevDescProgram* global = editor.Model().Global();
    // While the editor lives its target answers every notice.
    EXPECT_EQ(Dev().SendDevDescUpdatedProgram(), 1);
    EXPECT_TRUE(editor.Model().IsModified());
    editor_.reset();
    Pump();
    // A target still listed but gone would answer 0.
    EXPECT_EQ(Dev().SendDevDescUpdatedProgram(), 1);
    global->SetParam(P::kLocal, 1, 0);
}

TEST_F(GlobalEditorGui, FileThatDidNotLoadOpensNoEditor) {
    Connect(SimModel::Brontisel);
    const velktest::TempDir dir;
    const auto missing = dir / "glbgui-missing.glb";
    EXPECT_EQ(CDialogEditGlb::Run(Dev(), -1, missing, frame_, ui_), wxID_CANCEL);
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"ERROR: Can't Open the File"});
    EXPECT_EQ(Dev().SendDevDescUpdatedProgram(), 1);
}

TEST_F(GlobalEditorGui, WithoutAGlobalObjectOnlyCloseActs) {
    Connect(SimModel::Brontisel);
    CDialogEditGlb& editor = Open(-1, {});
    EXPECT_EQ(editor.Tabs()->GetPageCount(), 0u);
    EXPECT_FALSE(editor.SaveButton()->IsEnabled());
    EXPECT_FALSE(editor.WriteButton()->IsEnabled());
    editor.OnWriteToDevice();
    EXPECT_TRUE(ui_.confirmations.empty());
    Click(editor.CloseButton());
    EXPECT_EQ(editor.EndCode(), wxID_CANCEL);
}

TEST_F(GlobalEditorGui, SizeLimitsAreTheNaturalSizeAndAtLeast640By400) {
    Connect(SimModel::Brontisel);
    CDialogEditGlb& editor = Open();
    const wxSize natural = editor.NaturalSize();
    EXPECT_EQ(editor.GetMaxSize(), natural);
    EXPECT_EQ(editor.GetMinSize(), wxSize(std::min(natural.x, 640), std::min(natural.y, 400)));
    EXPECT_LE(editor.GetSize().x, natural.x);
    // The largest page fits the tab control at the natural size.
    editor.SetSize(natural);
    Pump();
    editor.Tabs()->SetSelection(2);
    EXPECT_FALSE(editor.ShownScroller()->Layout().vertical.shown);
    EXPECT_FALSE(editor.ShownScroller()->Layout().horizontal.shown);
    // The buttons keep to the right edge.
    const wxRect close = editor.CloseButton()->GetRect();
    EXPECT_EQ(close.GetRight() + 1, editor.GetClientSize().x - editor.Tabs()->GetPosition().x);
}

TEST_F(GlobalEditorGui, EveryPageIsLaidOutCleanly) {
    for (const SimModel model : kModels) {
        SCOPED_TRACE(NameOf(model));
        Connect(model);
        // The widest texts the edits show.
        Preset(P::kMasterTune, -100);
        Preset(P::kMasterTranspose, -12);
        Preset(P::kVelocityCurve, 127);
        CDialogEditGlb& editor = Open();
        const int pages = static_cast<int>(editor.Tabs()->GetPageCount());
        for (int n = 0; n < pages; ++n) {
            editor.Tabs()->SetSelection(n);
            Pump();
            const auto problems = CheckWindowLayout(*editor.Page(n));
            EXPECT_TRUE(problems.empty()) << n << ": " << problems.front();
            EXPECT_EQ(CheckWindowTexts(*editor.Page(n)), std::vector<std::string>{}) << n;
            const std::string name = std::string("global_editor_") +
                                     (model == SimModel::Brontisel ? "b" : "s") + "_page" + std::to_string(n);
            editors_test::SaveShot(editor, name.c_str());
        }
        editor_.reset();
    }
}

}  // namespace
