#pragma once
// The binding views on real wx controls.

#include "controls/BindingViews.h"

class wxChoice;
class wxSlider;
class wxTextCtrl;

class WxSliderView final : public SliderView {
public:
    explicit WxSliderView(wxSlider& slider) : slider_(slider) {}
    void SetRange(int minimum, int maximum) override;
    int GetPosition() const override;
    void SetPosition(int position) override;

private:
    wxSlider& slider_;
};

// Writes with ChangeValue, so a text written by a binding raises no
// wxEVT_TEXT.
class WxEditView final : public EditView {
public:
    explicit WxEditView(wxTextCtrl& edit) : edit_(edit) {}
    std::string GetText() const override;
    void SetText(const std::string& text) override;
    void SetFocus() override;

private:
    wxTextCtrl& edit_;
};

class WxChoiceView final : public ChoiceView {
public:
    explicit WxChoiceView(wxChoice& list) : list_(list) {}
    int GetCount() const override;
    int GetSelection() const override;
    // An index without an item clears the selection (wx would assert).
    void SetSelection(int item) override;

private:
    wxChoice& list_;
};
