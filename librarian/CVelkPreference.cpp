#include "librarian/CVelkPreference.h"

#include <cstdio>
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

void CVelkPreference::SetSortOrder(int devColumn, int devBackOrder, int fileColumn, int fileBackOrder) {
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

bool CVelkPreference::IsUsableLibraryPath(const std::string& path) {
    // Lists of item paths hold one path a line: a line feed in the library's
    // name would split every path below it in two. A NUL would cut the name
    // short of what is stored.
    return path.find('\n') == std::string::npos && path.find('\0') == std::string::npos;
}

std::string CVelkPreference::GetLibraryPath() {
    const std::string stored = store_.ReadString(kGroup, kLibraryPath, "");
    if (!stored.empty() && IsUsableLibraryPath(stored)) return stored;
    if (!stored.empty())
        std::fprintf(stderr,
                     "velk-editor: the library path in the settings holds a line feed or a NUL; "
                     "the default is used\n");
    if (documentsDir_.empty()) return {};
    const std::string path = JoinFolder(documentsDir_, kLibraryFolderName);
    if (!IsUsableLibraryPath(path)) return {};
    // A refused value stays in the settings as it was written.
    if (stored.empty()) store_.WriteString(kGroup, kLibraryPath, path);
    return path;
}

std::string CVelkPreference::JoinFolder(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '/') return folder + name;
    return folder + '/' + name;
}
