#include "librarian/wx/CDialogAbout.h"

#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "resources/VelkStrings.h"
#include "resources/wx/VelkArt.h"

CDialogAbout::CDialogAbout(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8(std::string("About ") + velk::text::kAppTitle)) {
    const int gap = FromDIP(10);
    auto* texts = new wxBoxSizer(wxVERTICAL);
    auto* name = new wxStaticText(this, wxID_ANY, wxString::FromUTF8(velk::text::kAppTitle) + " Version 1.0");
    name->SetFont(name->GetFont().Bold());
    texts->Add(name, 0, wxBOTTOM, gap / 2);
    texts->Add(
        new wxStaticText(this, wxID_ANY, "Sound editor and librarian for the Brontisel and Brontisel S."), 0,
        wxBOTTOM, gap / 2);
    texts->Add(new wxStaticText(this, wxID_ANY, "Copyright (C) 2026 VELK"));

    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticBitmap(this, wxID_ANY, velk::VelkAppIcons().GetIcon(wxSize(32, 32))), 0, wxRIGHT,
             gap * 2);
    row->Add(texts, 1);

    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(row, 1, wxEXPAND | wxALL, gap * 2);
    top->Add(CreateStdDialogButtonSizer(wxOK), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, gap * 2);
    SetSizerAndFit(top);
    CentreOnParent();
}
