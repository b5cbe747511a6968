// The transfer dialogs on real windows: the progress box cannot be closed
// and disables the other windows, the write confirmation without slots keeps
// its target controls off, the port dialog lists the loopback's ports.
#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/uiaction.h>
#include <wx/spinbutt.h>
#include <wx/stattext.h>

#include "librarian/CVelkPreference.h"
#include "librarian/VelkClock.h"
#include "librarian/wx/CDialogAnimate.h"
#include "librarian/wx/CDialogDevice.h"
#include "librarian/wx/CDialogOverwrite.h"
#include "librarian/wx/CWxEventPump.h"
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

class DeviceDialog : public WindowTest {
protected:
    DeviceDialog() : preference_(store_, "/d") {
        sim_ = backend_.CreatePair("Sim:Port 1", true);
        backend_.CreatePair("Soft:Synth", false);
        backend_.CreatePair("USB:MIDI 2", true);
    }
    // Clicks the dialog's button with the mouse, as a person does.
    static void ClickWithMouse(wxDialog& dialog, int id) {
        wxWindow* button = dialog.FindWindow(id);
        ASSERT_NE(button, nullptr);
        for (int i = 0; i < 20; ++i) wxTheApp->Yield(true);
        wxUIActionSimulator mouse;
        mouse.MouseMove(button->GetScreenRect().GetPosition() + button->GetSize() / 2);
        for (int i = 0; i < 10; ++i) wxTheApp->Yield(true);
        mouse.MouseClick();
        for (int i = 0; i < 20; ++i) wxTheApp->Yield(true);
    }
    midiport::LoopbackMidiBackend backend_;
    std::shared_ptr<midiport::LoopbackPeer> sim_;
    velktest::MemorySettingsStore store_;
    CVelkPreference preference_;
};

TEST_F(DeviceDialog, ListsLoopbackPortsAndOkSavesTheChoice) {
    int in = 1, out = 0;
    auto* dialog = new CDialogDevice(&in, &out, backend_, preference_, frame_);
    dialog->Show();
    EXPECT_EQ(dialog->GetParent(), frame_);
    EXPECT_EQ(dialog->GetTitle(), "MIDI Device");
    wxChoice* inputs = dialog->GetInputList();
    wxChoice* outputs = dialog->GetOutputList();
    ASSERT_EQ(inputs->GetCount(), 3u);
    ASSERT_EQ(outputs->GetCount(), 3u);  // the software port too
    EXPECT_EQ(inputs->GetString(1).utf8_string(), "Soft:Synth");
    EXPECT_EQ(outputs->GetString(2).utf8_string(), "USB:MIDI 2");
    EXPECT_EQ(inputs->GetSelection(), 1);
    EXPECT_EQ(outputs->GetSelection(), 0);

    outputs->SetSelection(2);
    Click(*dialog, wxID_OK);
    EXPECT_EQ(dialog->GetReturnCode(), wxID_OK);
    EXPECT_EQ(in, 1);
    EXPECT_EQ(out, 2);
    EXPECT_EQ(store_.values["Main/MidiOutDev"], "USB:MIDI 2");
    dialog->Destroy();
}

// OK used to connect whatever port stood at the chosen place of the list
// after an unplug, and save the name of another port.
TEST_F(DeviceDialog, OkOnAPortUnpluggedWhileOpenSaysSoAndOffersTheListsAnew) {
    int in = 0, out = 0;
    velktest::FakePrompter prompter;
    auto* dialog = new CDialogDevice(&in, &out, backend_, preference_, frame_, &prompter);
    dialog->Show();
    dialog->GetInputList()->SetSelection(2);
    backend_.RemovePair(sim_);  // the output chosen ("Sim:Port 1") goes away

    ClickWithMouse(*dialog, wxID_OK);
    EXPECT_EQ(prompter.Texts(),
              std::vector<std::string>{"The MIDI port \"Sim:Port 1\" is not there any more.\nChoose another one."});
    EXPECT_TRUE(dialog->IsShown());
    EXPECT_EQ(in, 0);
    EXPECT_EQ(out, 0);
    EXPECT_TRUE(store_.values.empty());
    // The lists as they are now; the input chosen stays chosen.
    ASSERT_EQ(dialog->GetOutputList()->GetCount(), 2u);
    EXPECT_EQ(dialog->GetOutputList()->GetSelection(), wxNOT_FOUND);
    EXPECT_EQ(dialog->GetInputList()->GetStringSelection().utf8_string(), "USB:MIDI 2");

    dialog->GetOutputList()->SetSelection(1);
    ClickWithMouse(*dialog, wxID_OK);
    EXPECT_EQ(dialog->GetReturnCode(), wxID_OK);
    EXPECT_EQ(in, 1);
    EXPECT_EQ(out, 1);
    EXPECT_EQ(store_.values["Main/MidiInDev"], "USB:MIDI 2");
    EXPECT_EQ(store_.values["Main/MidiOutDev"], "USB:MIDI 2");
    dialog->Destroy();
}

// The ids of the ports in use refer to the lists handed out last: after
// an unplug while the dialog was open, Cancel left them pointing at the
// neighbours of the ports in use.
TEST_F(DeviceDialog, EscapeAfterAnUnplugKeepsThePortsInUse) {
    int in = 2, out = 1;
    auto* dialog = new CDialogDevice(&in, &out, backend_, preference_, frame_);
    dialog->Show();
    dialog->GetInputList()->SetSelection(0);
    backend_.RemovePair(sim_);
    for (int i = 0; i < 20; ++i) wxTheApp->Yield(true);
    dialog->GetInputList()->SetFocus();
    for (int i = 0; i < 20; ++i) wxTheApp->Yield(true);
    wxUIActionSimulator keys;
    keys.Char(WXK_ESCAPE);
    for (int i = 0; i < 20; ++i) wxTheApp->Yield(true);
    EXPECT_FALSE(dialog->IsShown());
    EXPECT_EQ(backend_.InputName(in), "USB:MIDI 2");
    EXPECT_EQ(backend_.OutputName(out), "Soft:Synth");
    EXPECT_TRUE(store_.values.empty());
    dialog->Destroy();
}

TEST_F(DeviceDialog, CancelChangesNothing) {
    int in = 0, out = 0;
    auto* dialog = new CDialogDevice(&in, &out, backend_, preference_, frame_);
    dialog->Show();
    dialog->GetInputList()->SetSelection(2);
    Click(*dialog, wxID_CANCEL);
    EXPECT_EQ(in, 0);
    EXPECT_TRUE(store_.values.empty());
    dialog->Destroy();
}

}  // namespace
