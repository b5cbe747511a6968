#include "controls/wx/BindingViewsWx.h"

#include <wx/choice.h>
#include <wx/slider.h>
#include <wx/textctrl.h>

void WxSliderView::SetRange(int minimum, int maximum) { slider_.SetRange(minimum, maximum); }

int WxSliderView::GetPosition() const { return slider_.GetValue(); }

void WxSliderView::SetPosition(int position) { slider_.SetValue(position); }

std::string WxEditView::GetText() const { return std::string(edit_.GetValue().utf8_str()); }

void WxEditView::SetText(const std::string& text) { edit_.ChangeValue(wxString::FromUTF8(text)); }

void WxEditView::SetFocus() { edit_.SetFocus(); }

int WxChoiceView::GetCount() const { return static_cast<int>(list_.GetCount()); }

int WxChoiceView::GetSelection() const { return list_.GetSelection(); }

void WxChoiceView::SetSelection(int item) {
    list_.SetSelection(item >= 0 && item < GetCount() ? item : wxNOT_FOUND);
}
