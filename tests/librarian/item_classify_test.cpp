// Classifying item paths: each root, the levels, device names in any case,
// roots matched as whole components, and paths from outside that try to
// leave their root or carry bytes a name list cannot hold.

#include "librarian/CItemClassify.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/device/DevRig.h"
#include "tests/librarian/ItemPathRig.h"

namespace itempath_test {
namespace {

using namespace itempath;

constexpr bool V = true;  // valid
constexpr bool F = true;  // folder
constexpr bool x = false;

struct ClassifyCase {
    std::string path;  // "{lib}" stands for the library path
    bool valid;
    int kind;
    int level;
    int device;
    bool folder;
};

class ClassifyPathTest : public LibraryOnDiskTest {
protected:
    void Check(const ClassifyCase& c) const {
        const std::string path = WithLibrary(c.path, library_);
        SCOPED_TRACE(c.path);
        const CItemPathInfo info = ClassifyPath(path, roots_, devices_);
        EXPECT_EQ(info.valid, c.valid);
        EXPECT_EQ(info.rootKind, c.kind);
        EXPECT_EQ(info.level, c.level);
        EXPECT_EQ(info.deviceIndex, c.device);
        EXPECT_EQ(info.isFolder, c.folder);
    }
};

TEST_F(ClassifyPathTest, DeviceSide) {
    // clang-format off
    const ClassifyCase cases[] = {
        {"/My Device", V, 0, 0, -1, F},
        {"/My Device/", V, 0, 0, -1, F},
        {"/my device", V, 0, 0, -1, F},
        {"/My Device/Brontisel", V, 0, 1, 0, F},
        {"/MY DEVICE/bRONTISEL/", V, 0, 1, 0, F},
        {"/My Device/Brontisel/Program:A.11", V, 0, 2, 0, x},
        {"/my device/brontisel/program:a.11", V, 0, 2, 0, x},
        {"/My Device/Brontisel/Global:-", V, 0, 2, 0, x},
        {"/My Device/Brontisel/Program:A.11/more", x, 0, 3, 0, x},
        {"/My Device/Brontisel S", V, 0, 1, 1, F},
        {"/My Device/Brontisel X", x, 0, 1, -1, F},
        {"/My DeviceBrontisel", x, 0, 0, -1, x},
        {"/My Devices", x, 0, 0, -1, x},
        {"My Device", x, 0, 0, -1, x},
        {"", x, 0, 0, -1, x},
        {"/", x, 0, 0, -1, x},
    };
    // clang-format on
    for (const ClassifyCase& c : cases) Check(c);
}

TEST_F(ClassifyPathTest, SetupAndLibrarySides) {
    // clang-format off
    const ClassifyCase cases[] = {
        {"{lib}/My Setup", V, 1, 0, -1, F},
        {"{lib}/My Setup/", V, 1, 0, -1, F},
        {"{lib}/My Setup/Brontisel", V, 1, 1, 0, F},
        {"{lib}/My Setup/Brontisel/all.set", V, 1, 2, 0, x},
        {"{lib}/My Setup/Brontisel/sub", V, 1, 2, 0, F},
        {"{lib}/My Setup/Brontisel/missing.set", x, 1, 2, 0, x},
        {"{lib}/My Setup/Other", x, 1, 1, -1, x},
        {"{lib}/My Library", V, 2, 0, -1, F},
        {"{lib}/My Library/Brontisel", V, 2, 1, 0, F},
        {"{lib}/My Library/Brontisel/A.prg", V, 2, 2, 0, x},
        {"{lib}/My Library/Brontisel/Pads", V, 2, 2, 0, F},
        {"{lib}/My Library/Brontisel/Pads/Pad.prg", V, 2, 3, 0, x},
        {"{lib}/My LibraryX/Brontisel", x, 0, 0, -1, x},
        {"{lib}", x, 0, 0, -1, x},
    };
    // clang-format on
    for (const ClassifyCase& c : cases) Check(c);
}

TEST_F(ClassifyPathTest, NamesBelowTheDeviceFolderCompareExactly) {
    // The device name ignores case, the file system does not.
    // clang-format off
    const ClassifyCase cases[] = {
        {"{lib}/My Library/Brontisel/A.prg", V, 2, 2, 0, x},
        {"{lib}/My Library/Brontisel/a.prg", x, 2, 2, 0, x},
        {"{lib}/My Library/Brontisel/pads/Pad.prg", x, 2, 3, 0, x},
    };
    // clang-format on
    for (const ClassifyCase& c : cases) Check(c);
}

TEST_F(ClassifyPathTest, TraversalOutOfTheLibraryIsInvalidEvenWhenTheTargetExists) {
    // clang-format off
    const ClassifyCase cases[] = {
        {"{lib}/My Library/Brontisel/../../../etc/passwd", x, 2, 6, 0, x},
        {"{lib}/My Library/Brontisel/../../secret.prg", x, 2, 4, 0, x},
        {"{lib}/My Setup/Brontisel/sub/..", x, 1, 3, 0, x},
        {"{lib}/My Setup/Brontisel/./all.set", x, 1, 3, 0, x},
        {"{lib}/My Setup/../My Library/Brontisel/A.prg", x, 1, 4, -1, x},
        {"/My Device/Brontisel/..", x, 0, 2, 0, x},
    };
    // clang-format on
    for (const ClassifyCase& c : cases) Check(c);
}

TEST_F(ClassifyPathTest, EmptyComponentsAreInvalid) {
    // clang-format off
    const ClassifyCase cases[] = {
        {"{lib}/My Library//Brontisel/A.prg", x, 2, 3, -1, x},
        {"{lib}/My Library/Brontisel//A.prg", x, 2, 3, 0, x},
        {"{lib}/My Library/Brontisel/A.prg//", x, 2, 3, 0, x},
        {"/My Device//", x, 0, 1, -1, F},
    };
    // clang-format on
    for (const ClassifyCase& c : cases) Check(c);
}

TEST_F(ClassifyPathTest, NamesANameListCannotCarryAreInvalidEvenWhenTheyExist) {
    disk_.MakeFile("lib/My Library/Brontisel/\xFF.prg");
    disk_.MakeFile("lib/My Library/Brontisel/two\nlines.prg");
    // clang-format off
    const ClassifyCase cases[] = {
        {"{lib}/My Library/Brontisel/\xFF.prg", x, 2, 2, 0, x},
        {"{lib}/My Library/Brontisel/\xC0\xAF.prg", x, 2, 2, 0, x},  // overlong '/'
        {"{lib}/My Library/Brontisel/two\nlines.prg", x, 2, 2, 0, x},
        {"{lib}/My Library/Brontisel/" + std::string("A.prg\0x", 7), x, 2, 2, 0, x},
        {"{lib}/My Library/Brontisel/Gr\xC3\xBC\xC3\x9F" "e.prg", x, 2, 2, 0, x},  // valid, not on disk
    };
    // clang-format on
    for (const ClassifyCase& c : cases) Check(c);
    disk_.MakeFile(
        "lib/My Library/Brontisel/Gr\xC3\xBC\xC3\x9F"
        "e.prg");
    Check(
        {"{lib}/My Library/Brontisel/Gr\xC3\xBC\xC3\x9F"
         "e.prg",
         V, 2, 2, 0, x});
}

// A link below the setup or library folder may lead anywhere on the disk:
// neither the link nor anything reached through it is an item.
TEST_F(ClassifyPathTest, LinksBelowTheRootsAreNoItems) {
    namespace fs = std::filesystem;
    const std::string outside = disk_.Path().string() + "/etc";
    fs::create_directory_symlink(outside, library_ + "/My Library/Brontisel/Out");
    fs::create_symlink(outside + "/passwd", library_ + "/My Library/Brontisel/alias.prg");
    fs::create_directory_symlink(library_ + "/My Library/Brontisel/Pads",
                                 library_ + "/My Library/Brontisel/Inside");
    fs::create_directory_symlink(outside, library_ + "/My Setup/Brontisel S");
    // clang-format off
    const ClassifyCase cases[] = {
        {"{lib}/My Library/Brontisel/Out", x, 2, 2, 0, x},
        {"{lib}/My Library/Brontisel/Out/", x, 2, 2, 0, x},
        {"{lib}/My Library/Brontisel/Out/passwd", x, 2, 3, 0, x},
        {"{lib}/My Library/Brontisel/alias.prg", x, 2, 2, 0, x},
        {"{lib}/My Library/Brontisel/Inside/Pad.prg", x, 2, 3, 0, x},
        {"{lib}/My Setup/Brontisel S", x, 1, 1, 1, x},
        {"{lib}/My Setup/Brontisel S/passwd", x, 1, 2, 1, x},
        // clang-format on
        // The real folders beside them stay items.
        {"{lib}/My Library/Brontisel/Pads/Pad.prg", V, 2, 3, 0, x},
        {"{lib}/My Setup/Brontisel", V, 1, 1, 0, F},
    };
    for (const ClassifyCase& c : cases) Check(c);
}

// The library path is the user's choice: a link there (a library kept on
// another disk) is followed as the user set it up.
TEST_F(ClassifyPathTest, ALinkAboveTheRootsIsTheUsersOwn) {
    const std::string linked = disk_.Path().string() + "/linked";
    std::filesystem::create_directory_symlink(library_, linked);
    roots_ = CItemRoots::FromLibraryPath(linked);
    Check({linked + "/My Library", V, 2, 0, -1, F});
    Check({linked + "/My Library/Brontisel/A.prg", V, 2, 2, 0, x});
}

// On a case-sensitive disk "/x/LIB" is another folder than "/x/lib": a path
// there is not in the library, even when it exists.
TEST_F(ClassifyPathTest, ARootInAnotherCaseIsNotTheLibrary) {
    disk_.MakeFile("LIB/My Library/Brontisel/A.prg");
    disk_.MakeFile("lib/my library/Brontisel/A.prg");
    const std::string upper = disk_.Path().string() + "/LIB";
    // clang-format off
    const ClassifyCase cases[] = {
        {upper + "/My Library/Brontisel/A.prg", x, 0, 0, -1, x},
        {upper + "/My Setup", x, 0, 0, -1, x},
        {"{lib}/my library/Brontisel/A.prg", x, 0, 0, -1, x},
        {"{lib}/My Library/Brontisel/A.prg", V, 2, 2, 0, x},
    };
    // clang-format on
    for (const ClassifyCase& c : cases) Check(c);
}

TEST_F(ClassifyPathTest, TrailingSeparatorOnTheLibraryPathChangesNothing) {
    roots_ = CItemRoots::FromLibraryPath(library_ + "/");
    Check({"{lib}/My Setup/Brontisel/all.set", V, 1, 2, 0, x});
    Check({"{lib}/My Library", V, 2, 0, -1, F});
}

// A root matches only as whole components; otherwise the next root is tried.
TEST(ClassifyPathRoots, LibraryUnderAFolderNamedLikeTheDeviceRoot) {
    const FakeDeviceNames devices{{"Brontisel"}};
    struct Case {
        const char* library;
        const char* path;
        int kind;
        int level;
    };
    // clang-format off
    const Case cases[] = {
        {"/My Device X/lib", "/My Device X/lib/My Library/Brontisel", 2, 1},
        {"/My Device X/lib", "/My Device X/lib/My Setup", 1, 0},
        {"/My Devices", "/My Devices/My Setup/Brontisel/a.set", 1, 2},
        {"/My Device", "/My Device/My Setup/Brontisel", 1, 1},
        {"/My Device", "/My Device/Brontisel/Program:A.11", 0, 2},
        {"/My Device X", "/my device/Brontisel", 0, 1},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const CItemPathInfo info = ClassifyPath(c.path, CItemRoots::FromLibraryPath(c.library), devices);
        EXPECT_EQ(info.rootKind, c.kind);
        EXPECT_EQ(info.level, c.level);
        EXPECT_EQ(info.deviceIndex, c.level >= 1 ? 0 : -1);
    }
    // The device root is virtual: no disk needed there.
    EXPECT_TRUE(
        ClassifyPath("/My Device/Brontisel/Program:A.11", CItemRoots::FromLibraryPath("/My Device"), devices)
            .valid);
}

TEST(SameItemPath, RootsAndDevicesIgnoreCaseNamesBelowDoNot) {
    const CItemRoots roots = CItemRoots::FromLibraryPath("/home/u/lib");
    struct Case {
        const char* a;
        const char* b;
        bool same;
    };
    // clang-format off
    const Case cases[] = {
        {"/My Device", "/my device/", true},
        {"/My Device/Brontisel", "/MY DEVICE/brontisel", true},
        {"/My Device/Brontisel/Program:A.11", "/my device/BRONTISEL/Program:A.11", true},
        {"/My Device/Brontisel/Program:A.11", "/My Device/Brontisel/Program:a.11", false},
        {"/home/u/lib/My Library/Brontisel/A.prg", "/home/u/lib/My Library/brontisel/A.prg", true},
        {"/home/u/lib/My Library/Brontisel/A.prg", "/HOME/U/LIB/my library/brontisel/A.prg", false},
        {"/home/u/lib/My Library/Brontisel/A.prg", "/home/u/lib/My Library/Brontisel/a.prg", false},
        {"/home/u/lib/My Library/Brontisel/Pads/", "/home/u/lib/My Library/Brontisel/pads", false},
        {"/home/u/lib/My Library/Brontisel", "/home/u/lib/My Library/Brontisel S", false},
        {"/home/u/lib/My Library/Brontisel", "/home/u/lib/My Setup/Brontisel", false},
        {"/home/u/lib/My Library", "/home/u/lib/My Library/", true},
        {"/elsewhere/A", "/elsewhere/A", true},
        {"/elsewhere/A", "/elsewhere/a", false},
        {"/My Device", "/elsewhere", false},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(SameItemPath(c.a, c.b, roots), c.same) << c.a << " | " << c.b;
        EXPECT_EQ(SameItemPath(c.b, c.a, roots), c.same) << c.b << " | " << c.a;
    }
}

TEST(ClassifyPathDevices, NamesComeFromTheIdentifiedDevice) {
    DevRig rig(SimModel::BrontiselS);
    const CConfigDeviceNames devices(rig.Config());
    const CItemRoots roots = CItemRoots::FromLibraryPath("/nowhere");
    EXPECT_FALSE(ClassifyPath("/My Device/Brontisel S", roots, devices).valid);
    ASSERT_TRUE(rig.Connect());
    const CItemPathInfo info = ClassifyPath("/my device/BRONTISEL s/Program:B.128", roots, devices);
    EXPECT_TRUE(info.valid);
    EXPECT_EQ(info.deviceIndex, 0);
    EXPECT_EQ(info.level, 2);
    EXPECT_FALSE(ClassifyPath("/My Device/Brontisel", roots, devices).valid);
}

}  // namespace
}  // namespace itempath_test
