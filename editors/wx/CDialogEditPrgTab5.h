#pragma once
// The Program Editor's Vocoder page: voice and pitch, oscillator 1, the
// audio input, the formant filter, the amplifier and its envelope, two
// LFOs, the eight synthesis-filter channels (level and pan) and the sixteen
// envelope-follower hold levels: program parameters 158-241
// (editors/VocoderPageTable.h).
//
// Built once by the editor and shown with the program's values each time
// its tab is chosen; every user change is stored at once with notify 1, and
// creating or showing the page stores nothing.

#include "editors/wx/CProgramPage.h"

class CDialogEditPrgTab5 final : public CProgramPage {
public:
    // The program is not owned and must outlive the page.
    CDialogEditPrgTab5(wxWindow* parent, MDevDescProgram& program);

    // The dependent rules; each applies its changes and returns the state
    // it read (voice assign selection, OSC 1 wave, tempo sync, the shown
    // E.F Sense value).
    int UpdateVoiceAssignControls();
    int UpdateOsc1WaveControls();
    bool UpdateLfo1SyncControls();
    bool UpdateLfo2SyncControls();
    int UpdateHoldLevelControls();

private:
    void ApplyRules() override;
};
