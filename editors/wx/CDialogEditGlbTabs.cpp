#include "editors/wx/CDialogEditGlbTabs.h"

#include <wx/slider.h>
#include <wx/textctrl.h>

#include "controls/CSliderEditPair.h"
#include "controls/wx/BindingLinksWx.h"
#include "editors/GlobalPageTables.h"

namespace {

ProgramPageSpec SpecOf(const glbpage::GlobalPage& page) {
    return {page.widthDlu, page.heightDlu, page.layout, page.bindings};
}

ControlChanges HideAll(std::span<const int> ids) {
    ControlChanges changes;
    AddShow(changes, ids, false);
    return changes;
}

std::unique_ptr<CSliderEditPair> MakeGlobalPair(glbpage::GlobalSliderPair::Kind kind) {
    switch (kind) {
    case glbpage::GlobalSliderPair::kTenths: return std::make_unique<CSliderEditPairGlbParamF>();
    case glbpage::GlobalSliderPair::kCurve: return std::make_unique<CSliderEditPairGlbParamCrv>();
    case glbpage::GlobalSliderPair::kDecimal: break;
    }
    return std::make_unique<CSliderEditPairGlbParam>();
}

}  // namespace

CDialogEditGlbTab1::CDialogEditGlbTab1(wxWindow* parent, MDevDescProgram& global)
    : CProgramPage(parent, global, 0, SpecOf(glbpage::GlobalTab())) {
    // Master Tune, Master Transpose, Velocity Curve; the table's rows
    // (Transpose Position, Write Protect) were set up by the base.
    for (const glbpage::GlobalSliderPair& row : glbpage::GlobalTabSliders()) {
        auto* slider = ControlAs<wxSlider>(row.slider);
        auto* edit = ControlAs<wxTextCtrl>(row.edit);
        if (slider == nullptr || edit == nullptr) continue;
        Pair pair;
        pair.pair = MakeGlobalPair(row.kind);
        pair.pair->Bind(global, row.param);
        pair.link = std::make_unique<SliderEditPairWx>(*pair.pair, *slider, *edit);
        pair.link->Setup(row.first, row.last, row.offset);
        pairs_.push_back(std::move(pair));
    }
    Apply(HideAll(glbpage::GlobalTabHidden()));
}

CDialogEditGlbTab1::~CDialogEditGlbTab1() {
    // The controls go before the pairs they call.
    DestroyChildren();
}

CDialogEditGlbTab2::CDialogEditGlbTab2(wxWindow* parent, MDevDescProgram& global)
    : CProgramPage(parent, global, 0, SpecOf(glbpage::MidiTab())) {
    ControlChanges changes = HideAll(glbpage::MidiTabHidden());
    AddEnable(changes, glbpage::MidiTabDisabled(), false);
    Apply(changes);
}

CDialogEditGlbTab3::CDialogEditGlbTab3(wxWindow* parent, MDevDescProgram& global)
    : CProgramPage(parent, global, 0, SpecOf(glbpage::ControlChangeTab())) {}

CDialogEditGlbTab4::CDialogEditGlbTab4(wxWindow* parent, MDevDescProgram& global, int programCount)
    : CProgramPage(parent, global, 0, SpecOf(glbpage::FavoriteTab(programCount))) {
    Apply(HideAll(glbpage::FavoriteTabHidden()));
}
