#include "editors/ProgramPageBindings.h"

bool IsSliderPair(PageBindingKind kind) {
    return kind == PageBindingKind::SliderPair || kind == PageBindingKind::PanSliderPair ||
           kind == PageBindingKind::HexSliderPair || kind == PageBindingKind::HoldSliderPair;
}

std::unique_ptr<CSliderEditPair> MakeSliderPair(PageBindingKind kind) {
    switch (kind) {
    case PageBindingKind::SliderPair: return std::make_unique<CSliderEditPairPrgParam>();
    case PageBindingKind::PanSliderPair: return std::make_unique<CSliderEditPairPrgParamPan>();
    case PageBindingKind::HexSliderPair: return std::make_unique<CSliderEditPairPrgParamHex>();
    case PageBindingKind::HoldSliderPair: return std::make_unique<CSliderEditPairPrgParamEfSense>();
    default: return nullptr;
    }
}

std::unique_ptr<CDialEditPair> MakeDialEditPair(PageBindingKind kind) {
    if (kind == PageBindingKind::PanDialEdit) return std::make_unique<CDialEditPairPrgParamPan>();
    return nullptr;
}

std::unique_ptr<CDialComboPair> MakeDialComboPair(PageBindingKind kind) {
    if (kind == PageBindingKind::DialChoice) return std::make_unique<CDialComboPairPrgParam>();
    return nullptr;
}
