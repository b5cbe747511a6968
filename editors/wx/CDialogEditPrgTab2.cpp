#include "editors/wx/CDialogEditPrgTab2.h"

#include <wx/checkbox.h>
#include <wx/choice.h>

#include "controls/CSliderEditPair.h"
#include "controls/wx/C2StateButton.h"
#include "editors/ArpeggioPageTables.h"

using namespace arpeggio_page;

namespace {

void SelectIfItem(wxChoice* list, int item) {
    if (list != nullptr)
        list->SetSelection(item >= 0 && item < static_cast<int>(list->GetCount()) ? item : wxNOT_FOUND);
}

}  // namespace

CDialogEditPrgTab2::CDialogEditPrgTab2(wxWindow* parent, MDevDescProgram& program, int voiceMode)
    : CProgramPage(parent, program, 0, {kWidthDlu, kHeightDlu, LayoutTable(), BindingTable()}),
      voiceMode_(voiceMode) {
    AddRule(kLastStep, [this] { UpdateStepButtons(); });
    ApplyRules();
}

void CDialogEditPrgTab2::ApplyRules() {
    Apply(TargetTimbreChanges(voiceMode_));
    UpdateStepButtons();
}

void CDialogEditPrgTab2::SetVoiceMode(int voiceMode) {
    voiceMode_ = voiceMode;
    Apply(TargetTimbreChanges(voiceMode_));
}

void CDialogEditPrgTab2::ShowArpOnOff(int value) {
    if (auto* button = ControlAs<C2StateButton>(kOnOff)) button->SetState(OnOffButtonState(value));
}

void CDialogEditPrgTab2::ShowLatch(int value) {
    if (auto* box = ControlAs<wxCheckBox>(kLatch)) box->SetValue(value != 0);
}

void CDialogEditPrgTab2::ShowType(int value) { SelectIfItem(ControlAs<wxChoice>(kType), value); }

void CDialogEditPrgTab2::ShowRange(int value) { SelectIfItem(ControlAs<wxChoice>(kRange), value); }

void CDialogEditPrgTab2::ShowGate(int value) {
    CSliderEditPair* gate = SliderPair(kGateSlider);
    if (gate == nullptr || !gate->IsArmed()) return;
    gate->ShowStored(value);
}

int CDialogEditPrgTab2::UpdateStepButtons() {
    const auto* list = ControlAs<wxChoice>(kLastStep);
    const int selection = list != nullptr ? list->GetSelection() : wxNOT_FOUND;
    Apply(StepButtonChanges(selection));
    return selection;
}
