#include "librarian/wx/CWxSettingsStore.h"

#include <wx/filename.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

std::string CWxSettingsStore::DefaultFilePath() {
    wxString base;
    if (!wxGetEnv("XDG_CONFIG_HOME", &base) || base.empty()) base = wxFileName::GetHomeDir() + "/.config";
    return (base + "/" + kVendor + "/" + kApplication + ".conf").utf8_string();
}

std::string VelkDocumentsDir() {
    wxString documents = wxStandardPaths::Get().GetDocumentsDir();
    if (documents.empty()) documents = wxGetHomeDir();
    return documents.utf8_string();
}
