#include "librarian/CVelkPreference.h"

#include <utility>

#include "librarian/VelkSettingsStore.h"

CVelkPreference::CVelkPreference(VelkSettingsStore& store, std::string documentsDir)
    : store_(store), documentsDir_(std::move(documentsDir)) {}

void CVelkPreference::GetMidiDevices(std::string& inName, std::string& outName) const {
    inName = store_.ReadString(kGroup, kMidiInDev, "");
    outName = store_.ReadString(kGroup, kMidiOutDev, "");
}

void CVelkPreference::SetMidiDevices(const std::string& inName, const std::string& outName) {
    store_.WriteString(kGroup, kMidiInDev, inName);
    store_.WriteString(kGroup, kMidiOutDev, outName);
}

int CVelkPreference::ReadInRange(const char* name, int fallback, int count) const {
    const int value = store_.ReadInt(kGroup, name, fallback);
    return value >= 0 && value < count ? value : fallback;
}

void CVelkPreference::GetSortOrder(int& devColumn, int& devBackOrder, int& fileColumn,
                                   int& fileBackOrder) const {
    devColumn = ReadInRange(kSortDevColumn, kDefaultDevColumn, kColumnCount);
    devBackOrder = ReadInRange(kSortDevBackOrder, 0, 2);
    fileColumn = ReadInRange(kSortFileColumn, kDefaultFileColumn, kColumnCount);
    fileBackOrder = ReadInRange(kSortFileBackOrder, 0, 2);
}

void CVelkPreference::SetSortOrder(int devColumn, int devBackOrder, int fileColumn,
                                   int fileBackOrder) {
    store_.WriteInt(kGroup, kSortDevColumn, devColumn);
    store_.WriteInt(kGroup, kSortDevBackOrder, devBackOrder);
    store_.WriteInt(kGroup, kSortFileColumn, fileColumn);
    store_.WriteInt(kGroup, kSortFileBackOrder, fileBackOrder);
}

void CVelkPreference::GetViewStyle(int& devStyle, int& fileStyle) const {
    devStyle = ReadInRange(kViewStyleDev, 0, kViewStyleCount);
    fileStyle = ReadInRange(kViewStyleFile, 0, kViewStyleCount);
}

void CVelkPreference::SetViewStyle(int devStyle, int fileStyle) {
    store_.WriteInt(kGroup, kViewStyleDev, devStyle);
    store_.WriteInt(kGroup, kViewStyleFile, fileStyle);
}

std::string CVelkPreference::GetLibraryPath() {
    std::string path = store_.ReadString(kGroup, kLibraryPath, "");
    if (!path.empty() || documentsDir_.empty()) return path;
    path = JoinFolder(documentsDir_, kLibraryFolderName);
    store_.WriteString(kGroup, kLibraryPath, path);
    return path;
}

std::string CVelkPreference::JoinFolder(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '/') return folder + name;
    return folder + '/' + name;
}
