#pragma once
// The Effect page of the Program Editor: modulation effect, delay and
// equaliser (editors/EffectPageTables.h). Values are read from the program
// when the page is created and when it is shown again; every user change
// stores its parameter with notify 1. The page hears nothing from the device.

#include "editors/wx/CProgramPage.h"

class CDialogEditPrgTab1 final : public CProgramPage {
public:
    CDialogEditPrgTab1(wxWindow* parent, MDevDescProgram& program);

    // Shows the Sync Note row or the Delay Time row by the Tempo Sync check
    // box; returns 1 when it is checked, else 0.
    int UpdateTempoSyncControls();

private:
    void ApplyRules() override;
};
