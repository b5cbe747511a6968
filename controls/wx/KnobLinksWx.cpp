#include "controls/wx/KnobLinksWx.h"

#include "controls/CAdsrGroup.h"
#include "controls/CDialComboPair.h"
#include "controls/CDialEditPair.h"

void WxKnobView::SetRange(int first, int last, int defaultValue) {
    knob_.SetRange(first, last, defaultValue);
}

int WxKnobView::GetValue() const { return knob_.GetValue(); }

void WxKnobView::SetValue(int value) { knob_.SetValue(value); }

void WxEnvelopeView::SetEnvelope(int attack, int decay, int sustain, int release) {
    graph_.SetEnvelope(attack, decay, sustain, release);
}

void WxEnvelopeView::SetAttack(int value) { graph_.SetAttack(value); }
void WxEnvelopeView::SetDecay(int value) { graph_.SetDecay(value); }
void WxEnvelopeView::SetSustain(int value) { graph_.SetSustain(value); }
void WxEnvelopeView::SetRelease(int value) { graph_.SetRelease(value); }
int WxEnvelopeView::GetAttack() const { return graph_.GetAttack(); }
int WxEnvelopeView::GetDecay() const { return graph_.GetDecay(); }
int WxEnvelopeView::GetSustain() const { return graph_.GetSustain(); }
int WxEnvelopeView::GetRelease() const { return graph_.GetRelease(); }

DialEditPairWx::DialEditPairWx(CDialEditPair& pair, CDial& knob, wxTextCtrl& edit)
    : pair_(pair),
      knobId_(knob.GetId()),
      page_(knob.GetParent()),
      edit_(&edit),
      knobView_(knob),
      editView_(edit) {
    page_->Bind(EVT_CDIAL_CHANGED, &DialEditPairWx::OnDial, this, knobId_);
    edit.Bind(wxEVT_TEXT, &DialEditPairWx::OnText, this);
    edit.Bind(wxEVT_KILL_FOCUS, &DialEditPairWx::OnKillFocus, this);
}

DialEditPairWx::~DialEditPairWx() {
    if (page_) page_->Unbind(EVT_CDIAL_CHANGED, &DialEditPairWx::OnDial, this, knobId_);
    if (edit_) {
        edit_->Unbind(wxEVT_TEXT, &DialEditPairWx::OnText, this);
        edit_->Unbind(wxEVT_KILL_FOCUS, &DialEditPairWx::OnKillFocus, this);
    }
}

void DialEditPairWx::Setup(int a, int b, int offset) { pair_.Setup(knobView_, editView_, a, b, offset); }

void DialEditPairWx::OnDial(wxCommandEvent& event) {
    event.Skip();
    pair_.OnDialChanged();
}

void DialEditPairWx::OnText(wxCommandEvent& event) {
    event.Skip();
    pair_.OnEditChange();
}

void DialEditPairWx::OnKillFocus(wxFocusEvent& event) {
    event.Skip();
    pair_.OnEditKillFocus();
}

DialComboPairWx::DialComboPairWx(CDialComboPair& pair, CDial& knob, wxChoice& list)
    : pair_(pair),
      knobId_(knob.GetId()),
      page_(knob.GetParent()),
      list_(&list),
      knobView_(knob),
      listView_(list) {
    page_->Bind(EVT_CDIAL_CHANGED, &DialComboPairWx::OnDial, this, knobId_);
    list.Bind(wxEVT_CHOICE, &DialComboPairWx::OnChoice, this);
}

DialComboPairWx::~DialComboPairWx() {
    if (page_) page_->Unbind(EVT_CDIAL_CHANGED, &DialComboPairWx::OnDial, this, knobId_);
    if (list_) list_->Unbind(wxEVT_CHOICE, &DialComboPairWx::OnChoice, this);
}

void DialComboPairWx::Setup(int minimum, int maximum, int offset) {
    pair_.Setup(knobView_, listView_, minimum, maximum, offset);
}

void DialComboPairWx::OnDial(wxCommandEvent& event) {
    event.Skip();
    pair_.OnDialChanged();
}

void DialComboPairWx::OnChoice(wxCommandEvent& event) {
    event.Skip();
    pair_.OnComboChanged();
}

AdsrGroupWx::AdsrGroupWx(CAdsrGroup& group, CWiredPts& graph, wxTextCtrl& attack, wxTextCtrl& decay,
                         wxTextCtrl& sustain, wxTextCtrl& release)
    : group_(group),
      graphId_(graph.GetId()),
      page_(graph.GetParent()),
      edits_{&attack, &decay, &sustain, &release},
      graphView_(graph),
      editViews_{WxEditView(attack), WxEditView(decay), WxEditView(sustain), WxEditView(release)} {
    page_->Bind(EVT_CWIREDPTS_CHANGED, &AdsrGroupWx::OnGraph, this, graphId_);
    for (wxTextCtrl* edit : {&attack, &decay, &sustain, &release}) {
        edit->Bind(wxEVT_TEXT, &AdsrGroupWx::OnText, this);
        edit->Bind(wxEVT_KILL_FOCUS, &AdsrGroupWx::OnKillFocus, this);
    }
}

AdsrGroupWx::~AdsrGroupWx() {
    if (page_) page_->Unbind(EVT_CWIREDPTS_CHANGED, &AdsrGroupWx::OnGraph, this, graphId_);
    for (wxWeakRef<wxTextCtrl>& edit : edits_) {
        if (edit) {
            edit->Unbind(wxEVT_TEXT, &AdsrGroupWx::OnText, this);
            edit->Unbind(wxEVT_KILL_FOCUS, &AdsrGroupWx::OnKillFocus, this);
        }
    }
}

void AdsrGroupWx::Setup() {
    group_.Setup(graphView_, editViews_[0], editViews_[1], editViews_[2], editViews_[3]);
}

void AdsrGroupWx::OnGraph(wxCommandEvent& event) {
    event.Skip();
    group_.SyncFromGraph(true);
}

void AdsrGroupWx::OnText(wxCommandEvent& event) {
    event.Skip();
    const wxObject* source = event.GetEventObject();
    if (source == edits_[0].get()) group_.OnAttackEdit();
    else if (source == edits_[1].get()) group_.OnDecayEdit();
    else if (source == edits_[2].get()) group_.OnSustainEdit();
    else if (source == edits_[3].get()) group_.OnReleaseEdit();
}

void AdsrGroupWx::OnKillFocus(wxFocusEvent& event) {
    event.Skip();
    group_.Refresh();
}
