// The settings profile on disk: where it lies, that each write is on disk at
// once, that hand-edited values read back safely, and that a file edited
// or damaged by hand, or one that cannot be written, never brings up a box
// or an assertion: problems go to standard error, once.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <wx/fileconf.h>
#include <wx/log.h>

#include "librarian/CVelkPreference.h"
#include "librarian/wx/CWxSettingsStore.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using velktest::ReadText;
using velktest::WriteText;

// What wx would show in message boxes (errors, warnings, messages) while
// this lives. Assertions fail the running test already (GuiTestMain).
class BoxWatch {
public:
    BoxWatch() : previous_(wxLog::SetActiveTarget(&log_)) {}
    ~BoxWatch() { wxLog::SetActiveTarget(previous_); }
    BoxWatch(const BoxWatch&) = delete;
    BoxWatch& operator=(const BoxWatch&) = delete;
    const std::vector<std::string>& Messages() const { return log_.messages; }

private:
    class Recorder final : public wxLog {
    public:
        std::vector<std::string> messages;

    protected:
        void DoLogRecord(wxLogLevel level, const wxString& text, const wxLogRecordInfo&) override {
            if (level <= wxLOG_Message) messages.push_back(text.utf8_string());
        }
    };
    Recorder log_;
    wxLog* previous_;
};

// A fresh folder in the test's own config folder.
velktest::TempDir Scratch() { return velktest::TempDir(std::getenv("XDG_CONFIG_HOME")); }

std::size_t CountOf(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

std::size_t Entries(const fs::path& folder) {
    return std::size_t(std::distance(fs::directory_iterator(folder), {}));
}

TEST(SettingsStore, ProfileLiesInXdgConfigUnderVendorAndApplication) {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    ASSERT_NE(config, nullptr);  // set by the test launcher
    EXPECT_EQ(CWxSettingsStore::DefaultFilePath(), std::string(config) + "/VELK/Brontisel SoundEditor.conf");
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

TEST(SettingsStore, BadLinesAreIgnoredAndReportedOnStandardErrorNeverInABox) {
    const velktest::TempDir scratch = Scratch();
    const fs::path path = scratch / "settings.conf";
    const std::string text =
        "[Main]\n"
        "=value\n"  // 2: no name (wx asserted on it)
        "LibraryPath=/srv/lib\n"
        "ViewStyleDev\n"  // 4: no '='
        "[Broken\n"       // 5: no ']'
        "ViewStyleFile=2\n"
        "; a comment\n";
    WriteText(path, text);
    BoxWatch boxes;
    ::testing::internal::CaptureStderr();
    {
        CWxSettingsStore store(path.string());
        CVelkPreference preference(store, "/home/u/Documents");
        EXPECT_EQ(preference.GetLibraryPath(), "/srv/lib");
        int devStyle = -1, fileStyle = -1;
        preference.GetViewStyle(devStyle, fileStyle);
        EXPECT_EQ(devStyle, 0);
        EXPECT_EQ(fileStyle, 2);
        preference.SetViewStyle(3, 2);
    }
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(boxes.Messages().empty()) << boxes.Messages().front();
    for (const char* line : {"line 2 ignored", "line 4 ignored", "line 5 ignored"})
        EXPECT_EQ(CountOf(errors, line), 1u) << line << " in:\n" << errors;
    EXPECT_EQ(CountOf(errors, "ignored"), 3u) << errors;

    // The lines written by hand stay as they were; the new value is added.
    const std::string after = ReadText(path);
    EXPECT_EQ(after.find(text.substr(0, text.size() - std::string("; a comment\n").size())), 0u) << after;
    EXPECT_NE(after.find("ViewStyleDev=3\n"), std::string::npos) << after;
    EXPECT_EQ(CWxSettingsStore(path.string()).ReadInt("Main", "ViewStyleDev", -1), 3);
}

TEST(SettingsStore, ValuesAreUsedAsWrittenWithNothingExpanded) {
    const velktest::TempDir scratch = Scratch();
    const fs::path path = scratch / "settings.conf";
    WriteText(path, "[Main]\nLibraryPath=/x/lib$HOME\nMidiInDev=Port ${USER} %HOME% ~ $\n");
    {
        CWxSettingsStore store(path.string());
        CVelkPreference preference(store, "/home/u/Documents");
        EXPECT_EQ(preference.GetLibraryPath(), "/x/lib$HOME");
        std::string in, out;
        preference.GetMidiDevices(in, out);
        EXPECT_EQ(in, "Port ${USER} %HOME% ~ $");
    }
    // Whatever is written reads back the same from the file.
    const char* values[] = {"/x/$HOME/a",          "  two leading blanks",
                            "\"quoted\" twice \"", "back\\slash\\",
                            "tab\there",           "trailing  ",
                            "line\nfeed\r",        "=;#[x]",
                            "caf\xc3\xa9",         ""};
    for (const char* value : values) {
        CWxSettingsStore(path.string()).WriteString("Main", "Value", value);
        EXPECT_EQ(CWxSettingsStore(path.string()).ReadString("Main", "Value", "?"), value);
    }
}

TEST(SettingsStore, ProfilesWrittenByEarlierVersionsReadTheSame) {
    // Earlier versions wrote the profile through wx's own file format.
    const velktest::TempDir scratch = Scratch();
    const fs::path path = scratch / "settings.conf";
    const char* values[] = {
        "/home/u/Documents/VELK", "  lead", "\"q\"", "a\\b", "t\tab", "n\nl", "Sim:Port 1"};
    {
        wxFileConfig earlier(wxString(), wxString(), wxString::FromUTF8(path.string()), wxString(),
                             wxCONFIG_USE_LOCAL_FILE);
        int i = 0;
        for (const char* value : values)
            earlier.Write("/Main/V" + std::to_string(i++), wxString::FromUTF8(value));
        earlier.Write("/Main/SortDevColumn", 4L);
        ASSERT_TRUE(earlier.Flush());
    }
    CWxSettingsStore store(path.string());
    int i = 0;
    for (const char* value : values)
        EXPECT_EQ(store.ReadString("Main", "V" + std::to_string(i++), "?"), value);
    EXPECT_EQ(store.ReadInt("Main", "SortDevColumn", -1), 4);
}

TEST(SettingsStore, WriteFailuresAreReportedOnceOnStandardErrorAndLeaveNoFileBehind) {
    struct Case {
        const char* name;
        // Makes the obstacle in `folder`; the settings file's path.
        fs::path (*setUp)(const fs::path& folder);
    };
    const Case cases[] = {
        {"a folder in the file's place",
         [](const fs::path& folder) {
             fs::create_directory(folder / "settings.conf");
             return folder / "settings.conf";
         }},
        {"a file in its folder's place",
         [](const fs::path& folder) {
             WriteText(folder / "VELK", "not a folder");
             return folder / "VELK" / "settings.conf";
         }},
        {"a read-only file",
         [](const fs::path& folder) {
             WriteText(folder / "settings.conf", "[Main]\nViewStyleDev=1\n");
             fs::permissions(folder / "settings.conf", fs::perms(0444));
             return folder / "settings.conf";
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const velktest::TempDir scratch = Scratch();
        const fs::path& folder = scratch.Path();
        const fs::path path = c.setUp(folder);
        const std::size_t entries = Entries(folder);
        const std::string before = fs::is_regular_file(path) ? ReadText(path) : "";
        BoxWatch boxes;
        ::testing::internal::CaptureStderr();
        {
            CWxSettingsStore store(path.string());
            CVelkPreference preference(store, "/home/u/Documents");
            for (int click = 0; click < 3; ++click) {
                preference.SetViewStyle(click, 1);
                preference.SetSortOrder(click, 1, 2, 0);
            }
            preference.SetMidiDevices("In", "Out");
            int devStyle = -1, fileStyle = -1;
            preference.GetViewStyle(devStyle, fileStyle);
            EXPECT_EQ(devStyle, 2) << "the values hold for the run";
        }
        const std::string errors = ::testing::internal::GetCapturedStderr();
        EXPECT_TRUE(boxes.Messages().empty()) << boxes.Messages().front();
        EXPECT_EQ(CountOf(errors, path.string()), 1u) << errors;
        EXPECT_EQ(Entries(folder), entries) << "a temporary file was left behind";
        if (fs::is_regular_file(path)) {
            EXPECT_EQ(ReadText(path), before);
        }
    }
}

TEST(SettingsStore, ALibraryPathWithALineFeedIsRefusedForTheDefault) {
    // As the program writes a line feed into the file: escaped.
    const velktest::TempDir scratch = Scratch();
    const fs::path path = scratch / "settings.conf";
    WriteText(path, "[Main]\nLibraryPath=/home/u/lib\\nrary\n");
    CWxSettingsStore store(path.string());
    CVelkPreference preference(store, "/home/u/Documents");
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(preference.GetLibraryPath(), "/home/u/Documents/VELK");
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("line feed"), std::string::npos);
    EXPECT_EQ(CWxSettingsStore(path.string()).ReadString("Main", "LibraryPath", "?"), "/home/u/lib\nrary");
}

TEST(SettingsStore, DocumentsFolderIsNamed) { EXPECT_FALSE(VelkDocumentsDir().empty()); }

}  // namespace
