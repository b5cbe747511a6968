// The port dialog on real windows: it lists the loopback's ports, saves the
// choice, and copes with a port unplugged while it is open.
#include <gtest/gtest.h>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/uiaction.h>

#include "librarian/CVelkPreference.h"
#include "librarian/wx/CDialogDevice.h"
#include "tests/device/DevRig.h"
#include "tests/guitest/WindowTest.h"
#include "tests/support/MemorySettingsStore.h"
#include "tests/support/ScriptedUiServices.h"

namespace {

using guitest::WindowTest;

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
    velktest::ScriptedUiServices ui_;
};

TEST_F(DeviceDialog, ListsLoopbackPortsAndOkSavesTheChoice) {
    int in = 1, out = 0;
    auto* dialog = new CDialogDevice(&in, &out, backend_, preference_, frame_, ui_);
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
    auto* dialog = new CDialogDevice(&in, &out, backend_, preference_, frame_, ui_);
    dialog->Show();
    dialog->GetInputList()->SetSelection(2);
    backend_.RemovePair(sim_);  // the output chosen ("Sim:Port 1") goes away

    ClickWithMouse(*dialog, wxID_OK);
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{
                               "The MIDI port \"Sim:Port 1\" is not there any more.\nChoose another one."});
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
    auto* dialog = new CDialogDevice(&in, &out, backend_, preference_, frame_, ui_);
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
    auto* dialog = new CDialogDevice(&in, &out, backend_, preference_, frame_, ui_);
    dialog->Show();
    dialog->GetInputList()->SetSelection(2);
    Click(*dialog, wxID_CANCEL);
    EXPECT_EQ(in, 0);
    EXPECT_TRUE(store_.values.empty());
    dialog->Destroy();
}

}  // namespace
