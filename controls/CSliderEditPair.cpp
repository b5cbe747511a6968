#include "controls/CSliderEditPair.h"

#include <algorithm>
#include <cstdint>

void CSliderEditPair::Setup(SliderView& slider, EditView& edit, int first, int last, int offset) {
    slider_ = &slider;
    edit_ = &edit;
    first_ = first;
    SetOffset(offset);
    step_ = first > last ? -1 : 1;
    low_ = std::min(first, last);
    high_ = std::max(first, last);
    SetRejectValue(high_ + 1);
    range_ = high_ - low_;
    slider.SetRange(0, range_);
    const int stored = RawToDisplay(GetParamValue());
    const int shown = std::clamp(stored, low_, high_);
    slider.SetPosition(PositionOf(shown));
    edit.SetText(FormatValue(shown));
    SetArmed(true);
    HoldInRange(stored, shown);
}

void CSliderEditPair::OnSliderChanged() {
    if (slider_ == nullptr) return;
    const int typed = ParseValue(edit_->GetText());
    const int shown = ShownAt(slider_->GetPosition());
    if (typed == shown) return;
    edit_->SetText(FormatValue(shown));
    StoreShown(shown);
}

void CSliderEditPair::OnEditChange() {
    if (slider_ == nullptr) return;
    // A rejected text (the reject value) is outside the range: the typed
    // text stays and nothing moves.
    const int typed = ParseValue(edit_->GetText());
    if (!InRange(typed)) return;
    const int position = (typed - first_) / step_;
    if (position == slider_->GetPosition()) return;
    slider_->SetPosition(position);
    StoreShown(typed);
}

void CSliderEditPair::OnEditKillFocus() {
    if (slider_ == nullptr) return;
    edit_->SetText(FormatValue(ShownAt(slider_->GetPosition())));
    OnSliderChanged();
}

void CSliderEditPair::ShowStored(int stored) {
    if (slider_ == nullptr) return;
    const int value = RawToDisplay(stored);
    const int shown = std::clamp(value, low_, high_);
    slider_->SetPosition(PositionOf(shown));
    edit_->SetText(FormatValue(shown));
    HoldInRange(value, shown);
}

int CSliderEditPair::PositionOf(int shown) const {
    const int64_t position = (int64_t{shown} - first_) / step_;
    return static_cast<int>(std::clamp<int64_t>(position, 0, range_));
}

int CSliderEditPairPrgParamHex::DisplayToRaw(int shown) const {
    return static_cast<int>((static_cast<uint32_t>(shown) & 0x7FFFFFu) << 8);
}

int CSliderEditPairPrgParamHex::RawToDisplay(int stored) const {
    return static_cast<int>((static_cast<uint32_t>(stored) >> 8) & 0x7FFFFFu);
}
