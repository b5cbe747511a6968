#pragma once
// The user's settings profile in the XDG layout:
// $XDG_CONFIG_HOME (else ~/.config) / "VELK" / "Brontisel SoundEditor.conf".

#include <string>

#include "librarian/CVelkSettingsFile.h"

class CWxSettingsStore final : public CVelkSettingsFile {
public:
    static constexpr const char* kVendor = "VELK";
    static constexpr const char* kApplication = "Brontisel SoundEditor";

    // The profile at `filePath`; DefaultFilePath() for the user's own.
    explicit CWxSettingsStore(const std::string& filePath) : CVelkSettingsFile(filePath) {}

    static std::string DefaultFilePath();
};

// The user's documents folder (the home folder when the desktop names none).
std::string VelkDocumentsDir();
