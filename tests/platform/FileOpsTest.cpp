#include "platform/fileops/FileOps.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <iterator>

#include "tests/support/TempDir.h"

namespace fs = std::filesystem;
using namespace velk::fileops;

namespace {

using velktest::ReadText;
using velktest::TempDir;
using velktest::WriteText;

// Answers conflicts from a script and records what it was asked.
class ScriptedAsker : public ConflictAsker {
public:
    std::deque<ConflictAnswer> answers;
    std::vector<std::string> asked;
    ConflictAnswer AskReplace(const fs::path&, const fs::path& existing) override {
        asked.push_back(existing.filename().string());
        if (answers.empty()) return {ConflictChoice::Cancel, false};
        ConflictAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
};

class FileOpsTest : public ::testing::Test {
protected:
    TempDir dir;
    ScriptedAsker asker;
};

TEST_F(FileOpsTest, CopyKeepsContentPermissionsAndSource) {
    WriteText(dir / "a/Init.prg", "one");
    ::chmod((dir / "a/Init.prg").c_str(), 0600);
    fs::create_directory(dir / "b");
    const OpResult r = CopyItems({dir / "a/Init.prg"}, dir / "b", asker);
    EXPECT_TRUE(r.Ok());
    EXPECT_EQ(r.done, 1);
    EXPECT_EQ(ReadText(dir / "b/Init.prg"), "one");
    EXPECT_EQ(fs::status(dir / "b/Init.prg").permissions(), fs::perms(0600));
    EXPECT_TRUE(fs::exists(dir / "a/Init.prg"));
    EXPECT_TRUE(asker.asked.empty());
}

TEST_F(FileOpsTest, CopiedFolderMergesIntoExistingFolder) {
    WriteText(dir / "src/Pads/a.prg", "new a");
    WriteText(dir / "src/Pads/sub/b.prg", "b");
    WriteText(dir / "dst/Pads/keep.prg", "kept");
    const OpResult r = CopyItems({dir / "src/Pads"}, dir / "dst", asker);
    EXPECT_TRUE(r.Ok());
    EXPECT_EQ(ReadText(dir / "dst/Pads/a.prg"), "new a");
    EXPECT_EQ(ReadText(dir / "dst/Pads/sub/b.prg"), "b");
    EXPECT_EQ(ReadText(dir / "dst/Pads/keep.prg"), "kept");
}

TEST_F(FileOpsTest, DirectoryLinksAreCopiedAsLinksNotFollowed) {
    WriteText(dir / "elsewhere/secret.prg", "x");
    fs::create_directories(dir / "src/Set");
    fs::create_directory_symlink(dir / "elsewhere", dir / "src/Set/link");
    fs::create_directory(dir / "dst");
    EXPECT_TRUE(CopyItems({dir / "src/Set"}, dir / "dst", asker).Ok());
    EXPECT_TRUE(fs::is_symlink(dir / "dst/Set/link"));
    EXPECT_EQ(fs::read_symlink(dir / "dst/Set/link"), dir / "elsewhere");
}

struct ConflictCase {
    const char* name;
    std::vector<ConflictAnswer> answers;
    std::string first, second;  // contents of the two targets afterwards
    bool cancelled;
    int asked;
};

class ConflictTest : public FileOpsTest, public ::testing::WithParamInterface<ConflictCase> {};

TEST_P(ConflictTest, ExistingFilesAreReplacedOnlyAsAnswered) {
    const ConflictCase& c = GetParam();
    WriteText(dir / "src/1.prg", "new1");
    WriteText(dir / "src/2.prg", "new2");
    WriteText(dir / "dst/1.prg", "old1");
    WriteText(dir / "dst/2.prg", "old2");
    asker.answers.assign(c.answers.begin(), c.answers.end());
    const OpResult r = CopyItems({dir / "src/1.prg", dir / "src/2.prg"}, dir / "dst", asker);
    EXPECT_EQ(ReadText(dir / "dst/1.prg"), c.first);
    EXPECT_EQ(ReadText(dir / "dst/2.prg"), c.second);
    EXPECT_EQ(r.cancelled, c.cancelled);
    EXPECT_EQ(int(asker.asked.size()), c.asked);
    EXPECT_TRUE(r.failed.empty());
    EXPECT_EQ(ReadText(dir / "src/1.prg"), "new1");
}

using CC = ConflictChoice;
INSTANTIATE_TEST_SUITE_P(
    Answers, ConflictTest,
    ::testing::Values(
        ConflictCase{"ReplaceThenSkip", {{CC::Replace, false}, {CC::Skip, false}}, "new1", "old2", false, 2},
        ConflictCase{"ReplaceForAll", {{CC::Replace, true}}, "new1", "new2", false, 1},
        ConflictCase{"SkipForAll", {{CC::Skip, true}}, "old1", "old2", false, 1},
        ConflictCase{"CancelStopsEverything", {{CC::Cancel, false}}, "old1", "old2", true, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileOpsTest, FolderIntoItselfOrOntoItselfIsRefused) {
    WriteText(dir / "Lib/Pads/a.prg", "a");
    fs::create_directory(dir / "Lib/Pads/Inner");
    for (const fs::path& target : {dir / "Lib/Pads", dir / "Lib/Pads/Inner"}) {
        const OpResult copy = CopyItems({dir / "Lib/Pads"}, target, asker);
        EXPECT_EQ(copy.failed.size(), 1u) << target;
        const OpResult move = MoveItems({dir / "Lib/Pads"}, target, asker);
        EXPECT_EQ(move.failed.size(), 1u) << target;
    }
    EXPECT_FALSE(CopyItems({dir / "Lib/Pads/a.prg"}, dir / "Lib/Pads", asker).Ok());
    EXPECT_EQ(ReadText(dir / "Lib/Pads/a.prg"), "a");
    EXPECT_FALSE(fs::exists(dir / "Lib/Pads/Inner/Pads"));
}

TEST_F(FileOpsTest, MoveOnOneFileSystemRenamesAndMerges) {
    WriteText(dir / "src/Pads/a.prg", "a");
    WriteText(dir / "src/b.prg", "b");
    WriteText(dir / "dst/Pads/c.prg", "c");
    const OpResult r = MoveItems({dir / "src/Pads", dir / "src/b.prg"}, dir / "dst", asker);
    EXPECT_TRUE(r.Ok());
    EXPECT_EQ(r.done, 2);
    EXPECT_EQ(ReadText(dir / "dst/Pads/a.prg"), "a");
    EXPECT_EQ(ReadText(dir / "dst/Pads/c.prg"), "c");
    EXPECT_EQ(ReadText(dir / "dst/b.prg"), "b");
    EXPECT_FALSE(fs::exists(dir / "src/Pads"));
    EXPECT_FALSE(fs::exists(dir / "src/b.prg"));
}

TEST_F(FileOpsTest, MoveThatSkipsAConflictKeepsThatSource) {
    WriteText(dir / "src/a.prg", "new");
    WriteText(dir / "dst/a.prg", "old");
    asker.answers = {{ConflictChoice::Skip, false}};
    const OpResult r = MoveItems({dir / "src/a.prg"}, dir / "dst", asker);
    EXPECT_EQ(r.skipped, 1);
    EXPECT_EQ(ReadText(dir / "src/a.prg"), "new");
    EXPECT_EQ(ReadText(dir / "dst/a.prg"), "old");
}

// /dev/shm is a file system of its own on most machines: a move from there
// is a copy, and the source goes only when all of it arrived.
TEST_F(FileOpsTest, MoveAcrossFileSystemsKeepsSourceUnlessWhollyCopied) {
    struct stat a {
    }, b{};
    if (::stat("/dev/shm", &a) != 0 || ::stat(dir.Path().c_str(), &b) != 0 || a.st_dev == b.st_dev)
        GTEST_SKIP() << "no second file system at /dev/shm";
    TempDir other("/dev/shm");
    WriteText(other / "Good/a.prg", "a");
    WriteText(other / "Bad/b.prg", "b");
    ASSERT_EQ(::mkfifo((other / "Bad/pipe").c_str(), 0600), 0);  // cannot be copied
    fs::create_directory(dir / "dst");
    const OpResult r = MoveItems({other / "Good", other / "Bad"}, dir / "dst", asker);
    EXPECT_EQ(r.done, 1);
    EXPECT_EQ(r.failed.size(), 1u);
    EXPECT_FALSE(fs::exists(other / "Good"));
    EXPECT_EQ(ReadText(dir / "dst/Good/a.prg"), "a");
    EXPECT_EQ(ReadText(other / "Bad/b.prg"), "b");  // kept: its copy was incomplete
    EXPECT_EQ(ReadText(dir / "dst/Bad/b.prg"), "b");
}

TEST_F(FileOpsTest, RenameNeverReplacesAnExistingTarget) {
    WriteText(dir / "a.prg", "a");
    WriteText(dir / "b.prg", "b");
    fs::create_directory(dir / "F");
    EXPECT_EQ(RenameNoReplace(dir / "a.prg", dir / "b.prg"), EEXIST);
    EXPECT_EQ(RenameNoReplace(dir / "a.prg", dir / "F"), EEXIST);
    EXPECT_EQ(ReadText(dir / "a.prg"), "a");
    EXPECT_EQ(ReadText(dir / "b.prg"), "b");
    EXPECT_EQ(RenameNoReplace(dir / "a.prg", dir / "A.prg"), 0);  // names differ in case only
    EXPECT_EQ(ReadText(dir / "A.prg"), "a");
    EXPECT_EQ(RenameNoReplace(dir / "F", dir / "G"), 0);
    EXPECT_TRUE(fs::is_directory(dir / "G"));
    EXPECT_EQ(RenameNoReplace(dir / "missing", dir / "x"), ENOENT);
}

TEST_F(FileOpsTest, MakeFolderFailsOnAnythingExisting) {
    EXPECT_TRUE(MakeFolder(dir / "New Folder"));
    EXPECT_FALSE(MakeFolder(dir / "New Folder"));
    WriteText(dir / "file", "x");
    EXPECT_FALSE(MakeFolder(dir / "file"));
    EXPECT_FALSE(MakeFolder(dir / "no/parent"));
}

TEST_F(FileOpsTest, DeleteForGoodRemovesLinksNotTheirTargets) {
    WriteText(dir / "keep/x.prg", "x");
    WriteText(dir / "gone/y.prg", "y");
    fs::create_directory_symlink(dir / "keep", dir / "gone/link");
    EXPECT_TRUE(DeleteForGood({dir / "gone"}).empty());
    EXPECT_FALSE(fs::exists(dir / "gone"));
    EXPECT_EQ(ReadText(dir / "keep/x.prg"), "x");
}

// The trash test needs the trash folder on the same file system as the
// items, as a user's home trash would be; GIO reads XDG_DATA_HOME once.
TEST_F(FileOpsTest, TrashMovesItemsToTheUsersTrash) {
    static TempDir home;
    ::setenv("XDG_DATA_HOME", home.Path().c_str(), 1);
    WriteText(dir / "Lib/a.prg", "a");
    fs::create_directories(dir / "Lib/Folder");
    const TrashResult r = TrashItems({dir / "Lib/a.prg", dir / "Lib/Folder", dir / "Lib/missing"});
    EXPECT_EQ(r.trashed, 2);
    EXPECT_EQ(r.failed.size(), 1u);
    EXPECT_TRUE(r.notSupported.empty());
    EXPECT_FALSE(fs::exists(dir / "Lib/a.prg"));
    EXPECT_EQ(ReadText(home / "Trash/files/a.prg"), "a");
}

}  // namespace

namespace {

// A system-internal mount such as /dev/shm has no trash: the item is
// reported, not deleted, so the caller can ask before deleting for good.
TEST(FileOpsTrash, ItemsWhereNoTrashExistsAreReportedAndKept) {
    struct stat a {
    }, b{};
    if (::stat("/dev/shm", &a) != 0 || ::stat(fs::temp_directory_path().c_str(), &b) != 0 ||
        a.st_dev == b.st_dev)
        GTEST_SKIP() << "no separate /dev/shm";
    TempDir shm("/dev/shm");
    WriteText(shm / "x.prg", "x");
    const TrashResult r = TrashItems({shm / "x.prg"});
    ASSERT_EQ(r.notSupported.size(), 1u);
    EXPECT_EQ(r.trashed, 0);
    EXPECT_EQ(ReadText(shm / "x.prg"), "x");
}

}  // namespace
