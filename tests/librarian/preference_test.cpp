// Preferences: defaults, values edited by hand falling back where they are
// read, and the library path.
#include <gtest/gtest.h>

#include "librarian/CVelkPreference.h"
#include "midifile/MFileCtrl.h"
#include "tests/support/MemorySettingsStore.h"

using velktest::MemorySettingsStore;

namespace {

std::string Key(const char* name) { return MemorySettingsStore::Key("Main", name); }

struct StoredSort {
    const char* name;
    const char* devColumn;  // nullptr: absent
    const char* devBack;
    const char* fileColumn;
    const char* fileBack;
    int expected[4];
};

// clang-format off
const StoredSort kSortCases[] = {
    {"AbsentGivesDefaults", nullptr, nullptr, nullptr, nullptr, {1, 0, 0, 0}},
    {"InRangeKept", "5", "1", "3", "1", {5, 1, 3, 1}},
    {"ColumnSixFallsBack", "6", "0", "6", "0", {1, 0, 0, 0}},
    {"NegativeFallsBack", "-1", "-1", "-1", "-1", {1, 0, 0, 0}},
    {"BackOrderTwoFallsBack", "0", "2", "2", "7", {0, 0, 2, 0}},
    {"TextFallsBack", "x", "yes", "", "1.5", {1, 0, 0, 0}},
    {"HugeNumberFallsBack", "99999999999", "0", "0", "0", {1, 0, 0, 0}},
};
// clang-format on

class SortOrderCase : public ::testing::TestWithParam<StoredSort> {};

TEST_P(SortOrderCase, ReadsBackInRange) {
    const StoredSort& c = GetParam();
    MemorySettingsStore store;
    // clang-format off
    const std::pair<const char*, const char*> stored[] = {
        {CVelkPreference::kSortDevColumn, c.devColumn},
        {CVelkPreference::kSortDevBackOrder, c.devBack},
        {CVelkPreference::kSortFileColumn, c.fileColumn},
        {CVelkPreference::kSortFileBackOrder, c.fileBack}};
    // clang-format on
    for (const auto& [name, value] : stored)
        if (value) store.values[Key(name)] = value;
    CVelkPreference preference(store, "/home/u/Documents");

    int got[4] = {-9, -9, -9, -9};
    preference.GetSortOrder(got[0], got[1], got[2], got[3]);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(got[i], c.expected[i]) << "value " << i;
}

INSTANTIATE_TEST_SUITE_P(Cases, SortOrderCase, ::testing::ValuesIn(kSortCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Preference, ViewStylesOutsideZeroToThreeReadAsZero) {
    const struct {
        const char* stored;
        int expected;
    } cases[] = {{nullptr, 0}, {"0", 0}, {"3", 3}, {"4", 0}, {"-1", 0}, {"list", 0}};
    for (const auto& c : cases) {
        MemorySettingsStore store;
        if (c.stored) {
            store.values[Key(CVelkPreference::kViewStyleDev)] = c.stored;
            store.values[Key(CVelkPreference::kViewStyleFile)] = c.stored;
        }
        CVelkPreference preference(store, "/d");
        int dev = -9, file = -9;
        preference.GetViewStyle(dev, file);
        EXPECT_EQ(dev, c.expected) << (c.stored ? c.stored : "absent");
        EXPECT_EQ(file, c.expected) << (c.stored ? c.stored : "absent");
    }
}

TEST(Preference, WritesEveryValueUnderMainByItsName) {
    MemorySettingsStore store;
    CVelkPreference preference(store, "/d");
    preference.SetMidiDevices("Sim:In", "Sim:Out");
    preference.SetSortOrder(2, 1, 4, 0);
    preference.SetViewStyle(3, 1);

    // clang-format off
    const std::map<std::string, std::string> expected = {
        {"Main/MidiInDev", "Sim:In"},     {"Main/MidiOutDev", "Sim:Out"},
        {"Main/SortDevColumn", "2"},      {"Main/SortDevBackOrder", "1"},
        {"Main/SortFileColumn", "4"},     {"Main/SortFileBackOrder", "0"},
        {"Main/ViewStyleDev", "3"},       {"Main/ViewStyleFile", "1"}};
    // clang-format on
    EXPECT_EQ(store.values, expected);

    std::string in, out;
    preference.GetMidiDevices(in, out);
    EXPECT_EQ(in, "Sim:In");
    EXPECT_EQ(out, "Sim:Out");
}

TEST(Preference, FirstStartStoresDocumentsFolderPlusVelk) {
    const struct {
        const char* documents;
        const char* expected;
    } cases[] = {{"/home/u/Documents", "/home/u/Documents/VELK"},
                 {"/home/u/Documents/", "/home/u/Documents/VELK"},
                 {"/", "/VELK"}};
    for (const auto& c : cases) {
        MemorySettingsStore store;
        CVelkPreference preference(store, c.documents);
        EXPECT_EQ(preference.GetLibraryPath(), c.expected);
        EXPECT_EQ(store.values[Key(CVelkPreference::kLibraryPath)], c.expected);
    }
}

TEST(Preference, LibraryPathSetByHandIsUsedUnchanged) {
    for (const char* stored : {"/srv/sounds/", "/srv/sounds", "relative/x"}) {
        MemorySettingsStore store;
        store.values[Key(CVelkPreference::kLibraryPath)] = stored;
        CVelkPreference preference(store, "/home/u/Documents");
        EXPECT_EQ(preference.GetLibraryPath(), stored);
        EXPECT_EQ(store.writes, 0);
    }
}

TEST(Preference, NoDocumentsFolderGivesNoLibraryAtTheRoot) {
    MemorySettingsStore store;
    CVelkPreference preference(store, "");
    EXPECT_EQ(preference.GetLibraryPath(), "");
    EXPECT_EQ(store.writes, 0);
}

TEST(Preference, FoldersDerivedFromPathWithTrailingSlashHaveOneSeparator) {
    EXPECT_EQ(CVelkPreference::JoinFolder("/srv/sounds/", "My Setup"), "/srv/sounds/My Setup");
    EXPECT_EQ(CVelkPreference::JoinFolder("/srv/sounds", "My Library"), "/srv/sounds/My Library");
    // The device configuration's folders, which the item paths start with.
    MFileCtrl folders;
    folders.SetRootPath("/srv/sounds/");
    EXPECT_EQ(folders.GetSetupPath().string(), "/srv/sounds/My Setup");
    EXPECT_EQ(folders.GetLibraryPath().string(), "/srv/sounds/My Library");
}

}  // namespace
