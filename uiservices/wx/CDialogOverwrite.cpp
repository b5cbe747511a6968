#include "uiservices/wx/CDialogOverwrite.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/spinbutt.h>
#include <wx/stattext.h>

#include "resources/VelkStrings.h"

namespace {
// The caption's text until the dialog is given its own.
constexpr const char* kCaptionPlaceholder = "CAPTION";
}  // namespace

CDialogOverwrite::CDialogOverwrite(const std::string& caption, int* target, const MDevDesc* device,
                                   int targetKind, wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8(velk::text::kWriteToDeviceTitle)),
      model_(caption, target, device, targetKind) {
    auto* captionLine = new wxStaticText(this, kIdCaption, wxString::FromUTF8(kCaptionPlaceholder));
    captionLine->SetLabelText(wxString::FromUTF8(model_.GetCaption()));
    captionLine->Wrap(FromDIP(420));

    auto* label = new wxStaticText(this, kIdTargetLabel, wxString::FromUTF8(velk::text::kTargetLabel));
    number_ = new wxStaticText(this, kIdTargetNumber, wxString::FromUTF8(velk::text::kNoTarget),
                               wxDefaultPosition, FromDIP(wxSize(56, -1)), wxST_NO_AUTORESIZE);
    spin_ = new wxSpinButton(this, kIdTargetSpin, wxDefaultPosition, wxDefaultSize,
                             wxSP_VERTICAL | wxSP_ARROW_KEYS);
    if (model_.IsTargetEnabled()) {
        // Only with a slot to choose: a range of 0..-1 is refused by wx.
        spin_->SetRange(model_.GetMinimum(), model_.GetMaximum());
        spin_->SetValue(model_.GetPosition());
    }
    for (wxWindow* control :
         {static_cast<wxWindow*>(label), static_cast<wxWindow*>(number_), static_cast<wxWindow*>(spin_)})
        control->Enable(model_.IsTargetEnabled());
    ShowTarget();

    const int gap = FromDIP(8);
    auto* targetRow = new wxBoxSizer(wxHORIZONTAL);
    targetRow->Add(label, 0, wxALIGN_CENTER_VERTICAL);
    targetRow->Add(number_, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, gap / 2);
    targetRow->Add(spin_, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, gap / 2);

    auto* buttons = CreateStdDialogButtonSizer(wxOK | wxCANCEL);
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(captionLine, 0, wxALL, gap * 2);
    top->Add(targetRow, 0, wxLEFT | wxRIGHT, gap * 2);
    top->Add(buttons, 0, wxEXPAND | wxALL, gap * 2);
    SetSizerAndFit(top);
    wxSize size = GetClientSize();
    size.IncTo(FromDIP(wxSize(320, 0)));
    SetClientSize(size);
    if (auto* ok = wxDynamicCast(FindWindow(wxID_OK), wxButton)) ok->SetDefault();

    spin_->Bind(wxEVT_SPIN, &CDialogOverwrite::OnDeltaPosTarget, this);
    Bind(wxEVT_BUTTON, &CDialogOverwrite::OnOK, this, wxID_OK);
    // Enter in the slot spinner presses OK, as in a text field (GTK's
    // spinner keeps the key to itself).
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        const int key = event.GetKeyCode();
        if ((key == WXK_RETURN || key == WXK_NUMPAD_ENTER) && FindFocus() == spin_) {
            wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
            ok.SetEventObject(FindWindow(wxID_OK));
            ProcessWindowEvent(ok);
            return;
        }
        event.Skip();
    });
    CentreOnParent();
}

void CDialogOverwrite::OnDeltaPosTarget(wxSpinEvent& event) {
    // The spin moved by its own step; the model holds it to the range.
    model_.SetPosition(event.GetPosition());
    ShowTarget();
}

void CDialogOverwrite::OnOK(wxCommandEvent&) {
    model_.StoreTarget();
    SetReturnCode(wxID_OK);  // also when shown modeless (EndDialog then only hides)
    EndDialog(wxID_OK);
}

void CDialogOverwrite::ShowTarget() { number_->SetLabel(wxString::FromUTF8(model_.GetTargetText())); }
