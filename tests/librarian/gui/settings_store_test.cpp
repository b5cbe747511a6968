// The settings profile on disk: where it lies, that each write is on disk at
// once, and that hand-edited values read back safely.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "librarian/CVelkPreference.h"
#include "librarian/wx/CWxSettingsStore.h"

namespace {

TEST(SettingsStore, ProfileLiesInXdgConfigUnderVendorAndApplication) {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    ASSERT_NE(config, nullptr);  // set by the test launcher
    EXPECT_EQ(CWxSettingsStore::DefaultFilePath(),
              std::string(config) + "/VELK/Brontisel SoundEditor.conf");
}

TEST(SettingsStore, EveryWriteIsOnDiskAtOnce) {
    const std::string path = CWxSettingsStore::DefaultFilePath();
    std::filesystem::remove(path);
    CWxSettingsStore store(path);
    CVelkPreference preference(store, "/home/u/Documents/");
    preference.SetMidiDevices("Sim:Port 1", "");
    preference.SetViewStyle(2, 3);
    EXPECT_EQ(preference.GetLibraryPath(), "/home/u/Documents/VELK");

    // A second reader sees everything without the first one closing.
    CWxSettingsStore reader(path);
    EXPECT_EQ(reader.ReadString("Main", "MidiInDev", "?"), "Sim:Port 1");
    EXPECT_EQ(reader.ReadString("Main", "MidiOutDev", "?"), "");
    EXPECT_EQ(reader.ReadInt("Main", "ViewStyleFile", -1), 3);
    EXPECT_EQ(reader.ReadString("Main", "LibraryPath", "?"), "/home/u/Documents/VELK");
}

TEST(SettingsStore, HandEditedValuesReadBackSafely) {
    const std::string path = CWxSettingsStore::DefaultFilePath();
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path) << "[Main]\nSortDevColumn=9\nViewStyleDev=list\nSortFileColumn=99999999999\n"
                           "LibraryPath=/srv/sounds/\n";
    CWxSettingsStore store(path);
    CVelkPreference preference(store, "/home/u/Documents");
    int devColumn, devBack, fileColumn, fileBack, devStyle, fileStyle;
    preference.GetSortOrder(devColumn, devBack, fileColumn, fileBack);
    preference.GetViewStyle(devStyle, fileStyle);
    EXPECT_EQ(devColumn, 1);
    EXPECT_EQ(fileColumn, 0);
    EXPECT_EQ(devStyle, 0);
    EXPECT_EQ(preference.GetLibraryPath(), "/srv/sounds/");
}

TEST(SettingsStore, DocumentsFolderIsNamed) { EXPECT_FALSE(VelkDocumentsDir().empty()); }

}  // namespace
