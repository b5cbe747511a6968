// The list's model: rows per root and level, the extension filters, sorting
// and its settings, cut marks, the document's callbacks and refills that
// touch only the rows that changed.

#include <gtest/gtest.h>

#include <sys/time.h>

#include <functional>

#include "ViewsRig.h"
#include "librarian/CFolderListing.h"
#include "librarian/CItemPath.h"

namespace {

using viewstest::ViewsRig;
using Strings = std::vector<std::string>;
namespace fs = std::filesystem;

std::string LibraryDevice(const ViewsRig& rig) { return rig.Library() + "/My Library/Brontisel S"; }

void SetWriteTime(const std::string& path, std::time_t seconds) {
    const timeval times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(utimes(path.c_str(), times), 0) << path;
}

TEST(CVelkViewModel, MyDeviceListsTheDeviceAndTheDeviceListsGlobalFirstThenItsPrograms) {
    ViewsRig rig;
    rig.Start();
    ASSERT_EQ(rig.list.RowCount(), 1);
    EXPECT_EQ(rig.list.Rows()[0].texts[0], "Brontisel S");
    EXPECT_EQ(rig.list.Rows()[0].texts[1], "-");
    EXPECT_EQ(rig.list.Rows()[0].texts[2], "MIDI Device");
    EXPECT_EQ(rig.list.Rows()[0].image, kRowImageDevice);
    EXPECT_FALSE(rig.list.Rows()[0].openable);
    EXPECT_EQ(rig.list.ColumnTitle(1), "Number");
    EXPECT_EQ(rig.list.GetItemPath(0), "/My Device/Brontisel S");

    rig.SelectPath("/My Device/Brontisel S");
    MDevDesc* device = rig.Device();
    ASSERT_TRUE(device->IsDumpReceived()) << "the fill receives the device's data";
    ASSERT_EQ(rig.list.RowCount(), 1 + device->GetProgramCount());
    const CListRow& global = rig.list.Rows()[0];
    EXPECT_EQ(global.texts[2], "Global") << "Number sort by default: '-' first";
    EXPECT_EQ(global.image, kRowImageGlobal);
    EXPECT_EQ(rig.list.GetItemPath(0), "/My Device/Brontisel S/Global:-");
    const CListRow& first = rig.list.Rows()[1];
    EXPECT_EQ(first.texts[0], device->GetProgramName(0).value());
    EXPECT_EQ(first.texts[1], device->FormatProgramNumber(0).value());
    EXPECT_EQ(first.texts[2], "Program");
    EXPECT_EQ(first.texts[3], device->GetColumnText(0, 0).value_or(""));
    EXPECT_TRUE(first.openable);
    for (int column = 0; column < 3; ++column)
        EXPECT_EQ(rig.list.ColumnTitle(3 + column), device->GetColumnTitle(column));
    EXPECT_EQ(rig.list.GetItemPath(1), rig.ProgramPath(0));
    EXPECT_EQ(rig.list.FindItem("Program:" + device->FormatProgramNumber(5).value()), 6);
    EXPECT_EQ(rig.list.FindItem("Global:-"), 0);
}

// The synth's names are single bytes of its own character set: the list
// shows them as text (each byte its Latin-1 character), never as bytes the
// window cannot show.
TEST(CVelkViewModel, ProgramNamesOfTheSynthsOwnBytesShowAsText) {
    ViewsRig rig;
    SimProgramRecord record = SimSynth::DefaultProgram(3);
    const std::string name = "Caf\xE9\x01";
    std::fill_n(record.begin(), 12, std::uint8_t{' '});
    std::copy(name.begin(), name.end(), record.begin());
    rig.Synth().SetProgram(3, record);
    rig.Start();
    rig.SelectPath("/My Device/Brontisel S");
    const int row = rig.list.FindItem("Program:" + rig.Device()->FormatProgramNumber(3).value());
    ASSERT_GE(row, 0);
    EXPECT_EQ(rig.list.Rows()[row].texts[0], "Caf\xC3\xA9_");
}

// A link may lead anywhere on the disk: it is not listed, and a device
// folder that is one lists nothing.
TEST(CVelkViewModel, LinksAreNotListed) {
    ViewsRig rig;
    const std::string folder = LibraryDevice(rig);
    const std::string outside = rig.Library() + "/elsewhere";
    for (const char* name : {"/secret.prg", "/Deep/x.prg"}) velktest::WriteText(outside + name, "x");
    velktest::WriteText(folder + "/A.prg", "x");
    fs::create_directory_symlink(outside, folder + "/Out");
    fs::create_symlink(outside + "/secret.prg", folder + "/alias.prg");
    fs::create_directories(rig.Library() + "/My Setup");
    fs::create_directory_symlink(outside, rig.Library() + "/My Setup/Brontisel S");
    rig.Start();
    rig.SelectPath(folder);
    EXPECT_EQ(rig.Names(), Strings{"A.prg"});
    rig.list.OnPasted(CFNameList(), folder, false);
    EXPECT_EQ(rig.Names(), Strings{"A.prg"});
    rig.Doc().SetCurrentFolder(0, itempath::kRootSetup, 1, rig.Library() + "/My Setup/Brontisel S", true);
    EXPECT_EQ(rig.Names(), Strings{});
}

TEST(CVelkViewModel, LibraryFolderListsItsOwnFilesByExactExtension) {
    ViewsRig rig;
    const std::string folder = LibraryDevice(rig);
    for (const char* name : {"a.prg", "X.PRG", "a.prg.glb", "b.glb", "c.set", "noext", ".hidden.prg"})
        velktest::WriteText(folder + "/" + name, "x");
    velktest::WriteText(folder + "/line\nfeed.prg", "x");
    velktest::WriteText(folder + "/bad\xff.prg", "x");
    ViewsRig::MakeFolder(folder + "/Sub");
    rig.Start();
    rig.SelectPath(folder);

    EXPECT_EQ(rig.list.ColumnTitle(1), "Date");
    EXPECT_EQ(rig.list.ColumnTitle(3), "-");
    EXPECT_EQ(rig.Names(), (Strings{".hidden.prg", "a.prg", "a.prg.glb", "b.glb", "Sub"}));
    struct Expect {
        const char* name;
        const char* type;
        int image;
        bool openable;
    };
    // clang-format off
    const Expect expected[] = {
        {"a.prg", "Program File", kRowImageProgram, true},
        {"a.prg.glb", "Program File", kRowImageProgram, true},
        {"b.glb", "Global File", kRowImageGlobal, true},
        {"Sub", "Folder", kRowImageFolder, false},
    };
    // clang-format on
    for (const Expect& e : expected) {
        const int row = rig.list.FindItem(e.name);
        ASSERT_GE(row, 0) << e.name;
        const CListRow& r = rig.list.Rows()[row];
        EXPECT_EQ(r.texts[2], e.type) << e.name;
        EXPECT_EQ(r.image, e.image) << e.name;
        EXPECT_EQ(r.openable, e.openable) << e.name;
        EXPECT_EQ(r.texts[1].size(), 16u) << "YYYY/MM/DD HH:MM: " << r.texts[1];
    }
}

TEST(CVelkViewModel, RootFoldersListOnlyDeviceFoldersInTheDeviceSpellingAndNoFiles) {
    ViewsRig rig;
    rig.Start();
    ViewsRig::MakeFolder(rig.Library() + "/My Setup/Stray");
    velktest::WriteText(rig.Library() + "/My Setup/top.set", "x");
    rig.SelectPath(rig.Library() + "/My Setup");
    EXPECT_EQ(rig.Names(), Strings{"Brontisel S"});
    EXPECT_EQ(rig.list.FindItem("BRONTISEL S"), 0) << "device names ignore case";

    velktest::WriteText(rig.Library() + "/My Setup/Brontisel S/live.set", "x");
    velktest::WriteText(rig.Library() + "/My Setup/Brontisel S/live.prg", "x");
    rig.SelectPath(rig.Library() + "/My Setup/Brontisel S");
    EXPECT_EQ(rig.Names(), Strings{"live.set"});
    EXPECT_EQ(rig.list.Rows()[0].texts[2], "Setup File");
    EXPECT_EQ(rig.list.Rows()[0].image, kRowImageSetupFile);
}

TEST(CVelkViewModel, HeaderClicksCycleTheOrderWithSeparateDeviceAndFileSettingsThatPersist) {
    ViewsRig rig;
    const std::string folder = LibraryDevice(rig);
    for (const char* name : {"b.prg", "C.glb", "a.prg"}) velktest::WriteText(folder + "/" + name, "x");
    rig.Start();
    rig.SelectPath(folder);
    EXPECT_EQ(rig.Names(), (Strings{"a.prg", "b.prg", "C.glb"})) << "Name, ignoring case";

    struct Step {
        int column;
        Strings names;
        int active;
        bool back;
    };
    // clang-format off
    const Step steps[] = {
        {0, {"C.glb", "b.prg", "a.prg"}, 0, true},
        {0, {"a.prg", "b.prg", "C.glb"}, 0, false},
        {2, {"C.glb", "a.prg", "b.prg"}, 2, false},  // Global File before Program File
        {2, {"a.prg", "b.prg", "C.glb"}, 2, true},   // stable: a, b keep their order
        {6, {"a.prg", "b.prg", "C.glb"}, 2, true},   // no such column
    };
    // clang-format on
    for (const Step& s : steps) {
        rig.list.SortBy(s.column);
        EXPECT_EQ(rig.Names(), s.names) << "column " << s.column;
        EXPECT_EQ(rig.list.GetActiveSortColumn(), s.active);
        EXPECT_EQ(rig.list.GetActiveBackOrder(), s.back);
    }
    rig.SelectPath("/My Device/Brontisel S");
    EXPECT_EQ(rig.list.GetActiveSortColumn(), 1) << "device lists keep their own setting";
    EXPECT_FALSE(rig.list.GetActiveBackOrder());

    int devColumn, devBack, fileColumn, fileBack;
    rig.preference_.GetSortOrder(devColumn, devBack, fileColumn, fileBack);
    EXPECT_EQ((std::vector<int>{devColumn, devBack, fileColumn, fileBack}), (std::vector<int>{1, 0, 2, 1}));

    // A restart reads them back.
    CVelkViewModel again(rig.Doc(), rig.preference_);
    rig.SelectPath(folder);
    again.InitialUpdate();
    EXPECT_EQ(again.GetActiveSortColumn(), 2);
    EXPECT_TRUE(again.GetActiveBackOrder());
}

TEST(CVelkViewModel, DatesSortByTime) {
    ViewsRig rig;
    const std::string folder = LibraryDevice(rig);
    const std::pair<const char*, std::time_t> files[] = {
        {"new.prg", 1700000000}, {"old.prg", 1000000000}, {"mid.prg", 1500000000}};
    for (const auto& [name, time] : files) {
        velktest::WriteText(folder + "/" + name, "x");
        SetWriteTime(folder + "/" + name, time);
    }
    rig.Start();
    rig.SelectPath(folder);
    rig.list.SortBy(1);
    EXPECT_EQ(rig.Names(), (Strings{"old.prg", "mid.prg", "new.prg"}));
    EXPECT_EQ(rig.list.Rows()[0].texts[1], folderlist::FormatDate(1000000000));
    EXPECT_EQ(folderlist::FormatDate(std::nullopt), "");
}

TEST(CVelkViewModel, StoredSortColumnAndStyleOutOfRangeAreClamped) {
    ViewsRig rig;
    rig.store_.WriteInt("Main", "SortFileColumn", 99);
    rig.store_.WriteInt("Main", "SortDevColumn", -5);
    rig.store_.WriteInt("Main", "ViewStyleFile", 7);
    rig.Start();
    EXPECT_EQ(rig.list.GetActiveSortColumn(), 1);
    rig.SelectPath(LibraryDevice(rig));
    EXPECT_EQ(rig.list.GetActiveSortColumn(), 0);
    EXPECT_EQ(rig.list.GetViewStyle(), kStyleIcon);
    rig.list.SetViewStyle(9);
    EXPECT_EQ(rig.list.GetViewStyle(), kStyleIcon) << "an unknown style is ignored";
    rig.list.SetViewStyle(kStyleList);
    EXPECT_EQ(rig.listSink.styles.back(), kStyleList);
    EXPECT_EQ(rig.store_.ReadInt("Main", "ViewStyleFile", -1), kStyleList);
    EXPECT_EQ(rig.store_.ReadInt("Main", "ViewStyleDev", -1), kStyleIcon);
}

TEST(CVelkViewModel, SizeChangeKeepsTheOrderAndClearsTheActiveColumn) {
    ViewsRig rig;
    rig.Start();
    rig.SelectPath("/My Device/Brontisel S");
    const Strings before = rig.Names();
    rig.list.OnSize();
    EXPECT_EQ(rig.list.GetActiveSortColumn(), -1);
    EXPECT_EQ(rig.Names(), before);
}

TEST(CVelkViewModel, CutMarksCompareDevicesWithoutCaseAndNamesExactly) {
    ViewsRig rig;
    const std::string folder = LibraryDevice(rig);
    for (const char* name : {"A.prg", "a.prg", "b.prg", "B.prg"})
        velktest::WriteText(folder + "/" + name, "x");
    rig.Start();
    rig.SelectPath(folder);
    rig.listSink.Clear();
    // The library folder is a folder on a case-sensitive disk: in another
    // case it is another folder.
    rig.list.UpdateCutMarks(ViewsRig::List({rig.Library() + "/My Library/brontisel s/a.prg",
                                            rig.Library() + "/My Library/Other/b.prg",
                                            rig.Library() + "/MY LIBRARY/Brontisel S/B.prg"}));
    const auto cut = [&](const char* name) { return rig.list.Rows()[rig.list.FindItem(name)].cut; };
    EXPECT_TRUE(cut("a.prg"));
    EXPECT_FALSE(cut("A.prg"));
    EXPECT_FALSE(cut("b.prg")) << "another folder";
    EXPECT_FALSE(cut("B.prg")) << "another library";
    EXPECT_EQ(rig.listSink.changed.size(), 1u) << "only the changed row is redrawn";
    rig.list.UpdateCutMarks(CFNameList());
    EXPECT_FALSE(cut("a.prg"));
}

TEST(CVelkViewModel, RenameAndDeleteCallbacksTouchTheExactRow) {
    ViewsRig rig;
    const std::string folder = LibraryDevice(rig);
    for (const char* name : {"A.prg", "a.prg"}) velktest::WriteText(folder + "/" + name, "x");
    rig.Start();
    rig.SelectPath(folder);

    rig.list.OnItemRenamed(folder + "/a.prg", "z.prg");
    EXPECT_GE(rig.list.FindItem("A.prg"), 0);
    EXPECT_EQ(rig.list.FindItem("a.prg"), -1);
    EXPECT_GE(rig.list.FindItem("z.prg"), 0);

    // Deleted only when gone from disk.
    rig.list.OnItemsDeleted(ViewsRig::List({folder + "/A.prg"}));
    EXPECT_EQ(rig.list.RowCount(), 2);
    fs::remove(folder + "/A.prg");
    rig.listSink.Clear();
    rig.list.OnItemsDeleted(ViewsRig::List({folder + "/A.prg"}));
    EXPECT_EQ(rig.Names(), Strings{"z.prg"});
    EXPECT_EQ(rig.listSink.deleted, 1);
    EXPECT_EQ(rig.listSink.resets, 0);
}

TEST(CVelkViewModel, RefillWithoutResetKeepsRowsInPlaceAndPutsNewRowsOnTop) {
    ViewsRig rig;
    const std::string folder = LibraryDevice(rig);
    for (const char* name : {"a.prg", "b.prg", "c.prg"}) velktest::WriteText(folder + "/" + name, "x");
    rig.Start();
    rig.SelectPath(folder);
    rig.list.SortBy(0);  // descending: c, b, a
    fs::remove(folder + "/b.prg");
    velktest::WriteText(folder + "/d.prg", "x");
    velktest::WriteText(folder + "/0.prg", "x");
    rig.listSink.Clear();
    rig.list.OnPasted(CFNameList(), folder, false);
    EXPECT_EQ(rig.Names(), (Strings{"d.prg", "0.prg", "c.prg", "a.prg"}));
    EXPECT_EQ(rig.listSink.resets, 0);
    EXPECT_EQ(rig.listSink.deleted, 1);
    EXPECT_EQ(rig.listSink.inserted, 2);
}

TEST(CVelkViewModel, FolderCreatedGetsARowOnTopAndItsNameEdited) {
    ViewsRig rig;
    const std::string folder = LibraryDevice(rig);
    velktest::WriteText(folder + "/a.prg", "x");
    rig.Start();
    rig.SelectPath(folder);
    ViewsRig::MakeFolder(folder + "/New Folder");
    rig.list.OnFolderCreated(folder + "/New Folder");
    rig.list.OnFolderCreated(folder + "/New Folder");
    EXPECT_EQ(rig.Names(), (Strings{"New Folder", "a.prg"}));
    EXPECT_EQ(rig.listSink.edits, std::vector<int>{0});
}

// The edit ends after a click may have changed the selection: the edited
// item is renamed.
TEST(CVelkViewModel, EndOfLabelEditRenamesTheEditedItemAndKeepsTheExtension) {
    struct Case {
        const char* typed;
        const char* result;  // nullptr: nothing renamed
    };
    const Case cases[] = {
        {"y", "y.prg"}, {"y.PRG", "y.PRG"}, {"y.glb", "y.glb.prg"}, {"", nullptr}, {"ab", "ab.prg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ViewsRig rig;
        const std::string folder = LibraryDevice(rig);
        velktest::WriteText(folder + "/x.prg", "x");
        velktest::WriteText(folder + "/selected.prg", "x");
        rig.Start();
        rig.SelectPath(folder);
        const int edited = rig.list.FindItem("x.prg");
        ASSERT_TRUE(rig.list.BeginLabelEdit(edited));
        rig.list.SetSelected(rig.list.FindItem("selected.prg"), true);
        rig.list.EndLabelEdit(c.typed, false);
        EXPECT_TRUE(fs::exists(folder + "/selected.prg"));
        if (c.result) {
            EXPECT_TRUE(fs::exists(folder + "/" + c.result));
            EXPECT_FALSE(fs::exists(folder + "/x.prg"));
        } else {
            EXPECT_TRUE(fs::exists(folder + "/x.prg"));
        }
    }
}

// GTK ends an edit on focus loss, after the click that took the focus: the
// list may show another folder, or the same rows in another order, by then.
// The name goes to the item the edit began on, or nowhere once that is gone.
TEST(CVelkViewModel, RenameAfterRefillLandsOnTheEditedItem) {
    struct Case {
        const char* name;
        std::function<void(ViewsRig&, const std::string& folder)> meanwhile;
        const char* renamed;  // in the folder; nullptr: nothing renamed
    };
    const Case cases[] = {
        {"another folder shown",
         [](ViewsRig& rig, const std::string& folder) { rig.SelectPath(folder + "/Alpha"); }, "Lead.prg"},
        {"the device shown",
         [](ViewsRig& rig, const std::string&) { rig.SelectPath("/My Device/Brontisel S"); }, "Lead.prg"},
        {"sorted the other way", [](ViewsRig& rig, const std::string&) { rig.list.SortBy(0); }, "Lead.prg"},
        {"the file gone", [](ViewsRig&, const std::string& folder) { fs::remove(folder + "/Pad.prg"); },
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ViewsRig rig;
        const std::string folder = LibraryDevice(rig);
        for (const char* name : {"Bass.prg", "Keys.prg", "Pad.prg"})
            velktest::WriteText(folder + "/" + name, "x");
        ViewsRig::MakeFolder(folder + "/Alpha/First");
        rig.Start();
        rig.SelectPath(folder);
        MDevDesc* device = rig.Doc().GetDevConfig().GetDevice(0);
        ASSERT_TRUE(rig.list.BeginLabelEdit(rig.list.FindItem("Pad.prg")));
        c.meanwhile(rig, folder);
        const std::vector<std::string> programs = [&] {
            std::vector<std::string> names;
            for (int i = 0; i < device->GetProgramCount(); ++i)
                names.push_back(device->GetProgramName(i).value_or(""));
            return names;
        }();
        rig.list.EndLabelEdit("Lead", false);
        EXPECT_FALSE(rig.list.IsEditingLabel());
        if (c.renamed) EXPECT_TRUE(fs::exists(folder + "/" + c.renamed));
        else EXPECT_FALSE(fs::exists(folder + "/Lead.prg"));
        for (const char* other : {"Bass.prg", "Keys.prg", "Alpha/First"})
            EXPECT_TRUE(fs::exists(folder + "/" + other)) << other;
        for (int i = 0; i < device->GetProgramCount(); ++i)
            EXPECT_EQ(device->GetProgramName(i).value_or(""), programs[i]) << i;
        EXPECT_TRUE(rig.ui_.shown.empty()) << rig.ui_.shown.front().text;
    }
}

TEST(CVelkViewModel, GlobalRowAndDeviceFoldersCannotBeRenamed) {
    ViewsRig rig;
    rig.Start();
    EXPECT_FALSE(rig.list.BeginLabelEdit(0)) << "device row";
    rig.SelectPath("/My Device/Brontisel S");
    EXPECT_FALSE(rig.list.BeginLabelEdit(0)) << "Global row";
    EXPECT_TRUE(rig.list.BeginLabelEdit(1)) << "program row";
    rig.SelectPath(rig.Library() + "/My Setup");
    EXPECT_FALSE(rig.list.BeginLabelEdit(0)) << "device folder";
}

}  // namespace
