// Rename, new folder and delete through the document, and the clipboard and
// drop operations on name lists, with the views' callbacks recorded.

#include <gtest/gtest.h>

#include "DocRig.h"
#include "librarian/CVelkDocTexts.h"

namespace {

using doctest::DocRig;
using namespace std::chrono_literals;
namespace fs = std::filesystem;
using itempath::kRootDevice;
using itempath::kRootLibrary;
using itempath::kRootSetup;

// A folder beside the library, removed with the test.
struct RemovedAtEnd {
    std::string path;
    ~RemovedAtEnd() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

class DocItemsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(rig_.Connect());
        lib_ = rig_.LibraryFolder();
        rig_.calls.clear();
    }
    DocRig rig_;
    std::string lib_;
};

// ---------------------------------------------------------------- rename

TEST_F(DocItemsTest, RenameOnDiskTellsBothViewsAndEmptiesTheClipboard) {
    velktest::WriteText(lib_ + "/A.prg", "a");
    rig_.clipboard_.content = VelkPayload{1, lib_ + "/A.prg\n"};
    EXPECT_EQ(rig_.Doc().RenameItem(lib_ + "/A.prg", "B.prg"), 1);
    EXPECT_EQ(velktest::ReadText(lib_ + "/B.prg"), "a");
    EXPECT_FALSE(fs::exists(lib_ + "/A.prg"));
    EXPECT_EQ(rig_.calls, (std::vector<std::string>{"tree renamed " + lib_ + "/A.prg -> B.prg",
                                                    "list renamed " + lib_ + "/A.prg -> B.prg", "tree cut ",
                                                    "list cut "}));
    EXPECT_FALSE(rig_.clipboard_.content.has_value());
}

TEST_F(DocItemsTest, RenameRefusesNamesThatLeaveTheFolderOrReplaceAnItem) {
    velktest::WriteText(lib_ + "/A.prg", "a");
    velktest::WriteText(lib_ + "/Taken.prg", "taken");
    const char* names[] = {"../A.prg", "x/A.prg", "..", ".", "/tmp/A.prg", "Taken.prg", "a\nb"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        rig_.ui_.shown.clear();
        EXPECT_EQ(rig_.Doc().RenameItem(lib_ + "/A.prg", name), 0);
        EXPECT_EQ(rig_.ui_.Texts(), std::vector<std::string>{velkdoctext::kCantRename});
    }
    EXPECT_EQ(velktest::Listing(lib_), (std::vector<std::string>{"A.prg", "Taken.prg"}));
    EXPECT_EQ(velktest::ReadText(lib_ + "/Taken.prg"), "taken");
    EXPECT_TRUE(rig_.calls.empty());
}

TEST_F(DocItemsTest, RenameToTheSameNameOrEmptyDoesNothing) {
    velktest::WriteText(lib_ + "/A.prg", "a");
    EXPECT_EQ(rig_.Doc().RenameItem(lib_ + "/A.prg", "A.prg"), 0);
    EXPECT_EQ(rig_.Doc().RenameItem(lib_ + "/A.prg", ""), 0);
    EXPECT_TRUE(rig_.ui_.shown.empty());
    EXPECT_TRUE(rig_.calls.empty());
    // Names on disk are case-sensitive: another case is another name.
    EXPECT_EQ(rig_.Doc().RenameItem(lib_ + "/A.prg", "a.prg"), 1);
    EXPECT_EQ(velktest::Listing(lib_), std::vector<std::string>{"a.prg"});
}

TEST_F(DocItemsTest, RenamingTheShownFolderOrOneAboveItMovesTheCurrentFolder) {
    fs::create_directories(lib_ + "/Pads/Soft");
    struct Case {
        std::string shown, renamed, newName, expected;
    };
    const Case cases[] = {
        {lib_ + "/Pads/Soft", lib_ + "/Pads/Soft", "Warm", lib_ + "/Pads/Warm"},
        {lib_ + "/Pads/Warm", lib_ + "/Pads", "Beds", lib_ + "/Beds/Warm"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.renamed);
        rig_.Doc().SetCurrentFolder(0, kRootLibrary, 3, c.shown, true);
        rig_.calls.clear();
        ASSERT_EQ(rig_.Doc().RenameItem(c.renamed, c.newName), 1);
        EXPECT_EQ(rig_.Doc().GetCurrentPath(), c.expected);
        EXPECT_EQ(rig_.Doc().GetCurrentFolder().level, 3);
        EXPECT_NE(std::find(rig_.calls.begin(), rig_.calls.end(), "list fill " + c.expected),
                  rig_.calls.end());
    }
    // A sibling of the shown folder leaves it alone.
    fs::create_directories(lib_ + "/Other");
    rig_.calls.clear();
    ASSERT_EQ(rig_.Doc().RenameItem(lib_ + "/Other", "Be"), 1);
    EXPECT_EQ(rig_.Doc().GetCurrentPath(), lib_ + "/Beds/Warm");
    // So does one whose name begins the shown folder's ("Be" of "Beds").
    ASSERT_EQ(rig_.Doc().RenameItem(lib_ + "/Be", "Bed"), 1);
    EXPECT_EQ(rig_.Doc().GetCurrentPath(), lib_ + "/Beds/Warm");
}

TEST_F(DocItemsTest, RenamingADeviceProgramKeepsTwelveBytesAndShowsTheDevicesName) {
    ASSERT_TRUE(rig_.Doc().ReceiveAll(rig_.Device()));
    rig_.calls.clear();
    const std::string path = rig_.ProgramPath(6);
    EXPECT_EQ(rig_.Doc().RenameItem(path, "A Very Long Program Name"), 1);
    EXPECT_EQ(rig_.Device()->GetProgramName(6), "A Very Long ");
    rig_.Deliver();
    const SimProgramRecord stored = rig_.Synth().Program(6);
    EXPECT_EQ(std::string(stored.begin(), stored.begin() + 12), "A Very Long ");
    ASSERT_GE(rig_.calls.size(), 2u);
    EXPECT_EQ(rig_.calls[0], "tree renamed " + path + " -> A Very Long ");
    EXPECT_TRUE(rig_.ui_.shown.empty());

    // The same name again sends nothing.
    const auto sent = rig_.Synth().Received().size();
    EXPECT_EQ(rig_.Doc().RenameItem(path, "A Very Long Program"), 0);
    rig_.Deliver();
    EXPECT_EQ(rig_.Synth().Received().size(), sent);
}

// A rename takes what the Program Editor's name field takes (printable
// ASCII, 12 characters): no other byte reaches the synth.
TEST_F(DocItemsTest, RenamingADeviceProgramSendsOnlyWhatTheNameFieldTakes) {
    SimProgramRecord high = SimSynth::DefaultProgram(5);
    const std::string highName = "Caf\xE9";
    std::fill_n(high.begin(), 12, std::uint8_t{' '});
    std::copy(highName.begin(), highName.end(), high.begin());
    rig_.Synth().SetProgram(5, high);
    ASSERT_TRUE(rig_.Doc().ReceiveAll(rig_.Device()));
    const std::string path = rig_.ProgramPath(6);
    struct Case {
        std::string typed;
        std::string stored;  // the synth's 12 bytes
    };
    // clang-format off
    const Case cases[] = {
        {"Caf\xC3\xA9 Neu", "Caf Neu     "},
        {"Tab\tBell\x01\x7F!", "TabBell!    "},
        {"\xE2\x84\xA2 Trade mark names", " Trade mark "},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(rig_.Doc().RenameItem(path, c.typed), 1);
        rig_.Deliver();
        const SimProgramRecord stored = rig_.Synth().Program(6);
        EXPECT_EQ(std::string(stored.begin(), stored.begin() + 12), c.stored);
    }
    // Nothing left of the name, or the shown name taken back unchanged (a
    // name of the synth's own bytes, shown as text): nothing is sent.
    const auto sent = rig_.Synth().Received().size();
    EXPECT_EQ(rig_.Doc().RenameItem(path, "\xE6\x97\xA5\xE6\x9C\xAC"), 0);
    EXPECT_EQ(rig_.Doc().RenameItem(rig_.ProgramPath(5), "Caf\xC3\xA9"), 0);
    rig_.Deliver();
    EXPECT_EQ(rig_.Synth().Received().size(), sent);
    EXPECT_EQ(rig_.Device()->GetProgramName(5), highName);
    EXPECT_TRUE(rig_.ui_.shown.empty());
}

TEST_F(DocItemsTest, DeviceRenameFailuresAreReported) {
    ASSERT_TRUE(rig_.Doc().ReceiveAll(rig_.Device()));
    rig_.Synth().SetWriteProtect(true);
    EXPECT_EQ(rig_.Doc().RenameItem(rig_.ProgramPath(1), "Nope"), 0);
    EXPECT_EQ(rig_.Doc().RenameItem(itempath::MakeGlobalPath(rig_.DeviceName()), "Nope"), 0);
    EXPECT_EQ(rig_.ui_.Texts(), (std::vector<std::string>{velkdoctext::kCantOverwriteDevice,
                                                          velkdoctext::kCantOverwriteDevice}));
    EXPECT_TRUE(rig_.calls.empty());
}

TEST(DocRenameUnreceived, ProgramNeverReceivedIsNotWrittenBack) {
    DocRig rig;
    ASSERT_TRUE(rig.Connect());
    const auto sent = rig.Synth().Received().size();
    const SimProgramRecord before = rig.Synth().Program(1);
    EXPECT_EQ(rig.Doc().RenameItem(rig.ProgramPath(1), "New"), 0);
    rig.Deliver();
    EXPECT_EQ(rig.Synth().Received().size(), sent);
    EXPECT_EQ(rig.Synth().Program(1), before);
}

// ---------------------------------------------------------------- new folder

TEST_F(DocItemsTest, NewFolderTakesTheFirstFreeName) {
    EXPECT_EQ(rig_.Doc().NewFolder(lib_), 1);
    EXPECT_EQ(rig_.Doc().NewFolder(lib_), 1);
    fs::create_directories(lib_ + "/New Folder 3");
    EXPECT_EQ(rig_.Doc().NewFolder(lib_), 1);
    EXPECT_EQ(velktest::Listing(lib_),
              (std::vector<std::string>{"New Folder", "New Folder 2", "New Folder 3", "New Folder 4"}));
    EXPECT_EQ(rig_.calls.front(), "tree created " + lib_ + "/New Folder");
    EXPECT_EQ(rig_.calls.back(), "list created " + lib_ + "/New Folder 4");
}

TEST_F(DocItemsTest, NewFolderGivesUpAfterNinetyEightNames) {
    fs::create_directories(lib_ + "/New Folder");
    for (int i = 2; i <= 98; ++i) velktest::WriteText(lib_ + "/New Folder " + std::to_string(i), "x");
    EXPECT_EQ(rig_.Doc().NewFolder(lib_), 0);
    EXPECT_EQ(rig_.ui_.Texts(), std::vector<std::string>{"ERROR: Folder Can't be Created on " + lib_});
    EXPECT_FALSE(fs::exists(lib_ + "/New Folder 99"));
    EXPECT_EQ(rig_.Doc().NewFolder(itempath::MakeDevicePath(rig_.DeviceName())), 0);
    EXPECT_TRUE(rig_.calls.empty());
}

// ---------------------------------------------------------------- delete

TEST_F(DocItemsTest, DeleteAsksThenMovesToTheTrash) {
    velktest::WriteText(lib_ + "/A.prg", "a");
    velktest::WriteText(lib_ + "/Pads/P.prg", "p");
    CFNameList names = DocRig::List({lib_ + "/A.prg", lib_ + "/Pads"});

    rig_.ui_.answers = {VelkAnswer::kNo};
    EXPECT_EQ(rig_.Doc().DeleteItems(names), 0);
    EXPECT_EQ(velktest::Listing(lib_), (std::vector<std::string>{"A.prg", "Pads"}));
    EXPECT_TRUE(rig_.calls.empty());

    rig_.ui_.answers = {VelkAnswer::kYes};
    rig_.clipboard_.content = VelkPayload{0, lib_ + "/A.prg\n"};
    EXPECT_EQ(rig_.Doc().DeleteItems(names), 1);
    EXPECT_EQ(velktest::Listing(lib_), std::vector<std::string>{});
    const std::string trash = (doctest::Sandbox() / "data/Trash/files").string();
    EXPECT_EQ(velktest::ReadText(trash + "/A.prg"), "a");
    EXPECT_EQ(rig_.ui_.Texts(), std::vector<std::string>(2, velkdoctext::kAskTrash));
    ASSERT_EQ(rig_.calls.size(), 4u);
    EXPECT_EQ(rig_.calls[0], "tree deleted " + names.GetText());
    EXPECT_EQ(rig_.calls[1], "list deleted " + names.GetText());
    EXPECT_FALSE(rig_.clipboard_.content.has_value());
}

TEST_F(DocItemsTest, DeleteRefusesListsWithAnythingButSetupOrLibraryItems) {
    velktest::WriteText(lib_ + "/A.prg", "a");
    velktest::WriteText(rig_.Library() + "/outside.prg", "o");
    // clang-format off
    const std::vector<std::vector<std::string>> lists = {
        {lib_ + "/A.prg", rig_.Library() + "/outside.prg"},
        {lib_ + "/A.prg", lib_},  // a device folder
        {lib_ + "/A.prg", rig_.ProgramPath(0)},
    };
    // clang-format on
    for (const auto& list : lists) {
        CFNameList names = DocRig::List(list);
        EXPECT_EQ(rig_.Doc().DeleteItems(names), 0);
    }
    EXPECT_TRUE(rig_.ui_.shown.empty()) << "asked before refusing";
    EXPECT_TRUE(fs::exists(lib_ + "/A.prg"));
    EXPECT_TRUE(fs::exists(rig_.Library() + "/outside.prg"));
}

// A link in the library may lead anywhere on the disk: nothing is deleted,
// renamed, copied or pasted through it.
TEST_F(DocItemsTest, NothingIsDoneThroughALinkOutOfTheLibrary) {
    const velktest::TempDir beside(doctest::Sandbox());
    const std::string outside = beside.Path().string();
    velktest::WriteText(outside + "/secret.prg", "secret");
    velktest::WriteText(lib_ + "/A.prg", "a");
    fs::create_directories(lib_ + "/Sub");
    const std::string link = lib_ + "/Out";
    fs::create_directory_symlink(outside, link);
    rig_.ui_.fallback = VelkAnswer::kYes;

    CFNameList throughLink = DocRig::List({link + "/secret.prg"});
    EXPECT_EQ(rig_.Doc().DeleteItems(throughLink), 0);
    CFNameList theLink = DocRig::List({link});
    EXPECT_EQ(rig_.Doc().DeleteItems(theLink), 0);
    EXPECT_EQ(rig_.Doc().RenameItem(link + "/secret.prg", "x.prg"), 0);
    CFNameList file = DocRig::List({lib_ + "/A.prg"});
    EXPECT_EQ(rig_.Doc().PasteItems(file, link, false, 0, kRootLibrary, 3), 0);
    EXPECT_EQ(rig_.Doc().PasteItems(file, link, true, 0, kRootLibrary, 3), 0);
    EXPECT_EQ(rig_.Doc().PasteItems(throughLink, lib_ + "/Sub", false, 0, kRootLibrary, 3), 0);
    EXPECT_EQ(rig_.Doc().NewFolder(link), 0);

    EXPECT_EQ(velktest::Listing(outside), std::vector<std::string>{"secret.prg"});
    EXPECT_EQ(velktest::ReadText(outside + "/secret.prg"), "secret");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_TRUE(fs::exists(lib_ + "/A.prg"));
    EXPECT_EQ(velktest::Listing(lib_ + "/Sub"), std::vector<std::string>{});
    EXPECT_TRUE(rig_.ui_.shown.empty());
    EXPECT_TRUE(rig_.calls.empty());
}

// On a case-sensitive disk a folder named like the library's in another
// case is not the library: nothing there is deleted or taken in.
TEST_F(DocItemsTest, AFolderNamedLikeTheLibraryInAnotherCaseIsNotTheLibrary) {
    std::string upper = rig_.Library();
    const auto slash = upper.rfind('/');
    for (std::size_t i = slash + 1; i < upper.size(); ++i)
        upper[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(upper[i])));
    ASSERT_NE(upper, rig_.Library());
    const std::string other = upper + "/My Library/" + rig_.DeviceName();
    const RemovedAtEnd cleanup{upper};
    velktest::WriteText(other + "/B.prg", "b");
    rig_.ui_.fallback = VelkAnswer::kYes;

    CFNameList names = DocRig::List({other + "/B.prg"});
    EXPECT_EQ(rig_.Doc().DeleteItems(names), 0);
    const VelkPayload cut{1, other + "/B.prg\n"};
    EXPECT_EQ(rig_.Doc().CanPaste(&cut, 0, kRootLibrary, 1), 0);
    EXPECT_EQ(rig_.Doc().PasteItems(names, lib_, true, 0, kRootLibrary, 1), 0);
    EXPECT_EQ(velktest::ReadText(other + "/B.prg"), "b");
    EXPECT_EQ(velktest::Listing(lib_), std::vector<std::string>{});
    EXPECT_TRUE(rig_.ui_.shown.empty());
}

// ---------------------------------------------------------------- clipboard and drops

TEST_F(DocItemsTest, CutMarksFollowTheClipboard) {
    CFNameList names = DocRig::List({lib_ + "/A.prg"});
    EXPECT_EQ(rig_.Doc().PutItems(1, names, false, 0), 1);
    EXPECT_EQ(rig_.tree_.cutMarks.back(), names.GetText());
    EXPECT_EQ(rig_.list_.cutMarks.back(), names.GetText());
    EXPECT_EQ(rig_.Doc().PutItems(0, names, false, 0), 1);
    EXPECT_EQ(rig_.list_.cutMarks.back(), "") << "a copy marks nothing";

    CFNameList read;
    EXPECT_EQ(rig_.Doc().GetClipboardItems(read), 0);
    EXPECT_EQ(read.GetText(), names.GetText());
    EXPECT_EQ(rig_.Doc().HasClipboardItems(), 1);

    rig_.clipboard_.opens = false;
    EXPECT_EQ(rig_.Doc().PutItems(1, names, false, 0), 0);
    const auto marks = rig_.list_.cutMarks.size();
    rig_.Doc().ClearClipboard();
    EXPECT_EQ(rig_.list_.cutMarks.size(), marks) << "refreshed though the clipboard did not open";
    EXPECT_EQ(rig_.Doc().HasClipboardItems(), 0);
}

TEST_F(DocItemsTest, CopyThenPasteEmptiesTheClipboard) {
    velktest::WriteText(lib_ + "/A.prg", "a");
    fs::create_directories(lib_ + "/To");
    CFNameList names = DocRig::List({lib_ + "/A.prg"});
    ASSERT_EQ(rig_.Doc().PutItems(0, names, false, 0), 1);
    EXPECT_EQ(rig_.Doc().CanPaste(nullptr, 0, kRootLibrary, 2), 1);
    rig_.calls.clear();
    EXPECT_EQ(rig_.Doc().Paste(nullptr, lib_ + "/To", false, 0, kRootLibrary, 2), 1);
    EXPECT_TRUE(fs::exists(lib_ + "/A.prg"));
    EXPECT_TRUE(fs::exists(lib_ + "/To/A.prg"));
    EXPECT_EQ(rig_.calls, (std::vector<std::string>{"tree pasted " + names.GetText() + "-> " + lib_ + "/To",
                                                    "list pasted " + names.GetText() + "-> " + lib_ + "/To",
                                                    "tree cut ", "list cut "}));
    EXPECT_EQ(rig_.Doc().CanPaste(nullptr, 0, kRootLibrary, 2), 0);
}

TEST_F(DocItemsTest, CutThenPasteMoves) {
    velktest::WriteText(lib_ + "/A.prg", "a");
    fs::create_directories(lib_ + "/To");
    ASSERT_EQ(rig_.Doc().PutItems(1, DocRig::List({lib_ + "/A.prg"}), false, 0), 1);
    EXPECT_EQ(rig_.Doc().Paste(nullptr, lib_ + "/To", false, 0, kRootLibrary, 2), 1);
    EXPECT_FALSE(fs::exists(lib_ + "/A.prg"));
    EXPECT_TRUE(fs::exists(lib_ + "/To/A.prg"));
}

TEST_F(DocItemsTest, ForeignClipboardTextIsNeverPasted) {
    velktest::WriteText(lib_ + "/A.prg", "a");
    fs::create_directories(lib_ + "/To");
    rig_.clipboard_.content.reset();  // what the wx layer reports for text without our format
    EXPECT_EQ(rig_.Doc().CanPaste(nullptr, 0, kRootLibrary, 2), 0);
    EXPECT_EQ(rig_.Doc().Paste(nullptr, lib_ + "/To", false, 0, kRootLibrary, 2), 0);
    EXPECT_TRUE(rig_.calls.empty());
    EXPECT_FALSE(fs::exists(lib_ + "/To/A.prg"));
}

TEST_F(DocItemsTest, DropPastesTheDragPayloadAndForcesAMove) {
    velktest::WriteText(lib_ + "/A.prg", "a");
    fs::create_directories(lib_ + "/To");
    rig_.clipboard_.dragEffect = kDropMove;
    CFNameList names = DocRig::List({lib_ + "/A.prg"});
    EXPECT_EQ(rig_.Doc().PutItems(0, names, true, kDropCopy | kDropMove), kDropMove);
    ASSERT_EQ(rig_.clipboard_.drags.size(), 1u);
    EXPECT_EQ(rig_.clipboard_.drags[0].text, names.GetText());
    EXPECT_FALSE(rig_.clipboard_.content.has_value()) << "a drag touched the clipboard";

    const VelkPayload dropped = rig_.clipboard_.drags[0];
    EXPECT_EQ(rig_.Doc().CanPaste(&dropped, 0, kRootLibrary, 2), 1);
    EXPECT_EQ(rig_.Doc().Paste(&dropped, lib_ + "/To", true, 0, kRootLibrary, 2), 1);
    EXPECT_FALSE(fs::exists(lib_ + "/A.prg"));
    EXPECT_TRUE(fs::exists(lib_ + "/To/A.prg"));
}

TEST_F(DocItemsTest, DragEndingWithoutDropLeavesTheClipboardAlone) {
    rig_.clipboard_.content = VelkPayload{1, "kept\n"};
    EXPECT_EQ(rig_.Doc().PutItems(0, DocRig::List({lib_ + "/A.prg"}), true, kDropCopy), kDropNone);
    EXPECT_EQ(rig_.clipboard_.content->text, "kept\n");
}

}  // namespace
