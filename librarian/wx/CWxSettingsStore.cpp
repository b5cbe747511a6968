#include "librarian/wx/CWxSettingsStore.h"

#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

#include <climits>

namespace {

wxString Key(const std::string& group, const std::string& name) {
    return "/" + wxString::FromUTF8(group) + "/" + wxString::FromUTF8(name);
}

}  // namespace

CWxSettingsStore::CWxSettingsStore(const std::string& filePath)
    : filePath_(filePath),
      config_(std::make_unique<wxFileConfig>(kApplication, kVendor, wxString::FromUTF8(filePath),
                                             wxString(), wxCONFIG_USE_LOCAL_FILE)) {}

CWxSettingsStore::~CWxSettingsStore() = default;

std::string CWxSettingsStore::DefaultFilePath() {
    wxString base;
    if (!wxGetEnv("XDG_CONFIG_HOME", &base) || base.empty())
        base = wxFileName::GetHomeDir() + "/.config";
    return (base + "/" + kVendor + "/" + kApplication + ".conf").utf8_string();
}

std::string CWxSettingsStore::ReadString(const std::string& group, const std::string& name,
                                         const std::string& fallback) const {
    wxString value;
    if (!config_->Read(Key(group, name), &value)) return fallback;
    return value.utf8_string();
}

int CWxSettingsStore::ReadInt(const std::string& group, const std::string& name,
                              int fallback) const {
    long value = 0;
    if (!config_->Read(Key(group, name), &value)) return fallback;
    return value >= INT_MIN && value <= INT_MAX ? static_cast<int>(value) : fallback;
}

void CWxSettingsStore::WriteString(const std::string& group, const std::string& name,
                                   const std::string& value) {
    config_->Write(Key(group, name), wxString::FromUTF8(value));
    Flush();
}

void CWxSettingsStore::WriteInt(const std::string& group, const std::string& name, int value) {
    config_->Write(Key(group, name), static_cast<long>(value));
    Flush();
}

void CWxSettingsStore::Flush() {
    // The folder may not exist on a first start; write failures are not
    // reported (the settings then last only for this run).
    wxFileName::Mkdir(wxFileName(wxString::FromUTF8(filePath_)).GetPath(), wxS_DIR_DEFAULT,
                      wxPATH_MKDIR_FULL);
    config_->Flush();
}

std::string VelkDocumentsDir() {
    wxString documents = wxStandardPaths::Get().GetDocumentsDir();
    if (documents.empty()) documents = wxGetHomeDir();
    return documents.utf8_string();
}
