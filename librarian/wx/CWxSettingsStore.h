#pragma once
// The settings profile as a wxFileConfig file in the XDG layout:
// $XDG_CONFIG_HOME (else ~/.config) / "VELK" / "Brontisel SoundEditor.conf",
// flushed after every write.

#include <memory>
#include <string>

#include "librarian/VelkSettingsStore.h"

class wxFileConfig;

class CWxSettingsStore final : public VelkSettingsStore {
public:
    static constexpr const char* kVendor = "VELK";
    static constexpr const char* kApplication = "Brontisel SoundEditor";

    // The profile at `filePath`; DefaultFilePath() for the user's own.
    explicit CWxSettingsStore(const std::string& filePath);
    ~CWxSettingsStore() override;

    static std::string DefaultFilePath();

    std::string ReadString(const std::string& group, const std::string& name,
                           const std::string& fallback) const override;
    int ReadInt(const std::string& group, const std::string& name, int fallback) const override;
    void WriteString(const std::string& group, const std::string& name,
                     const std::string& value) override;
    void WriteInt(const std::string& group, const std::string& name, int value) override;

private:
    void Flush();

    std::string filePath_;
    std::unique_ptr<wxFileConfig> config_;
};

// The user's documents folder (the home folder when the desktop names none).
std::string VelkDocumentsDir();
