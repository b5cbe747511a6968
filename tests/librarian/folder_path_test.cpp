// Creating a folder chain on disk.

#include "librarian/CFolderPath.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "tests/librarian/ItemPathRig.h"

namespace itempath_test {
namespace {

using namespace itempath;
namespace fs = std::filesystem;

TEST(CreateFolderPath, CreatesEveryMissingParent) {
    velktest::TempDir disk;
    const std::string deep = disk.Path().string() + "/lib/My Setup/Brontisel S";
    EXPECT_EQ(CreateFolderPath(deep), kFolderReady);
    EXPECT_TRUE(fs::is_directory(deep));
    EXPECT_EQ(CreateFolderPath(deep), kFolderReady);          // already there
    EXPECT_EQ(CreateFolderPath(deep + "/x/"), kFolderReady);  // trailing separator
    EXPECT_TRUE(fs::is_directory(deep + "/x"));
}

TEST(CreateFolderPath, FileInTheWayCreatesNothing) {
    velktest::TempDir disk;
    disk.MakeFile("lib/My Setup");
    EXPECT_EQ(CreateFolderPath(disk.Path().string() + "/lib/My Setup"), kFolderIsFile);
    EXPECT_EQ(CreateFolderPath(disk.Path().string() + "/lib/My Setup/Brontisel/sub"), kFolderIsFile);
    EXPECT_TRUE(fs::is_regular_file(disk.Path().string() + "/lib/My Setup"));
    EXPECT_EQ(std::distance(fs::directory_iterator(disk.Path().string() + "/lib"), fs::directory_iterator{}),
              1);
}

TEST(CreateFolderPath, NothingToCreateInIsRefused) {
    EXPECT_EQ(CreateFolderPath(""), kFolderCannotCreate);
    const std::string relative = "velk-no-such-folder-" + std::to_string(getpid());
    EXPECT_EQ(CreateFolderPath(relative + "/sub"), kFolderCannotCreate);
    EXPECT_FALSE(fs::exists(relative));
    EXPECT_EQ(CreateFolderPath("/"), kFolderReady);
}

TEST(CreateFolderPath, RefusalOfTheFileSystemIsReported) {
    // /proc takes no new folders, not even from the superuser.
    EXPECT_EQ(CreateFolderPath("/proc/velk-no-such/a"), kFolderCannotCreate);
    EXPECT_FALSE(fs::exists("/proc/velk-no-such"));
    if (geteuid() == 0) return;  // the superuser writes into read-only folders
    velktest::TempDir disk;
    disk.MakeFolder("locked");
    fs::permissions(disk.Path().string() + "/locked", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_EQ(CreateFolderPath(disk.Path().string() + "/locked/a/b"), kFolderCannotCreate);
    EXPECT_FALSE(fs::exists(disk.Path().string() + "/locked/a"));
}

}  // namespace
}  // namespace itempath_test
