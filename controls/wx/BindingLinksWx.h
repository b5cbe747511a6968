#pragma once
// Ties a binding to its real controls: owns the views the binding talks to
// and routes the controls' events to it (the slider's "moved" event, the
// edit's text-changed event and focus loss, the list's selection event).
//
// A page keeps one link per binding, next to the binding, and calls the
// link's Setup where it would call the binding's. The link must not outlive
// the binding; it may outlive the controls (it unbinds only from controls
// still alive). The handlers skip their events, so the page's own handlers
// and the default handling still run.

#include <wx/choice.h>
#include <wx/slider.h>
#include <wx/textctrl.h>
#include <wx/weakref.h>

#include "controls/wx/BindingViewsWx.h"

class CSliderEditPair;

class SliderEditPairWx {
public:
    SliderEditPairWx(CSliderEditPair& pair, wxSlider& slider, wxTextCtrl& edit);
    ~SliderEditPairWx();
    SliderEditPairWx(const SliderEditPairWx&) = delete;
    SliderEditPairWx& operator=(const SliderEditPairWx&) = delete;

    void Setup(int first, int last, int offset);

private:
    void OnSlider(wxCommandEvent& event);
    void OnText(wxCommandEvent& event);
    void OnKillFocus(wxFocusEvent& event);

    CSliderEditPair& pair_;
    wxWeakRef<wxSlider> slider_;
    wxWeakRef<wxTextCtrl> edit_;
    WxSliderView sliderView_;
    WxEditView editView_;
};
