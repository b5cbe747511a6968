// The list's commands on the document of ViewsRig: which are enabled per
// root kind, level and selection, the paste target, the drag effects per
// row kind, drag-over and drop, opening rows, the program selection on a
// click and Escape.

#include <gtest/gtest.h>

#include "ViewsRig.h"
#include "librarian/CVelkDocTexts.h"
#include "librarian/CVelkViewCommands.h"
#include "tests/support/RecordingOpener.h"

namespace {

using viewstest::ViewsRig;
using Strings = std::vector<std::string>;
namespace fs = std::filesystem;

using velktest::RecordingOpener;

// The rig with the list's commands, a library device folder holding files
// and a subfolder, and the setup device folder holding a setup file.
class ListRig : public ViewsRig {
public:
    ListRig() {
        velktest::WriteText(LibraryFolder() + "/x.prg", "x");
        velktest::WriteText(LibraryFolder() + "/g.glb", "x");
        velktest::WriteText(LibraryFolder() + "/a.prg.glb", "x");
        MakeFolder(LibraryFolder() + "/Sub");
        velktest::WriteText(SetupFolder() + "/s.set", "x");
        commands.SetTree(&tree);
        commands.SetOpener(&opener);
    }
    std::string LibraryFolder() { return Library() + "/My Library/Brontisel S"; }
    std::string SetupFolder() { return Library() + "/My Setup/Brontisel S"; }
    std::string DevicePath() { return "/My Device/Brontisel S"; }
    // The folders of the tables: 0 My Device, 1 the device, 2 My Library,
    // 3 the library's device folder, 4 the setup's.
    std::string Folder(int which) {
        const std::string folders[] = {"/My Device", DevicePath(), Library() + "/My Library", LibraryFolder(),
                                       SetupFolder()};
        return folders[which];
    }

    // Selects exactly the rows with these names (column 0).
    void SelectRows(const Strings& names) {
        for (int row = 0; row < list.RowCount(); ++row) list.SetSelected(row, false);
        for (const std::string& name : names) {
            const int row = RowNamed(name);
            ASSERT_GE(row, 0) << name;
            list.SetSelected(row, true);
        }
    }
    int RowNamed(const std::string& name) const {
        for (int row = 0; row < list.RowCount(); ++row)
            if (list.Rows()[row].texts[0] == name) return row;
        return -1;
    }
    int RowOfType(const std::string& type) const {
        for (int row = 0; row < list.RowCount(); ++row)
            if (list.Rows()[row].texts[2] == type) return row;
        return -1;
    }
    void SelectType(const std::string& type) {
        for (int row = 0; row < list.RowCount(); ++row) list.SetSelected(row, false);
        list.SetSelected(RowOfType(type), true);
    }

    // Enabled commands: Open, Explorer, Delete, Rename, New Folder, Copy,
    // cuT, select All; '.' for a disabled one.
    std::string Enabled() const {
        std::string flags;
        flags += commands.CanOpen() ? 'O' : '.';
        flags += commands.CanExplore() ? 'E' : '.';
        flags += commands.CanDeleteSelection() ? 'D' : '.';
        flags += commands.RenameRow() >= 0 ? 'R' : '.';
        flags += commands.CanNewFolder() ? 'N' : '.';
        flags += commands.CanCopySelection(false) ? 'C' : '.';
        flags += commands.CanCopySelection(true) ? 'T' : '.';
        flags += commands.CanSelectAll() ? 'A' : '.';
        return flags;
    }

    RecordingOpener opener;
    CVelkViewCommands commands{list, Doc(), &launcher};
};

TEST(CVelkViewCommands, EnableTablePerRootKindLevelAndSelection) {
    struct Case {
        const char* what;
        int folder;  // ListRig::Folder
        Strings rows;
        const char* enabled;
    };
    // clang-format off
    const Case cases[] = {
        {"device row", 0, {"Brontisel S"}, "O....C.A"},
        {"no row under My Device", 0, {}, ".......A"},
        {"Global row", 1, {"@Global"}, "O....C.A"},
        {"program row", 1, {"@Program"}, "O..R.C.A"},
        {"device folder below My Library", 2, {"Brontisel S"}, "OE.....A"},
        {"program file", 3, {"x.prg"}, "O.DRNCTA"},
        {"global file", 3, {"g.glb"}, "O.DRNCTA"},
        {"subfolder", 3, {"Sub"}, "OEDRNCTA"},
        {"two files", 3, {"x.prg", "g.glb"}, "..D.NCTA"},
        {"folder first, then a file: Explorer follows the first", 3, {"Sub", "x.prg"}, ".ED.NCTA"},
        {"setup file opens in no editor", 4, {"s.set"}, "..DRNCTA"},
        {"nothing selected in a setup folder", 4, {}, "....N..A"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ListRig rig;
        rig.Start();
        rig.SelectPath(rig.Folder(c.folder));
        if (c.rows.size() == 1 && c.rows[0][0] == '@') rig.SelectType(c.rows[0].substr(1));
        else rig.SelectRows(c.rows);
        EXPECT_EQ(rig.Enabled(), c.enabled);
    }
}

TEST(CVelkViewCommands, SelectAllSelectsEveryRowAndNeedsRows) {
    ListRig rig;
    rig.Start();
    rig.SelectPath(rig.LibraryFolder());
    rig.commands.SelectAll();
    EXPECT_EQ(rig.commands.SelectedRows().size(), static_cast<size_t>(rig.list.RowCount()));
    rig.Doc().SetCurrentFolder(0, itempath::kRootLibrary, 2, rig.LibraryFolder() + "/Sub", true);
    EXPECT_EQ(rig.list.RowCount(), 0);
    EXPECT_FALSE(rig.commands.CanSelectAll());
}

// A folder row takes the paste; an openable row disables it; no row aims at
// the folder shown.
TEST(CVelkViewCommands, PasteTargetIsTheFolderRowTheShownFolderOrNothing) {
    ListRig rig;
    rig.Start();
    rig.SelectPath(rig.LibraryFolder());
    rig.SelectRows({"x.prg"});
    rig.commands.CopySelection(false);

    rig.SelectRows({"Sub"});
    const CListPasteTarget intoSub = rig.commands.PasteTarget(rig.RowNamed("Sub"));
    EXPECT_EQ(intoSub.path, rig.LibraryFolder() + "/Sub");
    EXPECT_EQ(intoSub.level, 2);
    EXPECT_EQ(intoSub.rootKind, itempath::kRootLibrary);
    ASSERT_TRUE(rig.commands.CanPaste());
    rig.commands.Paste();
    EXPECT_TRUE(fs::exists(rig.LibraryFolder() + "/Sub/x.prg"));

    rig.SelectRows({"x.prg"});
    rig.commands.CopySelection(false);
    EXPECT_FALSE(rig.commands.CanPaste()) << "a file row is selected";

    rig.SelectRows({});
    const CListPasteTarget shown = rig.commands.PasteTarget(-1);
    EXPECT_EQ(shown.path, rig.LibraryFolder());
    EXPECT_EQ(shown.level, 1);
    EXPECT_TRUE(rig.commands.CanPaste());

    // A device row of "My Device": the device is found by the row's name.
    rig.SelectPath("/My Device");
    const CListPasteTarget device = rig.commands.PasteTarget(0);
    EXPECT_EQ(device.path, rig.DevicePath());
    EXPECT_EQ(device.deviceIndex, 0);
    EXPECT_EQ(device.level, 1);
}

TEST(CVelkViewCommands, DragEffectsPerRowKind) {
    struct Case {
        const char* what;
        int folder;  // ListRig::Folder
        const char* row;
        int effects;
    };
    // clang-format off
    const Case cases[] = {
        {"device row", 0, "Brontisel S", kDropCopy},
        {"program row", 1, "@Program", kDropCopy},
        {"Global row", 1, "@Global", kDropCopy},
        {"device folder below My Library", 2, "Brontisel S", kDropNone},
        {"library file", 3, "x.prg", kDropCopy | kDropMove},
        {"library subfolder", 3, "Sub", kDropCopy | kDropMove},
        {"setup file", 4, "s.set", kDropCopy | kDropMove},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ListRig rig;
        rig.Start();
        rig.SelectPath(rig.Folder(c.folder));
        const std::string row = c.row;
        if (row[0] == '@') rig.SelectType(row.substr(1));
        else rig.SelectRows({row});
        EXPECT_EQ(rig.commands.DragEffects(), c.effects);
        rig.commands.BeginDrag(rig.commands.FirstSelected());
        EXPECT_EQ(rig.clipboard_.drags.size(), c.effects == kDropNone ? 0u : 1u);
        rig.commands.BeginDrag(-1);
        EXPECT_LE(rig.clipboard_.drags.size(), 1u) << "no row under the point: no drag";
    }
}

TEST(CVelkViewCommands, DragOverHighlightsFolderRowsAndCtrlCopies) {
    ListRig rig;
    rig.Start();
    rig.SelectPath(rig.LibraryFolder());
    const VelkPayload files{0, rig.LibraryFolder() + "/x.prg\n"};
    const int sub = rig.RowNamed("Sub");
    EXPECT_EQ(rig.commands.DragOver(sub, &files, false), kDropMove);
    EXPECT_TRUE(rig.list.Rows()[sub].dropHighlight);
    EXPECT_EQ(rig.commands.DragOver(sub, &files, true), kDropCopy);
    EXPECT_EQ(rig.commands.DragOver(rig.RowNamed("g.glb"), &files, false), kDropMove)
        << "a file row aims at the folder shown";
    EXPECT_FALSE(rig.list.Rows()[sub].dropHighlight);
    EXPECT_EQ(rig.commands.DragOver(sub, nullptr, false), kDropNone) << "not our drag";

    const std::optional<CListDropPaste> moved = rig.commands.Drop(sub, &files, kDropMove);
    ASSERT_TRUE(moved);
    EXPECT_TRUE(moved->forceMove);
    EXPECT_EQ(moved->target.path, rig.LibraryFolder() + "/Sub");
    EXPECT_FALSE(rig.commands.Drop(sub, &files, kDropNone)) << "neither copy nor move";
    const std::optional<CListDropPaste> copied = rig.commands.Drop(sub, &files, kDropCopy);
    ASSERT_TRUE(copied);
    EXPECT_FALSE(copied->forceMove);

    // A program file over the device row of "My Device": copy only, and the
    // device row shows the highlight.
    rig.SelectPath("/My Device");
    EXPECT_EQ(rig.commands.DragOver(0, &files, false), kDropCopy);
    EXPECT_TRUE(rig.list.Rows()[0].dropHighlight);
    rig.commands.DragLeave();
    EXPECT_FALSE(rig.list.Rows()[0].dropHighlight);
    // Two files cannot go onto one device.
    const VelkPayload two{0, files.text + rig.LibraryFolder() + "/g.glb\n"};
    EXPECT_EQ(rig.commands.DragOver(0, &two, false), kDropNone);
    EXPECT_TRUE(rig.list.Rows()[0].dropHighlight) << "highlighted even when refused";
    EXPECT_FALSE(rig.commands.Drop(0, &two, kDropCopy));
}

// A drag of the device's items allows only a copy: over a folder of the
// library, without Ctrl, both views answer with a copy (GTK refuses a drop
// answered with an effect the drag does not allow).
TEST(CVelkViewCommands, CopyOnlyDragIsAnsweredWithCopyByBothViews) {
    ListRig rig;
    rig.Start();
    rig.SelectPath(rig.DevicePath());  // the device's data are received
    const VelkPayload program{0, rig.DevicePath() + "/Program:A.11\n"};
    rig.SelectPath(rig.LibraryFolder());
    const int sub = rig.RowNamed("Sub");
    for (const bool ctrl : {false, true}) {
        SCOPED_TRACE(ctrl);
        EXPECT_EQ(rig.commands.DragOver(sub, &program, ctrl, kDropCopy), kDropCopy);
        EXPECT_EQ(rig.tree.DragOver(rig.Node(rig.LibraryFolder()), &program, ctrl, kDropCopy), kDropCopy);
    }
    // Files allow both: a move without Ctrl, as before.
    const VelkPayload file{0, rig.LibraryFolder() + "/x.prg\n"};
    EXPECT_EQ(rig.commands.DragOver(sub, &file, false, kDropCopy | kDropMove), kDropMove);
    EXPECT_EQ(rig.tree.DragOver(rig.Node(rig.LibraryFolder() + "/Sub"), &file, false, kDropCopy | kDropMove),
              kDropMove);
}

TEST(CVelkViewCommands, OpenItemPicksTheEditorByRowAndFileEnding) {
    struct Case {
        int folder;  // ListRig::Folder
        const char* row;
        const char* opened;  // "" none
    };
    // clang-format off
    const Case cases[] = {
        {1, "@Global", "global 0 "},
        {3, "x.prg", "program -1 %/x.prg"},
        {3, "g.glb", "global -1 %/g.glb"},
        {3, "a.prg.glb", "global -1 %/a.prg.glb"},
        {4, "s.set", ""},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        ListRig rig;
        rig.Start();
        rig.SelectPath(rig.Folder(c.folder));
        const std::string row = c.row;
        if (row[0] == '@') rig.SelectType(row.substr(1));
        else rig.SelectRows({row});
        rig.commands.OpenItem();
        std::string expected = c.opened;
        if (const auto at = expected.find('%'); at != std::string::npos)
            expected.replace(at, 1, rig.LibraryFolder());
        EXPECT_EQ(rig.opener.opened, expected.empty() ? Strings{} : Strings{expected});
    }
}

TEST(CVelkViewCommands, OpenItemOpensTheProgramOfTheRowsNumber) {
    ListRig rig;
    rig.Start();
    rig.SelectPath(rig.DevicePath());
    const std::string number = rig.Device()->FormatProgramNumber(130).value();
    const int row = rig.list.FindItem("Program:" + number);
    rig.SelectRows({});
    rig.list.SetSelected(row, true);
    rig.commands.OpenItem();
    EXPECT_EQ(rig.opener.opened, Strings{"program 130 "});
    EXPECT_EQ(rig.list.RowCount(), 257) << "the list is filled again";
}

TEST(CVelkViewCommands, OpeningAFolderOrDeviceRowSelectsTheTreeChild) {
    ListRig rig;
    rig.Start();
    rig.SelectRows({"Brontisel S"});
    rig.commands.OpenItem();
    EXPECT_EQ(rig.tree.GetNodePath(rig.tree.GetSelected()), rig.DevicePath());
    EXPECT_EQ(rig.list.RowCount(), 257);

    rig.SelectPath(rig.LibraryFolder());
    rig.SelectRows({"Sub"});
    rig.commands.OpenItem();
    EXPECT_EQ(rig.Doc().GetCurrentPath(), rig.LibraryFolder() + "/Sub");
    EXPECT_TRUE(rig.opener.opened.empty());
}

// A Brontisel S whose global reply was lost: its rows show start-up values.
// Opening one receives again first; the editor opens only on the synth's
// data.
TEST(CVelkViewCommands, DeviceItemOpensOnlyOnceTheDeviceIsReceived) {
    ListRig rig;
    rig.Synth().SetFault(SimReply::GlobalDump, SimFault().WithSilence());
    rig.Start();
    rig.SelectPath(rig.DevicePath());
    ASSERT_EQ(rig.ui_.Texts(), Strings{velkdoctext::kCantReceive});
    rig.SelectType("Global");
    rig.commands.OpenItem();
    EXPECT_TRUE(rig.opener.opened.empty()) << "the global's start-up values were opened";
    EXPECT_EQ(rig.ui_.Texts(), (Strings{velkdoctext::kCantReceive, velkdoctext::kCantReceive}));

    rig.Synth().ClearFaults();
    rig.SelectType("Global");
    rig.commands.OpenItem();
    EXPECT_EQ(rig.opener.opened, Strings{"global 0 "});
}

// A library folder whose device is gone: opening a file must not build an
// editor on a null device.
TEST(CVelkViewCommands, OpenItemWithoutADeviceBuildsNoEditor) {
    ListRig rig;
    rig.Start();
    rig.Doc().SetCurrentFolder(7, itempath::kRootLibrary, 1, rig.LibraryFolder(), true);
    rig.SelectRows({"x.prg"});
    ASSERT_TRUE(rig.commands.CanOpen());
    rig.commands.OpenItem();
    EXPECT_TRUE(rig.opener.opened.empty());
}

TEST(CVelkViewCommands, ClickOnAProgramRowSendsItsSelectionTheGlobalRowNone) {
    ListRig rig;
    rig.Start();
    rig.SelectPath(rig.DevicePath());
    const auto programChanges = [&rig] {
        rig.Deliver();
        int count = 0;
        for (const auto& message : rig.Synth().Received())
            if (!message.empty() && (message[0] & 0xF0) == 0xC0) ++count;
        return count;
    };
    const int before = programChanges();
    rig.SelectType("Global");
    rig.commands.SelectDeviceProgram();
    EXPECT_EQ(programChanges(), before);
    const int row = rig.list.FindItem("Program:" + rig.Device()->FormatProgramNumber(3).value());
    rig.SelectRows({});
    rig.list.SetSelected(row, true);
    rig.commands.SelectDeviceProgram();
    rig.commands.SelectDeviceProgram();
    EXPECT_EQ(programChanges(), before + 2) << "every click sends it again";
    EXPECT_EQ(rig.Synth().Received().back().back(), 3);

    // Outside a device's list a click selects nothing.
    rig.SelectPath(rig.LibraryFolder());
    rig.SelectRows({"x.prg"});
    rig.commands.SelectDeviceProgram();
    EXPECT_EQ(programChanges(), before + 2);
}

TEST(CVelkViewCommands, EscapeClearsCutMarksInBothViewsAndEmptiesTheClipboard) {
    ListRig rig;
    rig.Start();
    rig.SelectPath(rig.LibraryFolder());
    rig.SelectRows({"Sub", "x.prg"});
    rig.commands.CopySelection(true);
    ASSERT_TRUE(rig.list.Rows()[rig.RowNamed("Sub")].cut);
    ASSERT_TRUE(rig.Node(rig.LibraryFolder() + "/Sub")->cut);

    EXPECT_TRUE(rig.commands.ClearCutMarks());
    for (const CListRow& row : rig.list.Rows()) EXPECT_FALSE(row.cut) << row.texts[0];
    EXPECT_FALSE(rig.Node(rig.LibraryFolder() + "/Sub")->cut);
    EXPECT_FALSE(rig.clipboard_.content.has_value());
    EXPECT_FALSE(rig.commands.ClearCutMarks()) << "nothing marked: nothing to do";
}

TEST(CVelkViewCommands, DeleteAndNewFolderActOnTheFolderShown) {
    ListRig rig;
    rig.Start();
    rig.SelectPath(rig.LibraryFolder());
    rig.ui_.fallback = VelkAnswer::kYes;
    rig.SelectRows({"x.prg", "g.glb"});
    rig.commands.DeleteSelection();
    EXPECT_FALSE(fs::exists(rig.LibraryFolder() + "/x.prg"));
    EXPECT_FALSE(fs::exists(rig.LibraryFolder() + "/g.glb"));
    rig.commands.NewFolder();
    EXPECT_TRUE(fs::is_directory(rig.LibraryFolder() + "/New Folder"));
    EXPECT_EQ(rig.listSink.edits.size(), 1u) << "the new folder's name is edited at once";

    rig.SelectRows({"Sub"});
    rig.commands.Explore();
    EXPECT_EQ(rig.launcher.opened, Strings{rig.LibraryFolder() + "/Sub"});
}

// Only files keep their extension: a folder takes the typed text.
TEST(CVelkViewCommands, RenamedFolderTakesTheTypedTextUnchanged) {
    ListRig rig;
    rig.Start();
    rig.SelectPath(rig.LibraryFolder());
    ASSERT_TRUE(rig.list.BeginLabelEdit(rig.RowNamed("Sub")));
    rig.list.EndLabelEdit("Songs.prg", false);
    EXPECT_TRUE(fs::is_directory(rig.LibraryFolder() + "/Songs.prg"));
    rig.SelectPath(rig.SetupFolder());
    ASSERT_TRUE(rig.list.BeginLabelEdit(rig.RowNamed("s.set")));
    rig.list.EndLabelEdit("t", false);
    EXPECT_TRUE(fs::exists(rig.SetupFolder() + "/t.set"));
}

}  // namespace
