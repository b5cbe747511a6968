#include "editors/wx/CDialogEditPrgTab1.h"

#include <wx/checkbox.h>

#include "editors/EffectPageTables.h"

using namespace effect_page;

CDialogEditPrgTab1::CDialogEditPrgTab1(wxWindow* parent, MDevDescProgram& program)
    : CProgramPage(parent, program, 0, {kWidthDlu, kHeightDlu, LayoutTable(), BindingTable()}) {
    AddRule(kTempoSync, [this] { UpdateTempoSyncControls(); });
    ApplyRules();
}

void CDialogEditPrgTab1::ApplyRules() { UpdateTempoSyncControls(); }

int CDialogEditPrgTab1::UpdateTempoSyncControls() {
    const auto* box = ControlAs<wxCheckBox>(kTempoSync);
    const bool checked = box != nullptr && box->GetValue();
    Apply(TempoSyncChanges(checked));
    return checked ? 1 : 0;
}
