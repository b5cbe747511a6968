#pragma once
// The user's settings in group "Main" of the settings profile: the chosen
// MIDI ports, the library folder, the list's sort order and view styles.
// Nothing is cached: values are read when asked for and written at once.
// Values edited by hand are checked here, where they are read, so that the
// list never gets a column or style that does not exist.

#include <string>

class VelkSettingsStore;

class CVelkPreference {
public:
    static constexpr const char* kGroup = "Main";
    static constexpr const char* kMidiInDev = "MidiInDev";
    static constexpr const char* kMidiOutDev = "MidiOutDev";
    static constexpr const char* kLibraryPath = "LibraryPath";
    static constexpr const char* kSortDevColumn = "SortDevColumn";
    static constexpr const char* kSortDevBackOrder = "SortDevBackOrder";
    static constexpr const char* kSortFileColumn = "SortFileColumn";
    static constexpr const char* kSortFileBackOrder = "SortFileBackOrder";
    static constexpr const char* kViewStyleDev = "ViewStyleDev";
    static constexpr const char* kViewStyleFile = "ViewStyleFile";

    static constexpr int kDefaultDevColumn = 1;
    static constexpr int kDefaultFileColumn = 0;
    static constexpr int kColumnCount = 6;     // sort columns 0..5
    static constexpr int kViewStyleCount = 4;  // view styles 0..3
    static constexpr const char* kLibraryFolderName = "VELK";

    // `documentsDir` is the user's documents folder, the base of the default
    // library path (empty when the desktop cannot name one).
    CVelkPreference(VelkSettingsStore& store, std::string documentsDir);
    virtual ~CVelkPreference() = default;

    void GetMidiDevices(std::string& inName, std::string& outName) const;
    void SetMidiDevices(const std::string& inName, const std::string& outName);

    // A column outside 0..5 reads as its default, a back order other than
    // 0 or 1 as 0.
    void GetSortOrder(int& devColumn, int& devBackOrder, int& fileColumn, int& fileBackOrder) const;
    void SetSortOrder(int devColumn, int devBackOrder, int fileColumn, int fileBackOrder);

    // A style outside 0..3 reads as 0.
    void GetViewStyle(int& devStyle, int& fileStyle) const;
    void SetViewStyle(int devStyle, int fileStyle);

    // The stored library path, used as it is. When none is stored: the
    // documents folder + "/VELK", stored before it is returned. A stored
    // path that is not usable (see below) is left in the settings, and the
    // default is used in its place. With no documents folder nothing is
    // stored and the result is empty (a library at the file system's root
    // would be worse than none).
    std::string GetLibraryPath();

    // False for a path with a line feed (or a NUL) in it.
    static bool IsUsableLibraryPath(const std::string& path);

    // `folder` + '/' + `name`, without doubling a separator the folder
    // already ends with.
    static std::string JoinFolder(const std::string& folder, const std::string& name);

private:
    int ReadInRange(const char* name, int fallback, int count) const;

    VelkSettingsStore& store_;
    std::string documentsDir_;
};
