#include "librarian/wx/CDialogDevice.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "resources/VelkStrings.h"
#include "resources/wx/VelkArt.h"
#include "uiservices/VelkUiServices.h"

namespace {

void Fill(wxChoice* list, const std::vector<std::string>& names, int selection) {
    list->Clear();
    for (const std::string& name : names) list->Append(wxString::FromUTF8(name));
    list->SetSelection(selection >= 0 ? selection : wxNOT_FOUND);
}

}  // namespace

CDialogDevice::CDialogDevice(int* inId, int* outId, midiport::MidiBackend& backend,
                             CVelkPreference& preference, wxWindow* parent, VelkUiServices& ui)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8(velk::text::kMidiDeviceTitle)),
      model_(backend, inId, outId, preference),
      ui_(ui) {
    inputs_ = new wxChoice(this, kIdInputs);
    outputs_ = new wxChoice(this, kIdOutputs);
    FillLists();

    const int gap = FromDIP(8);
    auto* grid = new wxFlexGridSizer(3, gap, gap);
    grid->AddGrowableCol(2, 1);
    const struct {
        const char* label;
        bool output;
        wxChoice* list;
    } rows[] = {{velk::text::kMidiIn, false, inputs_}, {velk::text::kMidiOut, true, outputs_}};
    for (const auto& row : rows) {
        grid->Add(new wxStaticBitmap(this, wxID_ANY, velk::VelkMidiPortBitmap(row.output)), 0,
                  wxALIGN_CENTER_VERTICAL);
        grid->Add(new wxStaticText(this, wxID_ANY, wxString::FromUTF8(row.label)), 0,
                  wxALIGN_CENTER_VERTICAL);
        grid->Add(row.list, 1, wxEXPAND | wxALIGN_CENTER_VERTICAL);
    }
    inputs_->SetMinSize(FromDIP(wxSize(260, -1)));
    outputs_->SetMinSize(FromDIP(wxSize(260, -1)));

    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(grid, 1, wxEXPAND | wxALL, gap * 2);
    top->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, gap * 2);
    SetSizerAndFit(top);
    if (auto* ok = wxDynamicCast(FindWindow(wxID_OK), wxButton)) ok->SetDefault();

    Bind(wxEVT_BUTTON, &CDialogDevice::OnOK, this, wxID_OK);
    // Escape and the window's close come here too.
    Bind(
        wxEVT_BUTTON,
        [this](wxCommandEvent& event) {
            model_.KeepPortsInUse();
            event.Skip();
        },
        wxID_CANCEL);
    CentreOnParent();
}

void CDialogDevice::FillLists() {
    Fill(inputs_, model_.GetInputs(), model_.GetInputSelection());
    Fill(outputs_, model_.GetOutputs(), model_.GetOutputSelection());
}

void CDialogDevice::OnOK(wxCommandEvent&) {
    const int in = inputs_->GetSelection();
    const int out = outputs_->GetSelection();
    const CDialogDeviceModel::CommitResult result = model_.Commit(in, out);
    if (!result.done) {
        // The chosen port was unplugged: say so and offer the lists as they
        // are now, the dialog staying open.
        ui_.ShowMessage(velk::FormatVelkText(velk::text::kMidiPortGone, result.missing),
                        velk::text::kMidiDeviceTitle, VelkIcon::kError);
        model_.Refresh(in, out);
        FillLists();
        return;
    }
    SetReturnCode(wxID_OK);  // also when shown modeless (EndDialog then only hides)
    EndDialog(wxID_OK);
}
