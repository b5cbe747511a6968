// The Program Editor on real windows over the simulated synth: a knob turned
// on a page reaches the synth with the live commit, Write to Device writes
// the slot, the tabs host one live page, the size limits, and what Escape,
// Enter and a window-manager close do. Pictures of every page on request.

#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/timer.h>
#include <wx/choice.h>
#include <wx/notebook.h>
#include <wx/slider.h>
#include <wx/textctrl.h>

#include <filesystem>
#include <memory>
#include <sstream>

#include "PageGuiSupport.h"
#include "tests/guitest/RealInput.h"

#include <X11/keysym.h>
#include "controls/wx/C2StateButton.h"
#include "controls/wx/CDial.h"
#include "controls/wx/CDialogScroller.h"
#include "controls/wx/CWiredPts.h"
#include "device/MDevProgramParamId.h"
#include "editors/ArpeggioPageTables.h"
#include "editors/EffectPageTables.h"
#include "editors/ProgramEditorLayout.h"
#include "editors/TimbrePageTable.h"
#include "editors/wx/CDialogEditPrg.h"
#include "editors/wx/CProgramPage.h"
#include "tests/editors/InRangeProgram.h"
#include "tests/editors/ProgramEditorRig.h"
#include "tests/guitest/WxUiLoop.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/TempDir.h"
#include "uiservices/wx/CWxUiServices.h"

namespace {

using namespace editors_test;
using namespace prgtest;
namespace Id = MDevProgramParamId;

class ProgramEditorGui : public ::testing::Test {
protected:
    // The tests count on the blank bank's programs: Single, all zero.
    ProgramEditorGui() : dev_(SimModel::Brontisel, SimBank::Blank(SimModel::Brontisel), &uiLoop_) {}

    void SetUp() override {
        ASSERT_TRUE(dev_.Connect());
        ASSERT_TRUE(dev_.ReceiveAll());
        dev_.Settle();
        for (int n = 0; n < dev_.Dev().GetProgramCount(); ++n) {
            MDevDescProgram& program = *dev_.Dev().GetProgram(n);
            PresetEveryPageIntoRange(program, [&](int id, int32_t value) { program.SetParam(id, value, 0); });
        }
        // Each pass of the write's waiting loop lets the synth answer.
        ui_.onPump = [this] { dev_.Settle(); };
        parent_ = new wxFrame(nullptr, wxID_ANY, "list", wxPoint(0, 0), wxSize(1400, 1100));
        parent_->Show();
    }
    void TearDown() override {
        if (editor_) {
            editor_->Finish();
            editor_.reset();
        }
        parent_->Destroy();
        Pump();
    }

    // wx's events and what the editor posted to the services.
    void Pump() {
        for (int i = 0; i < 5; ++i) {
            wxTheApp->ProcessPendingEvents();
            wxYield();
            ui_.RunPending();
        }
    }

    // The editor as the list makes it, not shown yet.
    CDialogEditPrg& Create(int number, const std::filesystem::path& path = {}) {
        editor_ = std::make_unique<CDialogEditPrg>(&dev_.Dev(), number, path, parent_, ui_);
        return *editor_;
    }

    CDialogEditPrg& Open(int number, const std::filesystem::path& path = {}) {
        Create(number, path);
        if (editor_->Model().HasProgram()) {
            editor_->Show();
            Pump();
        }
        return *editor_;
    }

    int NewDumps() { return dumps_.Fresh(dev_); }

    // The pages that exist anywhere in the editor.
    static int CountPages(wxWindow& window) {
        int pages = dynamic_cast<CProgramPage*>(&window) ? 1 : 0;
        for (wxWindow* child : window.GetChildren()) pages += CountPages(*child);
        return pages;
    }

    static void Click(wxWindow& button) {
        wxCommandEvent event(wxEVT_BUTTON, button.GetId());
        event.SetEventObject(&button);
        button.ProcessWindowEvent(event);
    }

    static std::vector<std::string> TabLabels(wxNotebook& book) {
        std::vector<std::string> labels;
        for (size_t i = 0; i < book.GetPageCount(); ++i) labels.emplace_back(book.GetPageText(i).utf8_str());
        return labels;
    }

    // The synth's input is routed through wx's event loop, as in the program.
    WxUiLoop uiLoop_;
    DevRig dev_;
    velktest::ScriptedUiServices ui_;
    wxFrame* parent_ = nullptr;
    // The program's own, for a test on its real boxes and timers.
    CWxUiServices wxUi_{[this] { return parent_; }};
    std::unique_ptr<CDialogEditPrg> editor_;
    DumpCounter dumps_;
};

TEST_F(ProgramEditorGui, KnobTurnedOnAPageReachesTheSynth500MsLater) {
    CDialogEditPrg& editor = Open(3);
    NewDumps();
    // The Effect page of a Single program: tab 1.
    editor.Notebook()->SetSelection(1);
    ASSERT_EQ(editor.Model().ShownKind(), PrgPageKind::Effect);
    auto* page = dynamic_cast<CProgramPage*>(editor.Page());
    ASSERT_NE(page, nullptr);
    auto* knob = page->ControlAs<CDial>(effect_page::kHighFreqKnob);
    ASSERT_NE(knob, nullptr);
    const int32_t before = editor.Model().Program()->GetParam(Id::kEqHiFreq);

    const int r = knob->GetClientSize().x / 2;
    Mouse(*knob, wxEVT_LEFT_DOWN, r, r, true);
    Mouse(*knob, wxEVT_MOTION, 2, r, true);
    Mouse(*knob, wxEVT_MOTION, 2 * r - 2, r, true);
    Mouse(*knob, wxEVT_LEFT_UP, 2 * r - 2, r, false);

    const int32_t after = editor.Model().Program()->GetParam(Id::kEqHiFreq);
    ASSERT_NE(after, before);
    EXPECT_TRUE(editor.Model().IsModified());
    EXPECT_FALSE(editor.Button(prglayout::kIdSaveToFile)->IsEnabled());
    // Nothing yet: the one-shot timer of 500 ms runs.
    EXPECT_EQ(NewDumps(), 0);
    ASSERT_TRUE(editor.Model().CommitTimer().IsRunning());
    EXPECT_EQ(ui_.LastTimer().delay, std::chrono::milliseconds(500));
    ui_.Advance(std::chrono::milliseconds(499));
    EXPECT_EQ(NewDumps(), 0);

    ui_.Advance(std::chrono::milliseconds(1));

    EXPECT_EQ(ui_.LastTimer().fired.size(), 1u);
    EXPECT_FALSE(editor.Model().CommitTimer().IsRunning());
    EXPECT_EQ(NewDumps(), 1);
    // The synth plays what the editor holds.
    EXPECT_EQ(dev_.Synth().EditBuffer(), dev_.Dev().GetEditBuffer().ToBytes());
}

// The editor opened as the list opens it, modal on a real window that the
// window manager activates: the first key typed goes where a dialog puts the
// focus, into its first control (the name), and no value changes. A drag on
// the AMP EG graph then takes the focus to the edit of the value it changed.
TEST_F(ProgramEditorGui, OpensWithTheFocusInItsFirstControlAndAGraphDragMovesIt) {
    guitest::WindowManager wm;
    ASSERT_TRUE(wm.IsRunning());
    // Envelopes that differ from the graphs' starting values.
    for (int i = 0; i < 4; ++i) {
        dev_.Dev().GetProgram(0)->SetParam(timbrepage::kTimbre1Base + 35 + i, 10 + i, 0);  // FILTER EG
        dev_.Dev().GetProgram(0)->SetParam(timbrepage::kTimbre1Base + 39 + i, 20 + i, 0);  // AMP EG
    }
    CDialogEditPrg& editor = Create(0);
    const MDevDescProgram& program = *editor.Model().Program();
    const auto params = [&program] {
        std::vector<int32_t> values;
        for (int id = 0; id < Id::kCount; ++id) values.push_back(program.GetParam(id));
        return values;
    };
    const std::vector<int32_t> stored = params();
    guitest::XInput input;
    // The pages are gone once the editor has ended.
    std::string focusAtOpen;
    std::vector<std::string> opened, typed;
    CWiredPts* graph = nullptr;
    wxTextCtrl* attackEdit = nullptr;
    int dragged = -1;
    std::string stage;  // the step of the drag under way
    std::string seen;   // what that step last saw
    const auto attackOnScreen = [&] {
        const CWiredPt& attack = graph->Model().Points()[CWiredPtsModel::kAttack];
        return graph->ClientToScreen(wxPoint(attack.x, attack.y));
    };
    // What the drag last saw, noted while the editor is open.
    const auto look = [&] {
        std::ostringstream text;
        text << "attack " << graph->GetAttack() << ", dragged point " << graph->Model().DraggedIndex()
             << ", pointer " << input.Pointer().x << "," << input.Pointer().y << ", attack point "
             << attackOnScreen().x << "," << attackOnScreen().y << ", focus in "
             << Describe(wxWindow::FindFocus());
        seen = text.str();
    };
    RunModalWith(editor, [&](guitest::Steps& steps) {
        steps.Do([&] {
            focusAtOpen =
                wxWindow::FindFocus() == editor.NameEdit() ? "name" : Describe(wxWindow::FindFocus());
            editor.NameEdit()->ChangeValue("");  // so the typed key shows
            opened = EditTexts(editor);
            input.Type("5");
            guitest::Settle();
            typed = EditTexts(editor);
        });
        // The attack point dragged to the right: only the attack changes
        // (the decay point moves along with it). The window manager may
        // still place the dialog: the button goes down only once the
        // pointer rests on the point where it is now drawn.
        steps.Do([&] {
            auto* page = dynamic_cast<CProgramPage*>(editor.Page());
            graph = page ? page->ControlAs<CWiredPts>(timbrepage::kAmpEgGraph) : nullptr;
            attackEdit = page ? page->ControlAs<wxTextCtrl>(timbrepage::kAmpEgEdits[0]) : nullptr;
            stage = "pointer on the attack point";
        });
        steps.Wait([&] {
            if (!graph || !attackEdit) return true;
            look();
            const wxPoint target = attackOnScreen();
            if (input.Pointer() != target) {
                input.MoveTo(target);
                return false;
            }
            wxPoint at;
            return wxFindWindowAtPointer(at) == graph;
        });
        steps.Do([&] {
            stage = "the attack point taken";
            if (graph) input.Press();
        });
        steps.Wait([&] {
            if (graph) look();
            return !graph || graph->Model().DraggedIndex() == CWiredPtsModel::kAttack;
        });
        steps.Do([&] {
            stage = "the attack dragged past 20";
            if (graph) input.MoveTo(attackOnScreen() + wxPoint(30, 0));
        });
        steps.Wait([&] {
            if (graph) look();
            return !graph || graph->GetAttack() > 20;
        });
        steps.Do([&] {
            stage = "the focus in the attack edit";
            input.Release();
        });
        steps.Wait([&] {
            if (graph) look();
            return !graph || wxWindow::FindFocus() == attackEdit;
        });
        steps.Do([&] {
            stage.clear();
            dragged = graph ? graph->GetAttack() : -1;
        });
    });

    EXPECT_EQ(stage, "") << "waited in vain; last seen: " << seen;
    EXPECT_EQ(focusAtOpen, "name");
    // The name edit comes first and took the key; no other edit did.
    ASSERT_FALSE(opened.empty());
    const std::string name = "#" + std::to_string(prglayout::kIdName) + " ";
    EXPECT_EQ(opened.front(), name);
    opened.front() += "5";
    EXPECT_EQ(typed, opened);
    ASSERT_NE(graph, nullptr);
    EXPECT_GT(dragged, 20);
    std::vector<int32_t> expected = stored;
    expected[timbrepage::kTimbre1Base + 39] = dragged;  // AMP EG attack
    EXPECT_EQ(params(), expected);
}

TEST_F(ProgramEditorGui, WriteToDeviceWritesTheSlotAndEndsOk) {
    CDialogEditPrg& editor = Open(17);
    UserType(editor.NameEdit(), "Written Name");
    ASSERT_TRUE(editor.Button(prglayout::kIdWriteToDevice)->IsEnabled());

    Click(*editor.Button(prglayout::kIdWriteToDevice));

    EXPECT_EQ(OfferedSlots(ui_), std::vector<int>{17});
    EXPECT_TRUE(ui_.shown.empty());
    EXPECT_EQ(editor.GetReturnCode(), wxID_OK);
    EXPECT_FALSE(editor.IsShown());
    const SimProgramRecord slot = dev_.Synth().Program(17);
    EXPECT_EQ(std::string(slot.begin(), slot.begin() + 12), "Written Name");
    EXPECT_EQ(*dev_.Dev().GetProgramName(17), "Written Name");
}

TEST_F(ProgramEditorGui, CloseWithAPendingCommitSendsNothing) {
    CDialogEditPrg& editor = Open(4);
    NewDumps();
    auto* page = dynamic_cast<CProgramPage*>(editor.Page());
    ASSERT_NE(page, nullptr);
    // A slider of the Timbre 1 page moved: the commit is pending.
    wxSlider* slider = nullptr;
    for (wxWindow* child : page->GetChildren())
        if ((slider = dynamic_cast<wxSlider*>(child)) && slider->IsEnabled()) break;
    ASSERT_NE(slider, nullptr);
    UserSlide(slider, slider->GetValue() == slider->GetMax() ? slider->GetMin() : slider->GetMax());
    ASSERT_TRUE(editor.Model().CommitTimer().IsRunning());
    ui_.answers = {VelkAnswer::kNo};

    Click(*editor.Button(prglayout::kIdClose));
    editor.Finish();

    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Write Changes to Device Before Closing ?"});
    EXPECT_EQ(editor.GetReturnCode(), wxID_CANCEL);
    EXPECT_FALSE(editor.Model().CommitTimer().IsRunning());
    EXPECT_EQ(NewDumps(), 0);
}

// The real Close question, a modal box on the screen without an icon, stays
// up for a second with a change pending: nothing is sent meanwhile. Escape answers Cancel,
// the user keeps editing, and the change then goes out as the live commit.
TEST_F(ProgramEditorGui, NoCommitGoesOutWhileTheRealCloseBoxIsUp) {
    // The program's own services: the real box, the real commit timer.
    editor_ = std::make_unique<CDialogEditPrg>(&dev_.Dev(), 4, std::filesystem::path(), parent_, wxUi_);
    CDialogEditPrg& editor = *editor_;
    editor.Show();
    Pump();
    NewDumps();
    auto* page = dynamic_cast<CProgramPage*>(editor.Page());
    ASSERT_NE(page, nullptr);
    wxSlider* slider = nullptr;
    for (wxWindow* child : page->GetChildren())
        if ((slider = dynamic_cast<wxSlider*>(child)) && slider->IsEnabled()) break;
    ASSERT_NE(slider, nullptr);
    UserSlide(slider, slider->GetValue() == slider->GetMax() ? slider->GetMin() : slider->GetMax());
    ASSERT_TRUE(editor.Model().CommitTimer().IsRunning());

    // Which message boxes are up (every modal dialog passes the hook).
    class BoxWatch final : public wxModalDialogHook {
    public:
        int up = 0;
        long icon = -1;
        int Enter(wxDialog* dialog) override {
            if (auto* box = dynamic_cast<wxMessageDialog*>(dialog)) {
                ++up;
                icon = box->GetEffectiveIcon();
            }
            return wxID_NONE;
        }
        void Exit(wxDialog* dialog) override {
            if (dynamic_cast<wxMessageDialog*>(dialog) != nullptr) --up;
        }
    } boxes;
    boxes.Register();
    // What happens while the box is up runs from a timer inside its loop.
    guitest::XInput input;
    int boxesUp = 0;
    int dumpsWhileUp = -1;
    const auto clicked = std::chrono::steady_clock::now();
    wxTimer watch;
    watch.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (std::chrono::steady_clock::now() - clicked < std::chrono::milliseconds(1200)) return;
        watch.Stop();
        boxesUp = boxes.up;
        dumpsWhileUp = NewDumps();
        input.Tap(XK_Escape);
    });
    watch.Start(50);
    input.ClickOn(*editor.Button(prglayout::kIdClose));
    ASSERT_TRUE(guitest::Until([&] { return dumpsWhileUp >= 0; }));
    boxes.Unregister();
    EXPECT_EQ(boxesUp, 1);
    EXPECT_EQ(boxes.icon, wxICON_NONE) << "the close question carries no icon";
    EXPECT_EQ(dumpsWhileUp, 0);
    // Cancel: the editor stays open and the change goes out.
    ASSERT_TRUE(guitest::Until([&] { return NewDumps() == 1; }, std::chrono::seconds(5)));
    EXPECT_TRUE(editor.IsShown());
}

TEST_F(ProgramEditorGui, FileProgramSavesThroughItsButton) {
    const velktest::TempDir dir;
    const auto path = dir / "program_editor_gui.prg";
    ASSERT_EQ(dev_.Dev().SaveProgramFile(2, path), 0);
    CDialogEditPrg& editor = Open(-1, path);
    EXPECT_EQ(std::string(editor.GetTitle().utf8_str()), "Program Editor - \"" + path.string() + "\"");
    wxButton* save = editor.Button(prglayout::kIdSaveToFile);
    EXPECT_FALSE(save->IsEnabled());
    UserType(editor.NameEdit(), "Saved");
    ASSERT_TRUE(save->IsEnabled());

    Click(*save);

    EXPECT_EQ(editor.GetReturnCode(), wxID_OK);
    EXPECT_FALSE(save->IsEnabled());
    EXPECT_TRUE(ui_.shown.empty());
    editor.Finish();
    ASSERT_NE(dev_.Dev().LoadProgramFileToEdit(path), nullptr);
    EXPECT_EQ(dev_.Dev().GetEditBuffer().GetName(), "Saved");
}

TEST_F(ProgramEditorGui, NameEditKeepsTwelvePrintableCharacters) {
    CDialogEditPrg& editor = Open(1);
    UserType(editor.NameEdit(),
             "Gr\xC3\xBC\xC3\x9F"
             "e and more text");
    EXPECT_EQ(std::string(editor.NameEdit()->GetValue().utf8_str()), "Gre and more");
    EXPECT_EQ(editor.Model().Program()->GetName(), "Gre and more");
}

TEST_F(ProgramEditorGui, SizeStaysBetweenTheMinimumAndTheNaturalSize) {
    CDialogEditPrg& editor = Open(0);
    const wxSize natural = editor.NaturalSize();
    EXPECT_GT(natural.x, 640);
    EXPECT_GT(natural.y, 400);
    EXPECT_EQ(editor.GetMaxSize(), natural);
    // At least 640 x 400, and wide enough for the top row.
    const wxSize least = editor.GetMinSize();
    EXPECT_GE(least.x, 640);
    EXPECT_LT(least.x, natural.x);
    EXPECT_EQ(least.y, 400);
    const wxRect screen = wxGetClientDisplayRect();
    EXPECT_EQ(editor.GetSize().x, std::max(std::min(natural.x, screen.width), 640));
    EXPECT_EQ(editor.GetSize().y, std::max(std::min(natural.y, screen.height), 400));

    // Neither larger than the natural size nor smaller than the least.
    editor.SetSize(natural.x + 200, natural.y + 200);
    Pump();
    EXPECT_EQ(editor.GetSize(), natural);
    editor.SetSize(300, 200);
    Pump();
    EXPECT_EQ(editor.GetSize(), least);
    SaveShot(editor, "program_editor_smallest");

    // Shrunk: the page scrolls, Close keeps its margin from the right edge.
    wxButton* close = editor.Button(prglayout::kIdClose);
    EXPECT_EQ(close->GetRect().GetRight() + 1, editor.GetClientSize().x);
    EXPECT_EQ(editor.Notebook()->GetRect().GetRight() + 1, editor.GetClientSize().x);
    EXPECT_TRUE(editor.ShownScroller()->VerticalBar()->IsShown());
    const int gap = close->GetPosition().x - editor.Button(prglayout::kIdWriteToDevice)->GetRect().GetRight();
    EXPECT_GT(gap, 0);
    EXPECT_EQ(CheckWindowLayout(editor), std::vector<std::string>{});
}

// A page built afresh on a tab change is drawn once. The GTK theme's
// transitions, set off by the new controls' first style update, redrew the
// whole page on every frame for some 200 ms (about six times), which made
// a Timbre page take some 0.3 s to finish drawing.
TEST_F(ProgramEditorGui, APageChosenByItsTabIsDrawnOnce) {
    CDialogEditPrg& editor = Open(3);
    wxNotebook& book = *editor.Notebook();
    for (const int tab : {1, 0, 2}) {
        book.SetSelection(static_cast<size_t>(tab));
        wxWindow* page = editor.Page();
        ASSERT_NE(page, nullptr);
        int paints = 0;
        page->Bind(wxEVT_PAINT, [&paints](wxPaintEvent& event) {
            ++paints;
            event.Skip();
        });
        // Well past the theme's transitions.
        guitest::Until([] { return false; }, std::chrono::milliseconds(800));
        EXPECT_GE(paints, 1) << "tab " << tab;
        EXPECT_LE(paints, 2) << "tab " << tab << ": drawn again and again";
    }
}

// Each page of the voice mode's tabs is built when the editor opens and lies
// in its own tab's viewport; a tab change builds none. A voice mode change
// keeps the pages it still has a tab for and builds the new ones.
TEST_F(ProgramEditorGui, EachPageIsBuiltOnceInItsOwnTabsViewport) {
    dev_.Dev().GetProgram(5)->SetParam(Id::kVoiceMode, 2, 0);
    CDialogEditPrg& editor = Open(5);
    wxNotebook& book = *editor.Notebook();
    EXPECT_EQ(TabLabels(book), (std::vector<std::string>{"Timbre 1", "Timbre 2", "Effect", "Arpeggio"}));
    EXPECT_EQ(CountPages(editor), 4);
    const PrgPageKind kinds[] = {PrgPageKind::Timbre1, PrgPageKind::Timbre2, PrgPageKind::Effect,
                                 PrgPageKind::Arpeggio};
    std::vector<wxWindow*> built;
    for (const PrgPageKind kind : kinds) built.push_back(editor.PageOf(kind));
    for (int tab : {1, 3, 2, 0}) {
        book.SetSelection(static_cast<size_t>(tab));
        Pump();
        EXPECT_EQ(editor.Model().CurrentTab(), tab);
        EXPECT_EQ(editor.Page(), built[static_cast<size_t>(tab)]) << "tab " << tab;
        EXPECT_EQ(editor.Page()->GetParent(), editor.ShownScroller()->Viewport());
        EXPECT_EQ(editor.Page()->GetParent()->GetParent(), book.GetPage(static_cast<size_t>(tab)));
        EXPECT_TRUE(editor.Page()->IsShownOnScreen());
    }
    EXPECT_EQ(CountPages(editor), 4);
    // Layer with Effect shown -> Vocoder: Effect stays, at index 1; the
    // notebook's own change events while the tabs are rebuilt change nothing.
    book.SetSelection(2);
    editor.VoiceModeList()->SetSelection(2);
    RaiseCommand(*editor.VoiceModeList(), wxEVT_CHOICE, 2);
    Pump();
    EXPECT_EQ(TabLabels(book), (std::vector<std::string>{"Vocoder", "Effect", "Arpeggio"}));
    EXPECT_EQ(book.GetSelection(), 1);
    EXPECT_EQ(editor.Model().CurrentTab(), 1);
    EXPECT_EQ(editor.Model().ShownKind(), PrgPageKind::Effect);
    EXPECT_EQ(editor.Page(), built[2]);
    EXPECT_EQ(editor.PageOf(PrgPageKind::Timbre1), built[0]);
    EXPECT_EQ(CountPages(editor), 5);
    EXPECT_EQ(editor.Model().Program()->GetParam(Id::kVoiceMode), 3);
    // At its natural size the editor shows the Vocoder page, the largest,
    // without scrolling.
    book.SetSelection(0);
    editor.SetSize(editor.NaturalSize());
    Pump();
    ASSERT_EQ(editor.Page(), editor.PageOf(PrgPageKind::Vocoder));
    EXPECT_EQ(editor.Page()->GetParent()->GetParent(), book.GetPage(0));
    EXPECT_FALSE(editor.ShownScroller()->VerticalBar()->IsShown());
    EXPECT_FALSE(editor.ShownScroller()->HorizontalBar()->IsShown());
}

// Tabs chosen with real clicks: the page that comes back is the one the
// editor built when it opened (a page built afresh on every tab change took
// 43-65 ms before it was drawn), and it shows what the program holds by
// then: a voice mode picked in the top row while the Arpeggio page was
// hidden sets its "Target Timbre" as it should, and a value the program got
// meanwhile shows.
TEST_F(ProgramEditorGui, APageChosenAgainIsTheOneBuiltAtOpenWithTheProgramsValues) {
    using guitest::Until;
    dev_.Dev().GetProgram(5)->SetParam(Id::kVoiceMode, 2, 0);
    CDialogEditPrg& editor = Open(5);
    wxNotebook& book = *editor.Notebook();
    guitest::XInput input;
    ASSERT_TRUE(UntilOnScreen(book));
    ASSERT_TRUE(ClickTab(input, book, 3));
    auto* arpeggio = dynamic_cast<CProgramPage*>(editor.Page());
    ASSERT_NE(arpeggio, nullptr);
    arpeggio->SetName("built at open");
    EXPECT_TRUE(arpeggio->Control(arpeggio_page::kTargetTimbre)->IsEnabled());

    ASSERT_TRUE(ClickTab(input, book, 0));
    editor.Model().Program()->SetParam(Id::kArpType, 2, 0);  // "Alternate1"
    // "Single", the item above "Layer".
    wxChoice& voiceMode = *editor.VoiceModeList();
    ASSERT_TRUE(UntilOnScreen(voiceMode));
    input.ClickOn(voiceMode);
    ASSERT_TRUE(Until([] { return guitest::ShownMenuCount() > 0; }));
    input.Tap(XK_Up);
    input.Tap(XK_Return);
    ASSERT_TRUE(Until([&] { return voiceMode.GetSelection() == 0; }));
    EXPECT_EQ(TabLabels(book), (std::vector<std::string>{"Timbre 1", "Effect", "Arpeggio"}));

    ASSERT_TRUE(ClickTab(input, book, 2));
    ASSERT_EQ(editor.Model().ShownKind(), PrgPageKind::Arpeggio);
    auto* shown = dynamic_cast<CProgramPage*>(editor.Page());
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->GetName().utf8_string(), "built at open");
    EXPECT_FALSE(shown->Control(arpeggio_page::kTargetTimbre)->IsEnabled());
    EXPECT_FALSE(shown->Control(arpeggio_page::kTargetTimbreLabel)->IsEnabled());
    EXPECT_EQ(shown->ControlAs<wxChoice>(arpeggio_page::kType)->GetSelection(), 2);
}

TEST_F(ProgramEditorGui, ArpeggiatorReportReachesTheArpeggioPageOnlyWhileOpen) {
    CDialogEditPrg& editor = Open(0);
    editor.Notebook()->SetSelection(2);
    ASSERT_EQ(editor.Model().ShownKind(), PrgPageKind::Arpeggio);
    auto* page = dynamic_cast<CProgramPage*>(editor.Page());
    ASSERT_NE(page, nullptr);
    auto* onOff = page->ControlAs<C2StateButton>(arpeggio_page::kOnOff);
    ASSERT_NE(onOff, nullptr);
    editor.Model().Program()->SetParam(Id::kArpOnOff, 0, 0);
    const int stateOff = onOff->State();

    dev_.Synth().SendNrpn(0x02, 127);
    dev_.Settle();
    Pump();

    EXPECT_EQ(editor.Model().Program()->GetParam(Id::kArpOnOff), 1);
    EXPECT_NE(onOff->State(), stateOff);
    EXPECT_TRUE(editor.Model().IsModified());
    EXPECT_FALSE(editor.Model().CommitTimer().IsRunning());

    // A report that came in just before the editor finished, still queued
    // for the event loop then, is dropped.
    dev_.Synth().SendNrpn(0x02, 0);
    dev_.Arrive();
    editor.Finish();
    Pump();
    EXPECT_EQ(editor.Model().Program()->GetParam(Id::kArpOnOff), 1);
    EXPECT_EQ(editor.Page(), nullptr);
}

TEST_F(ProgramEditorGui, EscapeEnterAndOkCancelCommandsDoNothing) {
    CDialogEditPrg& editor = Open(0);
    for (const int key : {WXK_ESCAPE, WXK_RETURN}) {
        wxKeyEvent press(wxEVT_CHAR_HOOK);
        press.m_keyCode = key;
        press.SetEventObject(editor.NameEdit());
        editor.NameEdit()->ProcessWindowEvent(press);
    }
    for (const int id : {wxID_OK, wxID_CANCEL}) {
        wxCommandEvent command(wxEVT_BUTTON, id);
        command.SetEventObject(&editor);
        editor.ProcessWindowEvent(command);
    }
    Pump();
    EXPECT_TRUE(editor.IsShown());
    EXPECT_TRUE(ui_.shown.empty());
}

TEST_F(ProgramEditorGui, WindowManagerCloseAsksTheCloseQuestion) {
    CDialogEditPrg& editor = Open(0);
    UserType(editor.NameEdit(), "Changed");
    ui_.answers = {VelkAnswer::kCancel, VelkAnswer::kNo};

    EXPECT_FALSE(editor.Close(false));
    Pump();
    EXPECT_TRUE(editor.IsShown());
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"Write Changes to Device Before Closing ?"});

    editor.Close(false);
    Pump();
    EXPECT_FALSE(editor.IsShown());
    EXPECT_EQ(editor.GetReturnCode(), wxID_CANCEL);
}

TEST_F(ProgramEditorGui, FileThatDidNotLoadOpensNoEditor) {
    const velktest::TempDir dir;
    const auto missing = dir / "no-such-program.prg";
    CDialogEditPrg& editor = Open(-1, missing);
    EXPECT_EQ(editor.ShowModal(), wxID_CANCEL);
    EXPECT_FALSE(editor.IsShown());
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"ERROR: Can't Open the File"});
    EXPECT_EQ(editor.Notebook()->GetPageCount(), 0u);
    EXPECT_EQ(editor.Page(), nullptr);
    EXPECT_FALSE(editor.Model().IsRegistered());
}

// Pictures of the editor with every page of every voice mode.
TEST_F(ProgramEditorGui, PicturesOfEveryPage) {
    struct Mode {
        int32_t stored;
        const char* name;
    };
    for (const Mode& mode : {Mode{0, "single"}, Mode{2, "layer"}, Mode{3, "vocoder"}}) {
        dev_.Dev().GetProgram(8)->SetParam(Id::kVoiceMode, mode.stored, 0);
        CDialogEditPrg& editor = Open(8);
        for (size_t tab = 0; tab < editor.Notebook()->GetPageCount(); ++tab) {
            editor.Notebook()->SetSelection(tab);
            Pump();
            EXPECT_EQ(CheckWindowLayout(*editor.Page()), std::vector<std::string>{});
            const std::string label(editor.Notebook()->GetPageText(tab).utf8_str());
            std::string name = std::string("program_editor_") + mode.name + "_" + label;
            for (char& c : name)
                if (c == ' ') c = '_';
            SaveShot(editor, name.c_str());
        }
        editor.Finish();
        editor_.reset();
    }
}

}  // namespace
