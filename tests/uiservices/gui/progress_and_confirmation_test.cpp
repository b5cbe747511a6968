// The user-interface services on real windows: the progress box cannot be
// closed and disables the other windows, and the waiting loop's pumping
// paints it; boxes open over the innermost modal dialog, else the main
// window; a pass of the event loop runs what was posted, also from another
// thread as it arrives; a timer fires once. The write confirmation without
// slots keeps its target controls off, its spin covers the slots and OK
// stores the one chosen.
#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/frame.h>
#include <wx/spinbutt.h>
#include <wx/stattext.h>

#include <chrono>
#include <thread>

#include "tests/device/DevRig.h"
#include "tests/guitest/WindowTest.h"
#include "tests/guitest/WhenModal.h"
#include "tests/support/FakeWaitTarget.h"
#include "uiservices/VelkWaitLoop.h"
#include "uiservices/wx/CDialogAnimate.h"
#include "uiservices/wx/CDialogOverwrite.h"
#include "uiservices/wx/CWxUiServices.h"

namespace {

using namespace std::chrono_literals;

using guitest::WindowTest;

std::string LabelOf(wxDialog& dialog, int id) { return dialog.FindWindow(id)->GetLabel().utf8_string(); }

using ProgressBox = WindowTest;

TEST_F(ProgressBox, RefusesCloseAndEscapeAndDisablesEveryOtherWindow) {
    auto* editor = new wxFrame(frame_, wxID_ANY, "editor");
    editor->Show();
    CDialogAnimate box(frame_);
    box.Show("");
    wxDialog* dialog = box.GetDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->GetTitle(), "MIDI Transfering ...");
    EXPECT_FALSE(dialog->HasFlag(wxCLOSE_BOX));
    EXPECT_FALSE(frame_->IsEnabled());
    EXPECT_FALSE(editor->IsEnabled());

    EXPECT_FALSE(dialog->Close());  // what a window manager's close does
    wxKeyEvent escape(wxEVT_CHAR_HOOK);
    escape.m_keyCode = WXK_ESCAPE;
    dialog->ProcessWindowEvent(escape);
    EXPECT_EQ(dialog->GetEscapeId(), wxID_NONE);
    EXPECT_TRUE(dialog->IsShown());

    box.Close();
    EXPECT_EQ(box.GetDialog(), nullptr);
    EXPECT_TRUE(frame_->IsEnabled());
    EXPECT_TRUE(editor->IsEnabled());
}

TEST_F(ProgressBox, CaptionReplacesTitleAndBoxCanBeShownAgain) {
    CWxUiServices ui([this] { return frame_; });
    ui.ShowProgress("Receiving");
    ASSERT_NE(ui.GetProgressBox(), nullptr);
    EXPECT_EQ(ui.GetProgressBox()->GetTitle(), "Receiving");
    ui.ShowProgress("");
    EXPECT_EQ(ui.GetProgressBox()->GetTitle(), "MIDI Transfering ...") << "a shown box takes the new title";
    ui.CloseProgress();
    EXPECT_EQ(ui.GetProgressBox(), nullptr);
    {
        CVelkProgressScope scope(ui, "MIDI Transfering ...");
        EXPECT_FALSE(frame_->IsEnabled());
    }
    EXPECT_EQ(ui.GetProgressBox(), nullptr);
    EXPECT_TRUE(frame_->IsEnabled());
}

// The document and an open editor share the services: what they show goes
// over the editor while it runs modally, over the main window otherwise.
TEST_F(ProgressBox, BoxesOpenOverTheInnermostModalDialogElseTheMainWindow) {
    CWxUiServices ui([this] { return frame_; });
    EXPECT_EQ(ui.BoxParent(), frame_);
    ui.ShowProgress("");
    EXPECT_EQ(ui.GetProgressBox()->GetParent(), frame_);
    ui.CloseProgress();

    auto* editor = new wxDialog(frame_, wxID_ANY, "editor");
    wxWindow* parentInside = nullptr;
    wxWindow* boxParentInside = nullptr;
    guitest::WhenModal([&](wxDialog& dialog) {
        parentInside = ui.BoxParent();
        ui.ShowProgress("");
        boxParentInside = ui.GetProgressBox()->GetParent();
        ui.CloseProgress();
        dialog.EndModal(wxID_CANCEL);
    });
    editor->ShowModal();
    EXPECT_EQ(parentInside, editor);
    EXPECT_EQ(boxParentInside, editor);
    EXPECT_EQ(ui.BoxParent(), frame_) << "the editor is no longer modal";
    editor->Destroy();
}

TEST(WxUiServices, PassRunsWhatWasPosted) {
    CWxUiServices ui([] { return nullptr; });
    int calls = 0;
    ui.Post([&] { ++calls; });
    ui.PumpFor(5ms);
    EXPECT_EQ(calls, 1);
}

// The input routing is posted from the MIDI thread: it runs on the pumping
// thread within the pass it was posted in (wx runs it by the pass's end),
// and the pass still lasts its budget.
TEST(WxUiServices, WhatAnotherThreadPostsRunsOnThePumpingThreadWithinThePass) {
    CWxUiServices ui([] { return nullptr; });
    std::thread::id ranOn;
    std::chrono::steady_clock::time_point ranAt{};
    std::thread poster([&] {
        std::this_thread::sleep_for(20ms);
        ui.Post([&] {
            ranOn = std::this_thread::get_id();
            ranAt = std::chrono::steady_clock::now();
        });
    });
    const auto start = std::chrono::steady_clock::now();
    ui.PumpFor(300ms);
    const auto end = std::chrono::steady_clock::now();
    poster.join();

    EXPECT_EQ(ranOn, std::this_thread::get_id());
    EXPECT_GT(ranAt, start);
    EXPECT_LE(ranAt, end) << "left to a later pass";
    EXPECT_GE(end - start, 300ms);
}

// One shot: a start while it runs starts it again from then, and it fires
// once.
TEST(WxUiServices, TimerFiresOnceAndARestartCountsFromThen) {
    CWxUiServices ui([] { return nullptr; });
    std::vector<std::chrono::steady_clock::time_point> fired;
    const auto timer = ui.CreateTimer([&] { fired.push_back(std::chrono::steady_clock::now()); });
    const auto start = std::chrono::steady_clock::now();
    timer->Start(150ms);
    EXPECT_TRUE(timer->IsRunning());
    ui.PumpFor(75ms);
    const auto restarted = std::chrono::steady_clock::now();
    timer->Start(150ms);
    ui.PumpFor(600ms);
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_GE(fired[0] - restarted, 150ms - 5ms) << "the restart counts from then";
    EXPECT_GE(fired[0] - start, 225ms - 5ms);
    EXPECT_FALSE(timer->IsRunning());

    timer->Start(50ms);
    timer->Stop();
    ui.PumpFor(200ms);
    EXPECT_EQ(fired.size(), 1u) << "a stopped timer does not fire";
}

// A progress box is shown right before a wait: the wait's own pumping must
// get it painted, since no main loop runs meanwhile.
TEST_F(ProgressBox, BoxShownBeforeWaitIsPaintedDuringIt) {
    CWxUiServices ui([this] { return frame_; });
    ui.ShowProgress("");
    int paints = 0;
    ui.GetProgressBox()->Bind(wxEVT_PAINT, [&](wxPaintEvent& event) {
        ++paints;
        event.Skip();
    });
    velktest::FakeWaitTarget target;
    CVelkWaitLoop loop(ui);
    // Bounded (30 s, generous for a loaded machine): ends as soon as the box
    // was painted.
    EXPECT_TRUE(loop.Run({3000, 10ms}, target, [&] { return paints > 0; }));
    ui.CloseProgress();
}

using OverwriteDialog = WindowTest;

TEST_F(OverwriteDialog, DeviceWithoutProgramsKeepsTargetControlsDisabled) {
    midiport::LoopbackMidiBackend backend;
    MDevConfig config(backend);
    const MDevDesc device(config);  // no programs: no spin range to set
    int target = 4;
    auto* dialog = new CDialogOverwrite("Overwrite the Device Program with \"x.prg\" ?", &target, &device,
                                        CDialogOverwriteModel::kProgram, frame_);
    dialog->Show();
    EXPECT_EQ(dialog->GetTitle(), "Write to Device ...");
    EXPECT_EQ(LabelOf(*dialog, CDialogOverwrite::kIdCaption),
              "Overwrite the Device Program with \"x.prg\" ?");
    for (int id : {CDialogOverwrite::kIdTargetLabel, CDialogOverwrite::kIdTargetNumber,
                   CDialogOverwrite::kIdTargetSpin})
        EXPECT_FALSE(dialog->FindWindow(id)->IsEnabled()) << id;
    EXPECT_EQ(LabelOf(*dialog, CDialogOverwrite::kIdTargetNumber), "-");
    Click(*dialog, wxID_OK);
    EXPECT_EQ(dialog->GetReturnCode(), wxID_OK);
    EXPECT_EQ(target, 4);
    dialog->Destroy();
}

TEST_F(OverwriteDialog, SpinToLastSlotOfBrontiselSAndOkStoresIt) {
    DevRig rig(SimModel::BrontiselS);
    ASSERT_TRUE(rig.Connect());
    int target = -1;
    auto* dialog = new CDialogOverwrite("c", &target, &rig.Dev(), CDialogOverwriteModel::kProgram, frame_);
    dialog->Show();
    auto* spin = wxDynamicCast(dialog->FindWindow(CDialogOverwrite::kIdTargetSpin), wxSpinButton);
    ASSERT_NE(spin, nullptr);
    EXPECT_TRUE(spin->IsEnabled());
    EXPECT_EQ(spin->GetMin(), 0);
    EXPECT_EQ(spin->GetMax(), 255);
    EXPECT_EQ(LabelOf(*dialog, CDialogOverwrite::kIdTargetNumber), rig.Dev().FormatProgramNumber(0).value());

    spin->SetValue(255);
    wxSpinEvent moved(wxEVT_SPIN, CDialogOverwrite::kIdTargetSpin);
    moved.SetPosition(255);
    moved.SetEventObject(spin);
    spin->ProcessWindowEvent(moved);
    EXPECT_EQ(LabelOf(*dialog, CDialogOverwrite::kIdTargetNumber),
              rig.Dev().FormatProgramNumber(255).value());

    Click(*dialog, wxID_OK);
    EXPECT_EQ(target, 255);
    dialog->Destroy();
}

TEST_F(OverwriteDialog, CancelStoresNothing) {
    DevRig rig(SimModel::Brontisel);
    ASSERT_TRUE(rig.Connect());
    int target = 3;
    auto* dialog = new CDialogOverwrite("c", &target, &rig.Dev(), CDialogOverwriteModel::kProgram, frame_);
    dialog->Show();
    Click(*dialog, wxID_CANCEL);
    EXPECT_EQ(target, 3);
    dialog->Destroy();
}

// The services' confirmation is this dialog, modal over the front window:
// OK answers true with the slot chosen in the target, Cancel false.
TEST_F(OverwriteDialog, ConfirmWriteRunsItOverTheFrontWindow) {
    DevRig rig(SimModel::Brontisel);
    ASSERT_TRUE(rig.Connect());
    CWxUiServices ui([this] { return frame_; });
    for (const int answer : {wxID_OK, wxID_CANCEL}) {
        int target = 3;
        wxWindow* parent = nullptr;
        std::string caption;
        guitest::WhenModal([&](wxDialog& dialog) {
            parent = dialog.GetParent();
            caption = LabelOf(dialog, CDialogOverwrite::kIdCaption);
            wxSpinEvent moved(wxEVT_SPIN, CDialogOverwrite::kIdTargetSpin);
            moved.SetPosition(5);
            moved.SetEventObject(dialog.FindWindow(CDialogOverwrite::kIdTargetSpin));
            dialog.FindWindow(CDialogOverwrite::kIdTargetSpin)->ProcessWindowEvent(moved);
            Click(dialog, answer);
        });
        const bool ok =
            ui.ConfirmWrite("Write to Device ?", &target, &rig.Dev(), CDialogOverwriteModel::kProgram);
        EXPECT_EQ(ok, answer == wxID_OK);
        EXPECT_EQ(target, answer == wxID_OK ? 5 : 3);
        EXPECT_EQ(parent, frame_);
        EXPECT_EQ(caption, "Write to Device ?");
    }
}

}  // namespace
