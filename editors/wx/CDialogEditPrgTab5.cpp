#include "editors/wx/CDialogEditPrgTab5.h"

#include <wx/slider.h>
#include <wx/textctrl.h>

#include "controls/CSliderEditPair.h"
#include "editors/VocoderPageTable.h"
#include "editors/wx/SynthPageRulesWx.h"

using namespace vocoderpage;

CDialogEditPrgTab5::CDialogEditPrgTab5(wxWindow* parent, MDevDescProgram& program)
    : CProgramPage(parent, program, kParamBase,
                   {kPageWidth, kPageHeight, vocoderpage::Layout(), vocoderpage::Bindings()}) {
    for (const int id : kHoldLevelEdits)
        if (auto* edit = ControlAs<wxTextCtrl>(id)) edit->SetMaxLength(kHoldLevelEditLimit);
    AddRule(kVoiceAssignList, [this] { UpdateVoiceAssignControls(); });
    AddRule(kOsc1WaveList, [this] { UpdateOsc1WaveControls(); });
    AddRule(kLfo1TempoSync, [this] { UpdateLfo1SyncControls(); });
    AddRule(kLfo2TempoSync, [this] { UpdateLfo2SyncControls(); });
    // After the E.F Sense pair has taken the move or the typed text.
    AddRule(kEfSenseSlider, [this] { UpdateHoldLevelControls(); });
    AddRule(kEfSenseEdit, [this] { UpdateHoldLevelControls(); });
    ApplyRules();
}

void CDialogEditPrgTab5::ApplyRules() {
    UpdateVoiceAssignControls();
    UpdateOsc1WaveControls();
    UpdateHoldLevelControls();
    UpdateLfo1SyncControls();
    UpdateLfo2SyncControls();
}

int CDialogEditPrgTab5::UpdateVoiceAssignControls() {
    return synthpage::ApplyVoiceAssignRule(*this, kVoiceAssignList, kVoiceAssignIds);
}

int CDialogEditPrgTab5::UpdateOsc1WaveControls() {
    return synthpage::ApplyOsc1WaveRule(*this, kOsc1WaveList, kOsc1WaveIds);
}

bool CDialogEditPrgTab5::UpdateLfo1SyncControls() {
    return synthpage::ApplyLfoSyncRule(*this, kLfo1TempoSync, kLfo1SyncIds);
}

bool CDialogEditPrgTab5::UpdateLfo2SyncControls() {
    return synthpage::ApplyLfoSyncRule(*this, kLfo2TempoSync, kLfo2SyncIds);
}

int CDialogEditPrgTab5::UpdateHoldLevelControls() {
    // What the trackbar shows, not what is stored: the levels follow a drag.
    const CSliderEditPair* pair = SliderPair(kEfSenseSlider);
    const auto* slider = ControlAs<wxSlider>(kEfSenseSlider);
    const int shown = pair != nullptr && slider != nullptr ? pair->ShownAt(slider->GetValue()) : 0;
    Apply(HoldLevelChanges(shown));
    return shown;
}
