#include "librarian/wx/CWxLauncher.h"

#include <wx/mimetype.h>
#include <wx/utils.h>

bool CWxLauncher::Open(const std::string& path) {
    return wxLaunchDefaultApplication(wxString::FromUTF8(path));
}
