#include "controls/CDialComboPair.h"

#include <algorithm>

void CDialComboPair::Setup(KnobView& knob, ChoiceView& list, int minimum, int maximum, int offset) {
    knob_ = &knob;
    list_ = &list;
    minimum_ = minimum;
    maximum_ = maximum;
    SetOffset(offset);
    knob.SetRange(minimum, maximum, (minimum + maximum) / 2);
    const int stored = RawToDisplay(GetParamValue());
    const int shown = std::clamp(stored, std::min(minimum, maximum), std::max(minimum, maximum));
    knob.SetValue(shown);
    Select(shown);
    SetArmed(true);
    HoldInRange(stored, shown);
}

void CDialComboPair::OnDialChanged() {
    if (knob_ == nullptr) return;
    const int turned = knob_->GetValue();
    if (turned == list_->GetSelection()) return;
    Select(turned);
    StoreShown(turned);
}

void CDialComboPair::OnComboChanged() {
    if (knob_ == nullptr) return;
    const int chosen = list_->GetSelection();
    // No selection (-1), or a list longer than the range, never reaches
    // the object.
    if (chosen == knob_->GetValue() || chosen < minimum_ || chosen > maximum_) return;
    knob_->SetValue(chosen);
    StoreShown(chosen);
}

void CDialComboPair::Select(int shown) {
    list_->SetSelection(shown >= 0 && shown < list_->GetCount() ? shown : -1);
}
