// The settings file's round trip: what is written reads back as written,
// whatever characters the value holds.
//
// The settings file as users keep it: a link into a folder of their own,
// and a disk that fills up. A change goes where the link leads, and a
// change that cannot be written never costs the settings already there.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <string>

#include "librarian/CVelkPreference.h"
#include "librarian/CVelkSettingsFile.h"
#include "tests/midifile/SmallFileSystem.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using velktest::ReadText;
using velktest::TempDir;
using velktest::WriteText;

std::size_t Entries(const fs::path& folder) {
    return std::size_t(std::distance(fs::directory_iterator(folder), {}));
}

const char* const kOld = "[Main]\nLibraryPath=/srv/sounds\n";

TEST(SettingsFile, ALinkedSettingsFileIsWrittenThroughItsLink) {
    // ~/.config/VELK/<file> is a link into the user's own folder (dotfiles
    // kept under version control, a synced folder).
    const struct {
        const char* name;
        const char* link;    // what the settings file's link holds ("@": the test folder)
        const char* second;  // what a second link, dotfiles/second, holds (when not null)
        const char* file;    // the file the chain ends in, below the test folder
        bool exists;         // the file is there before the change
        // clang-format off
        } cases[] = {
            {"relative link", "../../dotfiles/velk.conf", nullptr, "dotfiles/velk.conf", true},
            {"absolute link", "@/dotfiles/velk.conf", nullptr, "dotfiles/velk.conf", true},
            {"chain of links", "../../dotfiles/second", "sub/velk.conf", "dotfiles/sub/velk.conf", true},
            {"link to a file not made yet", "../../dotfiles/velk.conf", nullptr, "dotfiles/velk.conf", false},
        };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir home;
        fs::create_directories(home / "config" / "VELK");
        fs::create_directories(home / "dotfiles" / "sub");
        const fs::path settings = home / "config" / "VELK" / "Brontisel SoundEditor.conf";
        const fs::path file = home / c.file;
        if (c.exists) {
            WriteText(file, kOld);
            fs::permissions(file, fs::perms(0600));
        }
        const std::string link = c.link[0] == '@' ? home.Path().string() + (c.link + 1) : c.link;
        fs::create_symlink(link, settings);
        if (c.second) fs::create_symlink(c.second, home / "dotfiles" / "second");
        const std::size_t entries = Entries(home / "dotfiles");

        {
            CVelkSettingsFile store(settings.string());
            CVelkPreference preference(store, "/home/u/Documents");
            preference.SetViewStyle(2, 1);
        }
        std::error_code notALink;
        EXPECT_EQ(fs::read_symlink(settings, notALink), link) << "the link was replaced by a file";
        const std::string text = ReadText(file);
        EXPECT_NE(text.find("ViewStyleDev=2\n"), std::string::npos) << text;
        if (c.exists) {
            EXPECT_EQ(text.find(kOld), 0u) << text;
            EXPECT_EQ(fs::status(file).permissions() & fs::perms::mask, fs::perms(0600));
        }
        EXPECT_EQ(Entries(home / "dotfiles"), entries + (c.exists ? 0 : 1)) << "a temporary was left";
        EXPECT_EQ(Entries(home / "config" / "VELK"), 1u);

        // The next start reads the change through the link.
        CVelkSettingsFile again(settings.string());
        EXPECT_EQ(again.ReadInt("Main", "ViewStyleDev", -1), 2);
    }
}

TEST(SettingsFile, ALinkIntoAFolderThatIsGoneIsKeptAndTheFailureReported) {
    // The link leads into a folder that is not there (a drive not mounted):
    // no folder is made where it points, and the link stays.
    TempDir home;
    fs::create_directories(home / "config");
    const fs::path settings = home / "config" / "settings.conf";
    fs::create_symlink("../drive/velk/settings.conf", settings);
    ::testing::internal::CaptureStderr();
    {
        CVelkSettingsFile store(settings.string());
        CVelkPreference preference(store, "/home/u/Documents");
        preference.SetViewStyle(2, 1);
        preference.SetViewStyle(3, 1);
    }
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("cannot be written"), std::string::npos) << errors;
    EXPECT_TRUE(fs::is_symlink(settings));
    EXPECT_FALSE(fs::exists(home / "drive"));
    EXPECT_EQ(Entries(home / "config"), 1u);
}

TEST(SettingsFile, AChangeOnAFullDiskKeepsTheFileAsItWas) {
    // A full 64 KiB disk with no file left to make: the settings file would
    // have to be written where it stands. Hand-kept notes fill its first
    // page, and the new port names push it over into a second one.
    SmallFileSystem disk("tmpfs", "size=64k,nr_inodes=3");
    if (!disk.Mounted()) GTEST_SKIP() << "a tmpfs cannot be mounted here (root only)";
    std::string old = "[Main]\nMidiInDev=Sim:Port 1\nMidiOutDev=Sim:Port 1\n";
    while (old.size() < 4040) old += "; studio A, rack 2: the synth on the second interface\n";
    old += "LibraryPath=/srv/sounds\n";
    ASSERT_LT(old.size(), 4096u);
    const fs::path settings = disk / "Brontisel SoundEditor.conf";
    WriteText(settings, old);
    ASSERT_TRUE(disk.Fill("filler"));

    ::testing::internal::CaptureStderr();
    {
        CVelkSettingsFile store(settings.string());
        CVelkPreference preference(store, "/home/u/Documents");
        const std::string port = "USB MIDI Interface:USB MIDI Interface MIDI 1 28:0";
        preference.SetMidiDevices(port, port);
    }
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("cannot be written"), std::string::npos) << errors;
    EXPECT_EQ(ReadText(settings), old);
    EXPECT_EQ(Entries(disk.Path()), 2u);

    // The next start still finds the library.
    CVelkSettingsFile again(settings.string());
    EXPECT_EQ(again.ReadString("Main", "LibraryPath", "?"), "/srv/sounds");
}

TEST(SettingsFile, ValuesWithEverySpecialCharacterReadBackAsWritten) {
    const std::string values[] = {
        "back\\slash\\",
        "\\",
        "a\\nb",
        "\\\\n",
        "\\\"",
        "line\nfeed",
        "\n",
        "cr\r",
        "\r\n",
        "tab\there",
        "\"",
        "\"quoted\"",
        "\"open",
        "end\"",
        "in\"side",
        "  two leading blanks",
        " \"\\",
        "trailing  ",
        "=;#[x]",
        "caf\xc3\xa9",
        "",
    };
    TempDir folder;
    const std::string path = (folder / "settings.conf").string();
    {
        CVelkSettingsFile file(path);
        for (std::size_t i = 0; i < std::size(values); ++i)
            file.WriteString("Main", "V" + std::to_string(i), values[i]);
    }
    const CVelkSettingsFile reread(path);
    for (std::size_t i = 0; i < std::size(values); ++i)
        EXPECT_EQ(reread.ReadString("Main", "V" + std::to_string(i), "?"), values[i]) << i;
    // One line for the group and one for each value.
    const std::string text = ReadText(path);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), std::ssize(values) + 1) << text;
}

}  // namespace
