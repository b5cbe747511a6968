#pragma once
// The Arpeggio page of the Program Editor: the arpeggiator and the step
// arpeggiator (editors/ArpeggioPageTables.h). Every user change stores its
// parameter with notify 1. The Program Editor calls the Show operations
// for values the device reported and already stored with notify 0: they
// only update the controls and store nothing (but see ShowGate).

#include "editors/wx/CProgramPage.h"

class CDialogEditPrgTab2 final : public CProgramPage {
public:
    // voiceMode: the program's voice mode (parameter 2) when the page opens.
    CDialogEditPrgTab2(wxWindow* parent, MDevDescProgram& program, int voiceMode);

    // The program's voice mode, which the editor tells the page when it
    // shows it again and when the user picks another: "Target Timbre" is
    // enabled only in voice mode 2 (Layer).
    void SetVoiceMode(int voiceMode);
    int VoiceMode() const { return voiceMode_; }

    void ShowArpOnOff(int value);
    void ShowLatch(int value);
    void ShowType(int value);
    void ShowRange(int value);
    // Moves the Gate trackbar and rewrites its edit; the reported value is
    // not stored and sent back. A value beyond the pair's range is shown at
    // the nearer end, which is then stored (notify 1) as a user's change
    // would be, so that the page shows what the program holds.
    void ShowGate(int value);

    // Enables the step buttons Last Step allows; returns its selection.
    int UpdateStepButtons();

private:
    void ApplyRules() override;

    int voiceMode_;
};
