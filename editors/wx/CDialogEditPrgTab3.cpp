#include "editors/wx/CDialogEditPrgTab3.h"

#include "editors/TimbrePageTable.h"
#include "editors/wx/SynthPageRulesWx.h"

using namespace timbrepage;

CDialogEditPrgTab3::CDialogEditPrgTab3(wxWindow* parent, MDevDescProgram& program, int base)
    : CProgramPage(parent, program, base,
                   {kPageWidth, kPageHeight, timbrepage::Layout(), timbrepage::Bindings()}) {
    AddRule(kVoiceAssignList, [this] { UpdateVoiceAssignControls(); });
    AddRule(kOsc1WaveList, [this] { UpdateOsc1Labels(); });
    AddRule(kLfo1TempoSync, [this] { UpdateLfo1SyncControls(); });
    AddRule(kLfo2TempoSync, [this] { UpdateLfo2SyncControls(); });
    ApplyRules();
}

void CDialogEditPrgTab3::ApplyRules() {
    UpdateVoiceAssignControls();
    UpdateOsc1Labels();
    UpdateLfo1SyncControls();
    UpdateLfo2SyncControls();
}

int CDialogEditPrgTab3::UpdateVoiceAssignControls() {
    return synthpage::ApplyVoiceAssignRule(*this, kVoiceAssignList, kVoiceAssignIds);
}

int CDialogEditPrgTab3::UpdateOsc1Labels() {
    return synthpage::ApplyOsc1WaveRule(*this, kOsc1WaveList, kOsc1WaveIds);
}

bool CDialogEditPrgTab3::UpdateLfo1SyncControls() {
    return synthpage::ApplyLfoSyncRule(*this, kLfo1TempoSync, kLfo1SyncIds);
}

bool CDialogEditPrgTab3::UpdateLfo2SyncControls() {
    return synthpage::ApplyLfoSyncRule(*this, kLfo2TempoSync, kLfo2SyncIds);
}
