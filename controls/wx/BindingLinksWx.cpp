#include "controls/wx/BindingLinksWx.h"

#include "controls/CSliderEditPair.h"

SliderEditPairWx::SliderEditPairWx(CSliderEditPair& pair, wxSlider& slider, wxTextCtrl& edit)
    : pair_(pair), slider_(&slider), edit_(&edit), sliderView_(slider), editView_(edit) {
    slider.Bind(wxEVT_SLIDER, &SliderEditPairWx::OnSlider, this);
    edit.Bind(wxEVT_TEXT, &SliderEditPairWx::OnText, this);
    edit.Bind(wxEVT_KILL_FOCUS, &SliderEditPairWx::OnKillFocus, this);
}

SliderEditPairWx::~SliderEditPairWx() {
    if (slider_) slider_->Unbind(wxEVT_SLIDER, &SliderEditPairWx::OnSlider, this);
    if (edit_) {
        edit_->Unbind(wxEVT_TEXT, &SliderEditPairWx::OnText, this);
        edit_->Unbind(wxEVT_KILL_FOCUS, &SliderEditPairWx::OnKillFocus, this);
    }
}

void SliderEditPairWx::Setup(int first, int last, int offset) {
    pair_.Setup(sliderView_, editView_, first, last, offset);
}

void SliderEditPairWx::OnSlider(wxCommandEvent& event) {
    event.Skip();
    pair_.OnSliderChanged();
}

void SliderEditPairWx::OnText(wxCommandEvent& event) {
    event.Skip();
    pair_.OnEditChange();
}

void SliderEditPairWx::OnKillFocus(wxFocusEvent& event) {
    event.Skip();
    pair_.OnEditKillFocus();
}
