#include "editors/wx/CProgramPage.h"

#include <algorithm>
#include <optional>

#include <wx/bmpcbox.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/slider.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "controls/CAdsrGroup.h"
#include "controls/wx/BindingLinksWx.h"
#include "controls/wx/BindingViewsWx.h"
#include "controls/wx/KnobLinksWx.h"
#include "controls/wx/C2StateButton.h"
#include "controls/wx/CDial.h"
#include "controls/wx/CWiredPts.h"
#include "device/MDevDescProgram.h"
#include "editors/ProgramPageBindings.h"
#include "editors/ProgramPageLayout.h"
#include "editors/wx/PageLook.h"
#include "resources/wx/VelkArt.h"

namespace {

// A selection from either kind of list (wxChoice, wxBitmapComboBox).
wxItemContainer* ItemsOf(wxWindow* window) { return dynamic_cast<wxItemContainer*>(window); }

// The natural height of a drop-down list, measured once: it is the same
// for every list of text items, and measuring each list walks all its items.
int ChoiceHeight(wxWindow& parent) {
    static const int height = [&parent] {
        const wxString item("Xy");
        wxChoice probe(&parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, 1, &item);
        probe.Hide();
        return probe.GetBestSize().y;
    }();
    return height;
}

// The natural height of a label: measured once for all one-line labels (they
// share the page's font), each time for a label of several lines.
int LabelHeight(wxStaticText& label, const wxString& text) {
    if (text.Contains('\n')) return label.GetBestSize().y;
    static const int oneLine = label.GetBestSize().y;
    return oneLine;
}

void SelectItem(wxWindow* window, int item) {
    if (wxItemContainer* list = ItemsOf(window))
        list->SetSelection(item >= 0 && item < static_cast<int>(list->GetCount()) ? item : wxNOT_FOUND);
}

}  // namespace

struct CProgramPage::Links {
    struct Slider {
        std::unique_ptr<CSliderEditPair> pair;
        std::unique_ptr<SliderEditPairWx> link;
    };
    struct DialEdit {
        std::unique_ptr<CDialEditPair> pair;
        std::unique_ptr<DialEditPairWx> link;
    };
    struct DialChoice {
        std::unique_ptr<CDialComboPair> pair;
        std::unique_ptr<DialComboPairWx> link;
    };
    struct Envelope {
        std::unique_ptr<CAdsrGroupPrgParam> group;
        std::unique_ptr<AdsrGroupWx> link;
    };
    std::map<int, Slider> sliders;          // by trackbar id
    std::map<int, DialEdit> dialEdits;      // by knob id
    std::map<int, DialChoice> dialChoices;  // by knob id
    std::map<int, Envelope> envelopes;      // by graph id
};

CProgramPage::CProgramPage(wxWindow* parent, MDevDescProgram& program, int base, const ProgramPageSpec& spec)
    : program_(program), base_(base), spec_(spec), links_(std::make_unique<Links>()) {
    // Built hidden and shown once complete: GTK then lays out and maps the
    // controls in one go rather than once for each control added.
    Hide();
    Create(parent, wxID_ANY);
    SetQuickPageLook(*this);
    const wxSize size = ConvertDialogToPixels(wxSize(spec.widthDlu, spec.heightDlu));
    SetSize(size);
    SetMinSize(size);
    for (const PageControl& row : spec.layout) CreateControl(row);
    Bind(wxEVT_CHOICE, &CProgramPage::OnChoice, this);
    Bind(wxEVT_COMBOBOX, &CProgramPage::OnChoice, this);
    Bind(wxEVT_CHECKBOX, &CProgramPage::OnCheck, this);
    Bind(wxEVT_BUTTON, &CProgramPage::OnButton, this);
    Bind(wxEVT_SLIDER, &CProgramPage::OnPairChanged, this);
    Bind(wxEVT_TEXT, &CProgramPage::OnPairChanged, this);
    Bind(EVT_CDIAL_CLICKED, &CProgramPage::OnKnobClicked, this);
    for (const PageBinding& row : spec.bindings) SetUpBinding(row);
    NoteShownValues();
    Show();
}

CProgramPage::~CProgramPage() {
    // The controls go first, so no event of a dying control reaches a
    // binding that is already gone.
    DestroyChildren();
    links_.reset();
}

wxWindow* CProgramPage::Control(int id) const {
    const auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

CSliderEditPair* CProgramPage::SliderPair(int sliderId) const {
    const auto it = links_->sliders.find(sliderId);
    return it == links_->sliders.end() ? nullptr : it->second.pair.get();
}

void CProgramPage::Apply(const ControlChanges& changes) {
    for (const ControlChange& change : changes) {
        wxWindow* control = Control(change.id);
        if (control == nullptr) continue;
        switch (change.what) {
        case ControlChange::Show: control->Show(change.on); break;
        case ControlChange::Enable: control->Enable(change.on); break;
        case ControlChange::Relabel: control->SetLabel(wxString::FromUTF8(change.text)); break;
        }
    }
}

void CProgramPage::AddRule(int id, std::function<void()> rule) { rules_.emplace(id, std::move(rule)); }

void CProgramPage::RunRules(int id) {
    const auto [from, to] = rules_.equal_range(id);
    for (auto it = from; it != to; ++it) it->second();
}

void CProgramPage::Store(int param, int32_t value) { program_.SetParam(base_ + param, value, 1); }

void CProgramPage::CreateControl(const PageControl& row) {
    const wxRect rect(ConvertDialogToPixels(wxPoint(row.x, row.y)),
                      ConvertDialogToPixels(wxSize(row.w, row.h)));
    const wxWindowID id = row.id == kNoControlId ? wxID_ANY : row.id;
    const wxString text = wxString::FromUTF8(row.text);
    wxWindow* window = nullptr;
    switch (row.kind) {
    case PageControlKind::Label:
    case PageControlKind::LabelTop:
    case PageControlKind::LabelCentred: {
        const long align = row.kind == PageControlKind::LabelCentred ? wxALIGN_CENTRE_HORIZONTAL : 0;
        auto* label =
            new wxStaticText(this, id, text, rect.GetPosition(), rect.GetSize(), align | wxST_NO_AUTORESIZE);
        // A row label sits in the middle of its row; the row is at least as
        // high as a GTK drop-down, which is what usually stands beside it. A
        // centred label (a channel number) sits in the middle of its own
        // rectangle, which the controls under it start right below.
        if (row.kind != PageControlKind::LabelTop) {
            const int natural = LabelHeight(*label, text);
            const int band = row.kind == PageControlKind::LabelCentred
                                 ? rect.height
                                 : std::max(rect.height, kGtkChoiceHeight);
            if (natural < band) label->SetSize(rect.x, rect.y + (band - natural) / 2, rect.width, natural);
        }
        window = label;
        break;
    }
    case PageControlKind::GroupBox:
        window = new wxStaticBox(this, id, text, rect.GetPosition(), rect.GetSize());
        break;
    case PageControlKind::Choice: {
        wxArrayString items;
        for (const char* item : row.items) items.Add(wxString::FromUTF8(item));
        window = new wxChoice(this, id, rect.GetPosition(), wxSize(rect.width, ChoiceHeight(*this)), items);
        SetListSizedByShownItem(*window);
        break;
    }
    case PageControlKind::WaveChoice: {
        auto* list = new wxBitmapComboBox(this, id, wxString(), rect.GetPosition(), wxSize(rect.width, -1), 0,
                                          nullptr, wxCB_READONLY);
        for (std::size_t i = 0; i < row.items.size(); ++i)
            list->Append(wxString::FromUTF8(row.items[i]),
                         velk::VelkWaveBitmap(i < row.images.size() ? row.images[i] : -1));
        window = list;
        break;
    }
    case PageControlKind::Edit:
        window = new wxTextCtrl(this, id, wxString(), rect.GetPosition(), rect.GetSize(), wxTE_CENTRE);
        break;
    case PageControlKind::Slider:
    case PageControlKind::VSlider:
        window = new wxSlider(this, id, 0, 0, 1, rect.GetPosition(), rect.GetSize(),
                              row.kind == PageControlKind::VSlider ? wxSL_VERTICAL : wxSL_HORIZONTAL);
        break;
    case PageControlKind::CheckBox:
        window = new wxCheckBox(this, id, text, rect.GetPosition(), rect.GetSize());
        break;
    case PageControlKind::Knob: window = new CDial(this, id, rect.GetPosition(), rect.GetSize()); break;
    case PageControlKind::TwoStateButton:
        window = new C2StateButton(this, id, rect.GetPosition(), rect.GetSize());
        break;
    case PageControlKind::EnvelopeGraph:
        window = new CWiredPts(this, id, rect.GetPosition(), rect.GetSize());
        break;
    }
    if (row.id != kNoControlId) controls_[row.id] = window;
}

void CProgramPage::SetUpBinding(const PageBinding& row) {
    wxWindow* control = Control(row.control);
    if (control == nullptr) return;
    rowOfControl_[row.control] = &row;
    if (row.partner != kNoControlId) rowOfControl_[row.partner] = &row;
    const int id = base_ + row.param;
    switch (row.kind) {
    case PageBindingKind::Choice:
    case PageBindingKind::Check:
    case PageBindingKind::OnOffButton: break;
    case PageBindingKind::StepButtons:
        for (int step = 0; step < StepButtonCount(row); ++step) rowOfControl_[row.control + step] = &row;
        break;
    case PageBindingKind::SliderPair:
    case PageBindingKind::PanSliderPair:
    case PageBindingKind::HexSliderPair:
    case PageBindingKind::HoldSliderPair: {
        auto* slider = dynamic_cast<wxSlider*>(control);
        auto* edit = ControlAs<wxTextCtrl>(row.partner);
        if (slider == nullptr || edit == nullptr) return;
        Links::Slider& link = links_->sliders[row.control];
        link.pair = MakeSliderPair(row.kind);
        link.pair->Bind(program_, id);
        link.link = std::make_unique<SliderEditPairWx>(*link.pair, *slider, *edit);
        break;
    }
    case PageBindingKind::PanDialEdit: {
        auto* knob = dynamic_cast<CDial*>(control);
        auto* edit = ControlAs<wxTextCtrl>(row.partner);
        if (knob == nullptr || edit == nullptr) return;
        Links::DialEdit& link = links_->dialEdits[row.control];
        link.pair = MakeDialEditPair(row.kind);
        link.pair->Bind(program_, id);
        link.link = std::make_unique<DialEditPairWx>(*link.pair, *knob, *edit);
        break;
    }
    case PageBindingKind::DialChoice: {
        auto* knob = dynamic_cast<CDial*>(control);
        auto* list = ControlAs<wxChoice>(row.partner);
        if (knob == nullptr || list == nullptr) return;
        Links::DialChoice& link = links_->dialChoices[row.control];
        link.pair = MakeDialComboPair(row.kind);
        link.pair->Bind(program_, id);
        link.link = std::make_unique<DialComboPairWx>(*link.pair, *knob, *list);
        break;
    }
    case PageBindingKind::Envelope: {
        auto* graph = dynamic_cast<CWiredPts*>(control);
        if (graph == nullptr || row.edits.size() != 4) return;
        wxTextCtrl* edits[4] = {};
        for (int i = 0; i < 4; ++i)
            if ((edits[i] = ControlAs<wxTextCtrl>(row.edits[i])) == nullptr) return;
        Links::Envelope& link = links_->envelopes[row.control];
        link.group = std::make_unique<CAdsrGroupPrgParam>();
        link.group->Bind(program_, id, id + 1, id + 2, id + 3);
        link.link =
            std::make_unique<AdsrGroupWx>(*link.group, *graph, *edits[0], *edits[1], *edits[2], *edits[3]);
        break;
    }
    }
    ShowStored(row);
}

namespace {

// The setup of the row's pair, when its link was made.
template <class Links>
void SetUpPair(Links& links, const PageBinding& row) {
    if (const auto it = links.find(row.control); it != links.end())
        it->second.link->Setup(row.first, row.last, row.offset);
}

}  // namespace

void CProgramPage::ShowStored(const PageBinding& row) {
    wxWindow* control = Control(row.control);
    if (control == nullptr) return;
    const int id = base_ + row.param;
    switch (row.kind) {
    case PageBindingKind::Choice: SelectItem(control, ChoiceItemOf(row, program_.GetParam(id))); return;
    case PageBindingKind::Check:
        if (auto* box = dynamic_cast<wxCheckBox*>(control)) box->SetValue(program_.GetParam(id) != 0);
        return;
    case PageBindingKind::OnOffButton:
        if (auto* button = dynamic_cast<C2StateButton*>(control))
            button->SetState(OnOffButtonState(program_.GetParam(id)));
        return;
    case PageBindingKind::StepButtons: {
        const int32_t pattern = program_.GetParam(id);
        for (int step = 0; step < StepButtonCount(row); ++step)
            if (auto* button = ControlAs<C2StateButton>(row.control + step))
                button->SetState(StepButtonState(pattern, step));
        return;
    }
    case PageBindingKind::SliderPair:
    case PageBindingKind::PanSliderPair:
    case PageBindingKind::HexSliderPair:
    case PageBindingKind::HoldSliderPair: SetUpPair(links_->sliders, row); return;
    case PageBindingKind::PanDialEdit: SetUpPair(links_->dialEdits, row); return;
    case PageBindingKind::DialChoice: SetUpPair(links_->dialChoices, row); return;
    case PageBindingKind::Envelope:
        if (const auto it = links_->envelopes.find(row.control); it != links_->envelopes.end())
            it->second.link->Setup();
        return;
    }
}

std::vector<int32_t> CProgramPage::BoundValues() const {
    std::vector<int32_t> values;
    values.reserve(spec_.bindings.size());
    for (const PageBinding& row : spec_.bindings) {
        const int count = row.kind == PageBindingKind::Envelope ? 4 : 1;
        for (int i = 0; i < count; ++i) values.push_back(program_.GetParam(base_ + row.param + i));
    }
    return values;
}

void CProgramPage::NoteShownValues() { shownValues_ = BoundValues(); }

void CProgramPage::ShowProgramValues() {
    // Setting ~60 controls up again is a few milliseconds of a tab change.
    if (BoundValues() == shownValues_) return;
    for (const PageBinding& row : spec_.bindings) ShowStored(row);
    ApplyRules();
    NoteShownValues();
}

void CProgramPage::OnChoice(wxCommandEvent& event) {
    event.Skip();
    const auto it = rowOfControl_.find(event.GetId());
    if (it == rowOfControl_.end()) return;
    const PageBinding& row = *it->second;
    if (row.kind == PageBindingKind::DialChoice) {
        RunRules(event.GetId());  // the pair's link has handled the change
        return;
    }
    if (row.kind != PageBindingKind::Choice) return;
    RunRules(event.GetId());
    if (const wxItemContainer* list = ItemsOf(Control(row.control)))
        Store(row.param, ChoiceStoredValue(row, list->GetSelection()));
}

void CProgramPage::OnCheck(wxCommandEvent& event) {
    event.Skip();
    const auto it = rowOfControl_.find(event.GetId());
    if (it == rowOfControl_.end() || it->second->kind != PageBindingKind::Check) return;
    RunRules(event.GetId());
    if (const auto* box = ControlAs<wxCheckBox>(event.GetId()))
        Store(it->second->param, CheckStoredValue(box->GetValue()));
}

void CProgramPage::OnButton(wxCommandEvent& event) {
    event.Skip();
    const auto it = rowOfControl_.find(event.GetId());
    if (it == rowOfControl_.end()) return;
    const PageBinding& row = *it->second;
    if (row.kind == PageBindingKind::OnOffButton) {
        RunRules(event.GetId());
        if (const auto* button = ControlAs<C2StateButton>(row.control))
            Store(row.param, OnOffButtonStoredValue(button->State()));
    } else if (row.kind == PageBindingKind::StepButtons) {
        RunRules(event.GetId());
        Store(row.param, StepPattern(row));
    }
}

int32_t CProgramPage::StepPattern(const PageBinding& row) const {
    std::vector<int> states;
    for (int step = 0; step < StepButtonCount(row); ++step) {
        const auto* button = ControlAs<C2StateButton>(row.control + step);
        states.push_back(button != nullptr ? button->State() : 0);
    }
    return StepPatternOf(states);
}

void CProgramPage::OnPairChanged(wxCommandEvent& event) {
    event.Skip();
    RunRules(event.GetId());
}

void CProgramPage::OnKnobClicked(wxCommandEvent& event) {
    const auto it = rowOfControl_.find(event.GetId());
    if (it == rowOfControl_.end() || it->second->control != event.GetId()) return;
    const PageBindingKind kind = it->second->kind;
    if (kind != PageBindingKind::DialChoice && kind != PageBindingKind::PanDialEdit) return;
    if (wxWindow* partner = Control(it->second->partner)) partner->SetFocus();
}

namespace {

std::string WindowName(const wxWindow& window) {
    return window.GetId() > 0 ? "#" + std::to_string(window.GetId())
                              : "\"" + std::string(window.GetLabel().utf8_str()) + "\"";
}

// The text a control would crop, or nothing.
std::optional<wxString> CroppedText(const wxWindow& control) {
    const int width = control.GetSize().x;
    if (const auto* edit = dynamic_cast<const wxTextCtrl*>(&control)) {
        const wxString text = edit->GetValue();
        // GTK's entry frame: 8 px of padding and 1 px of border on each
        // side. (GetSizeFromTextSize adds a theme-dependent minimum on top,
        // which says nothing about whether the text shows.)
        constexpr int kEntryFrame = 2 * (8 + 1);
        if (edit->GetTextExtent(text).x + kEntryFrame > width) return text;
        return std::nullopt;
    }
    if (const auto* list = dynamic_cast<const wxItemContainerImmutable*>(&control)) {
        // A list's best width is that of its widest item.
        if (list->GetCount() == 0 || control.GetBestSize().x <= width) return std::nullopt;
        wxString widest;
        for (unsigned i = 0; i < list->GetCount(); ++i)
            if (control.GetTextExtent(list->GetString(i)).x > control.GetTextExtent(widest).x)
                widest = list->GetString(i);
        return widest;
    }
    if (dynamic_cast<const wxStaticText*>(&control) != nullptr ||
        dynamic_cast<const wxCheckBox*>(&control) != nullptr) {
        // wxST_NO_AUTORESIZE keeps the size; the best size is the caption's.
        if (control.GetBestSize().x > width) return control.GetLabel();
    }
    return std::nullopt;
}

}  // namespace

std::vector<std::string> CheckWindowTexts(const wxWindow& page) {
    std::vector<std::string> problems;
    for (const wxWindow* child : page.GetChildren())
        if (child->IsShown())
            if (const auto text = CroppedText(*child))
                problems.push_back(WindowName(*child) + " crops \"" + std::string(text->utf8_str()) + "\"");
    return problems;
}

std::vector<std::string> CheckWindowLayout(const wxWindow& page) {
    std::vector<PlacedControl> placed;
    for (const wxWindow* child : page.GetChildren()) {
        if (!child->IsShown()) continue;
        const std::string name = WindowName(*child);
        const wxRect r = child->GetRect();
        placed.push_back(
            {name, dynamic_cast<const wxStaticBox*>(child) != nullptr, {r.x, r.y, r.width, r.height}});
    }
    const wxSize size = page.GetClientSize();
    return CheckLayout(placed, {0, 0, size.x, size.y});
}
