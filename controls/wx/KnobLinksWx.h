#pragma once
// Links for the bindings on a knob (CDial) or an envelope graph (CWiredPts):
// the views on those controls, and the routing of their notices, which the
// controls deliver to their parent window with their own id.

#include <wx/choice.h>
#include <wx/textctrl.h>
#include <wx/weakref.h>

#include "controls/BindingViews.h"
#include "controls/wx/BindingViewsWx.h"
#include "controls/wx/CDial.h"
#include "controls/wx/CWiredPts.h"

class CAdsrGroup;
class CDialComboPair;
class CDialEditPair;

class WxKnobView final : public KnobView {
public:
    explicit WxKnobView(CDial& knob) : knob_(knob) {}
    void SetRange(int first, int last, int defaultValue) override;
    int GetValue() const override;
    void SetValue(int value) override;

private:
    CDial& knob_;
};

class WxEnvelopeView final : public EnvelopeView {
public:
    explicit WxEnvelopeView(CWiredPts& graph) : graph_(graph) {}
    void SetEnvelope(int attack, int decay, int sustain, int release) override;
    void SetAttack(int value) override;
    void SetDecay(int value) override;
    void SetSustain(int value) override;
    void SetRelease(int value) override;
    int GetAttack() const override;
    int GetDecay() const override;
    int GetSustain() const override;
    int GetRelease() const override;

private:
    CWiredPts& graph_;
};

class DialEditPairWx {
public:
    DialEditPairWx(CDialEditPair& pair, CDial& knob, wxTextCtrl& edit);
    ~DialEditPairWx();
    DialEditPairWx(const DialEditPairWx&) = delete;
    DialEditPairWx& operator=(const DialEditPairWx&) = delete;

    void Setup(int a, int b, int offset);

private:
    void OnDial(wxCommandEvent& event);
    void OnText(wxCommandEvent& event);
    void OnKillFocus(wxFocusEvent& event);

    CDialEditPair& pair_;
    const int knobId_;
    wxWeakRef<wxWindow> page_;
    wxWeakRef<wxTextCtrl> edit_;
    WxKnobView knobView_;
    WxEditView editView_;
};

class DialComboPairWx {
public:
    DialComboPairWx(CDialComboPair& pair, CDial& knob, wxChoice& list);
    ~DialComboPairWx();
    DialComboPairWx(const DialComboPairWx&) = delete;
    DialComboPairWx& operator=(const DialComboPairWx&) = delete;

    void Setup(int minimum, int maximum, int offset);

private:
    void OnDial(wxCommandEvent& event);
    void OnChoice(wxCommandEvent& event);

    CDialComboPair& pair_;
    const int knobId_;
    wxWeakRef<wxWindow> page_;
    wxWeakRef<wxChoice> list_;
    WxKnobView knobView_;
    WxChoiceView listView_;
};

// The graph's change notice runs SyncFromGraph(true); focus loss of any of
// the four edits runs Refresh.
class AdsrGroupWx {
public:
    AdsrGroupWx(CAdsrGroup& group, CWiredPts& graph, wxTextCtrl& attack, wxTextCtrl& decay,
                wxTextCtrl& sustain, wxTextCtrl& release);
    ~AdsrGroupWx();
    AdsrGroupWx(const AdsrGroupWx&) = delete;
    AdsrGroupWx& operator=(const AdsrGroupWx&) = delete;

    void Setup();

private:
    void OnGraph(wxCommandEvent& event);
    void OnText(wxCommandEvent& event);
    void OnKillFocus(wxFocusEvent& event);

    CAdsrGroup& group_;
    const int graphId_;
    wxWeakRef<wxWindow> page_;
    wxWeakRef<wxTextCtrl> edits_[4];
    WxEnvelopeView graphView_;
    WxEditView editViews_[4];
};
