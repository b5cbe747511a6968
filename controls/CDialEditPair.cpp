#include "controls/CDialEditPair.h"

#include <algorithm>

void CDialEditPair::Setup(KnobView& knob, EditView& edit, int a, int b, int offset) {
    knob_ = &knob;
    edit_ = &edit;
    minimum_ = std::min(a, b);
    maximum_ = std::max(a, b);
    SetOffset(offset);
    SetRejectValue(maximum_ + 1);
    knob.SetRange(a, b, (a + b) / 2);
    const int stored = RawToDisplay(GetParamValue());
    const int shown = std::clamp(stored, minimum_, maximum_);
    knob.SetValue(shown);
    edit.SetText(FormatValue(shown));
    SetArmed(true);
    HoldInRange(stored, shown);
}

void CDialEditPair::OnDialChanged() {
    if (knob_ == nullptr) return;
    const int typed = ParseValue(edit_->GetText());
    const int turned = knob_->GetValue();
    if (typed == turned) return;
    edit_->SetText(FormatValue(turned));
    StoreShown(turned);
}

void CDialEditPair::OnEditChange() {
    if (knob_ == nullptr) return;
    const int typed = ParseValue(edit_->GetText());
    if (typed < minimum_ || typed > maximum_ || typed == knob_->GetValue()) return;
    knob_->SetValue(typed);
    StoreShown(typed);
}

void CDialEditPair::OnEditKillFocus() {
    if (knob_ == nullptr) return;
    edit_->SetText(FormatValue(knob_->GetValue()));
    OnDialChanged();
}
