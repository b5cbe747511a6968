#pragma once
// The Program Editor's Timbre page: voice and pitch, two oscillators,
// mixer, filter, amplifier, their envelopes, two LFOs and four virtual
// patches of one timbre. One page serves both timbres; every control edits
// parameter base + offset (editors/TimbrePageTable.h).
//
// Built once by the editor and shown with the program's values each time
// its tab is chosen; every user change is stored at once with notify 1, and
// creating or showing the page stores nothing.

#include "editors/wx/CProgramPage.h"

class CDialogEditPrgTab3 final : public CProgramPage {
public:
    // base: 28 for Timbre 1, 93 for Timbre 2. The program is not owned and
    // must outlive the page.
    CDialogEditPrgTab3(wxWindow* parent, MDevDescProgram& program, int base);

    // The dependent rules; each applies its changes and returns the state
    // it read (voice assign selection, OSC 1 wave, tempo sync).
    int UpdateVoiceAssignControls();
    int UpdateOsc1Labels();
    bool UpdateLfo1SyncControls();
    bool UpdateLfo2SyncControls();

private:
    void ApplyRules() override;
};
