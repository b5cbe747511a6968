#pragma once
// The choice of the MIDI ports ("MIDI Device"): the input and the output
// ports, each in port order. OK writes the chosen ports' ids and saves their
// names as the preferred ones, or, when a chosen port was unplugged while
// the dialog was open, says so and shows the lists anew. Cancel keeps the
// ports in use (their ids written for the lists the dialog read).
// Parent it to the main window: a parentless dialog can open behind it.

#include <wx/dialog.h>

#include "librarian/CDialogDeviceModel.h"

class CVelkPreference;
class VelkUiServices;
class wxChoice;
namespace midiport {
class MidiBackend;
}

class CDialogDevice final : public wxDialog {
public:
    static constexpr int kIdInputs = 1000;
    static constexpr int kIdOutputs = 1001;

    // `ui` says that a chosen port is gone (over this dialog while it runs
    // modally).
    CDialogDevice(int* inId, int* outId, midiport::MidiBackend& backend, CVelkPreference& preference,
                  wxWindow* parent, VelkUiServices& ui);

    wxChoice* GetInputList() const { return inputs_; }
    wxChoice* GetOutputList() const { return outputs_; }

private:
    void FillLists();
    void OnOK(wxCommandEvent& event);

    CDialogDeviceModel model_;
    VelkUiServices& ui_;
    wxChoice* inputs_ = nullptr;
    wxChoice* outputs_ = nullptr;
};
