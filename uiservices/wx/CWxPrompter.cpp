#include "uiservices/wx/CWxPrompter.h"

#include <wx/msgdlg.h>

#include <utility>

namespace {

long IconStyle(VelkIcon icon) {
    switch (icon) {
        case VelkIcon::kInformation: return wxICON_INFORMATION;
        case VelkIcon::kWarning: return wxICON_WARNING;
        case VelkIcon::kError: return wxICON_ERROR;
        case VelkIcon::kQuestion: return wxICON_QUESTION;
        case VelkIcon::kNone: break;
    }
    return wxICON_NONE;
}

}  // namespace

CWxPrompter::CWxPrompter(std::function<wxWindow*()> parent) : parent_(std::move(parent)) {}

int CWxPrompter::Run(const std::string& text, const std::string& caption, long style) {
    wxMessageDialog box(parent_ ? parent_() : nullptr, wxString::FromUTF8(text),
                        wxString::FromUTF8(caption), style);
    return box.ShowModal();
}

void CWxPrompter::ShowMessage(const std::string& text, const std::string& caption,
                              VelkIcon icon) {
    Run(text, caption, wxOK | IconStyle(icon));
}

VelkAnswer CWxPrompter::AskYesNo(const std::string& text, const std::string& caption,
                                 VelkIcon icon) {
    return Run(text, caption, wxYES_NO | IconStyle(icon)) == wxID_YES ? VelkAnswer::kYes
                                                                       : VelkAnswer::kNo;
}

VelkAnswer CWxPrompter::AskYesNoCancel(const std::string& text, const std::string& caption,
                                       VelkIcon icon) {
    switch (Run(text, caption, wxYES_NO | wxCANCEL | IconStyle(icon))) {
        case wxID_YES: return VelkAnswer::kYes;
        case wxID_NO: return VelkAnswer::kNo;
        default: return VelkAnswer::kCancel;
    }
}
