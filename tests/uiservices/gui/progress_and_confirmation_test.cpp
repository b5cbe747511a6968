// The progress box and the write confirmation on real windows: the box
// cannot be closed and disables the other windows, and the waiting loop's
// pumping paints it; the confirmation without slots keeps its target
// controls off, its spin covers the slots and OK stores the one chosen.
#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/frame.h>
#include <wx/spinbutt.h>
#include <wx/stattext.h>

#include "uiservices/VelkClock.h"
#include "uiservices/wx/CDialogAnimate.h"
#include "uiservices/wx/CDialogOverwrite.h"
#include "uiservices/wx/CWxEventPump.h"
#include "tests/device/DevRig.h"
#include "tests/librarian/VelkTestSeams.h"

namespace {

// A shown main window, destroyed with whatever it owns at the end.
class WindowTest : public ::testing::Test {
protected:
    WindowTest() {
        frame_ = new wxFrame(nullptr, wxID_ANY, "main");
        frame_->Show();
    }
    ~WindowTest() override { frame_->Destroy(); }

    static void Click(wxDialog& dialog, int id) {
        wxWindow* button = dialog.FindWindow(id);
        ASSERT_NE(button, nullptr);
        wxCommandEvent click(wxEVT_BUTTON, id);
        click.SetEventObject(button);
        button->ProcessWindowEvent(click);
    }

    wxFrame* frame_;
};

std::string LabelOf(wxDialog& dialog, int id) {
    return dialog.FindWindow(id)->GetLabel().utf8_string();
}

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
    CDialogAnimate box(frame_);
    box.Show("Receiving");
    EXPECT_EQ(box.GetDialog()->GetTitle(), "Receiving");
    box.Close();
    {
        CVelkProgressScope scope(box, "MIDI Transfering ...");
        EXPECT_FALSE(frame_->IsEnabled());
    }
    EXPECT_EQ(box.GetDialog(), nullptr);
    EXPECT_TRUE(frame_->IsEnabled());
}

TEST(EventPump, RunsQueuedCallsWithinOnePass) {
    CSteadyClock clock;
    CWxEventPump pump(clock);
    int calls = 0;
    wxTheApp->CallAfter([&] { ++calls; });
    pump.PumpFor(std::chrono::milliseconds(5));
    EXPECT_EQ(calls, 1);
}

// A progress box is shown right before a wait: the wait's own pumping must
// get it painted, since no main loop runs meanwhile.
TEST_F(ProgressBox, BoxShownBeforeWaitIsPaintedDuringIt) {
    CDialogAnimate box(frame_);
    box.Show("");
    int paints = 0;
    box.GetDialog()->Bind(wxEVT_PAINT, [&](wxPaintEvent& event) {
        ++paints;
        event.Skip();
    });
    CSteadyClock clock;
    CWxEventPump pump(clock);
    velktest::FakeWaitTarget target;
    CVelkTransferGuard guard;
    CVelkWaitLoop loop(pump, guard);
    // Bounded (30 s, generous for a loaded machine): ends as soon as the box
    // was painted.
    EXPECT_TRUE(loop.Run({3000, std::chrono::milliseconds(10)}, target, [&] { return paints > 0; }));
    box.Close();
}

using OverwriteDialog = WindowTest;

TEST_F(OverwriteDialog, DeviceWithoutProgramsKeepsTargetControlsDisabled) {
    midiport::LoopbackMidiBackend backend;
    MDevConfig config(backend);
    const MDevDesc device(config);  // no programs: no spin range to set
    int target = 4;
    auto* dialog = new CDialogOverwrite("Overwrite the Device Program with \"x.prg\" ?", &target,
                                        &device, CDialogOverwriteModel::kProgram, frame_);
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
    auto* dialog = new CDialogOverwrite("c", &target, &rig.Dev(), CDialogOverwriteModel::kProgram,
                                        frame_);
    dialog->Show();
    auto* spin = wxDynamicCast(dialog->FindWindow(CDialogOverwrite::kIdTargetSpin), wxSpinButton);
    ASSERT_NE(spin, nullptr);
    EXPECT_TRUE(spin->IsEnabled());
    EXPECT_EQ(spin->GetMin(), 0);
    EXPECT_EQ(spin->GetMax(), 255);
    EXPECT_EQ(LabelOf(*dialog, CDialogOverwrite::kIdTargetNumber),
              rig.Dev().FormatProgramNumber(0).value());

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
    auto* dialog = new CDialogOverwrite("c", &target, &rig.Dev(), CDialogOverwriteModel::kProgram,
                                        frame_);
    dialog->Show();
    Click(*dialog, wxID_CANCEL);
    EXPECT_EQ(target, 3);
    dialog->Destroy();
}

}  // namespace
