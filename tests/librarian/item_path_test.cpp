// Item path texts: splitting, joining, building the device paths, the roots
// derived from the library path, file names and the tree's data word.

#include "librarian/CItemPath.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace itempath_test {
namespace {

using namespace itempath;

TEST(ItemPathText, LeafParentAndJoin) {
    struct Case {
        const char* path;
        const char* leaf;
        const char* parent;
    };
    // clang-format off
    const Case cases[] = {
        {"/My Device/Brontisel/Program:A.11", "Program:A.11", "/My Device/Brontisel"},
        {"/My Device", "My Device", ""},
        {"plain", "plain", ""},
        {"", "", ""},
        {"/a/b/", "", "/a/b"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(GetLeafName(c.path), c.leaf);
        EXPECT_EQ(GetParentPath(c.path), c.parent);
    }
    EXPECT_EQ(JoinPath("/a/b", "c"), "/a/b/c");
    EXPECT_EQ(JoinPath("/a/b/", "c"), "/a/b/c");
    EXPECT_EQ(JoinPath("", "c"), "/c");
    EXPECT_EQ(JoinPath("/", "c"), "/c");
}

TEST(ItemPathText, ProgramAndGlobalPrefixesCompareExactly) {
    EXPECT_EQ(GetProgramNumber("/My Device/Brontisel/Program:B.128"), "B.128");
    EXPECT_EQ(GetProgramNumber("Program:A.11"), "A.11");
    EXPECT_EQ(GetProgramNumber("/My Device/Brontisel/Global:-"), "Global:-");
    EXPECT_EQ(GetProgramNumber("/My Device/Brontisel/program:A.11"), "program:A.11");
    EXPECT_TRUE(IsProgramItem("Program:A.11"));
    EXPECT_TRUE(IsProgramItem("Program:"));
    EXPECT_FALSE(IsProgramItem("PROGRAM:A.11"));
    EXPECT_FALSE(IsProgramItem("Program"));
    EXPECT_TRUE(IsGlobalItem("Global:-"));
    EXPECT_FALSE(IsGlobalItem("global:-"));
    EXPECT_FALSE(IsGlobalItem("Program:A.11"));
}

TEST(ItemPathText, DevicePathsSplitBackIntoTheirParts) {
    for (const char* device : {"Brontisel", "Brontisel S"}) {
        SCOPED_TRACE(device);
        EXPECT_EQ(MakeDevicePath(device), std::string("/My Device/") + device);
        EXPECT_EQ(GetParentPath(MakeDevicePath(device)), kDeviceRoot);
        EXPECT_EQ(GetLeafName(MakeDevicePath(device)), device);
        for (const char* number : {"A.11", "B.128", "D.88"}) {
            const std::string program = MakeProgramPath(device, number);
            EXPECT_EQ(GetParentPath(program), MakeDevicePath(device));
            EXPECT_TRUE(IsProgramItem(GetLeafName(program)));
            EXPECT_EQ(GetProgramNumber(program), number);
        }
        const std::string global = MakeGlobalPath(device);
        EXPECT_EQ(GetLeafName(global), "Global:-");
        EXPECT_EQ(GetParentPath(global), MakeDevicePath(device));
        EXPECT_TRUE(IsGlobalItem(GetLeafName(global)));
    }
}

TEST(ItemPathText, LibraryPathWithTrailingSeparatorGivesNoDoubleSeparator) {
    struct Case {
        const char* library;
        const char* setup;
        const char* lib;
    };
    // clang-format off
    const Case cases[] = {
        {"/home/u/Documents", "/home/u/Documents/My Setup", "/home/u/Documents/My Library"},
        {"/home/u/Documents/", "/home/u/Documents/My Setup", "/home/u/Documents/My Library"},
        {"/home/u/Documents//", "/home/u/Documents/My Setup", "/home/u/Documents/My Library"},
        {"/", "/My Setup", "/My Library"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.library);
        const CItemRoots roots = CItemRoots::FromLibraryPath(c.library);
        EXPECT_EQ(roots.setup, c.setup);
        EXPECT_EQ(roots.library, c.lib);
    }
    const CItemRoots roots = CItemRoots::FromLibraryPath("/home/u/Documents/");
    EXPECT_EQ(roots.GetSetupFolder("Brontisel S"), "/home/u/Documents/My Setup/Brontisel S");
    EXPECT_EQ(roots.GetLibraryFolder("Brontisel"), "/home/u/Documents/My Library/Brontisel");
}

TEST(ItemPathText, CaseFoldsAsciiOnly) {
    EXPECT_TRUE(EqualsIgnoringCase("/my device/BRONTISEL", "/My Device/Brontisel"));
    EXPECT_FALSE(EqualsIgnoringCase("Brontisel", "Brontisel S"));
    // The longer first too, with the shorter a part of a longer text.
    const std::string_view longer = "Brontisel S";
    EXPECT_FALSE(EqualsIgnoringCase(longer, longer.substr(0, 9)));
    EXPECT_FALSE(EqualsIgnoringCase("\xC3\xA4", "\xC3\x84"));  // ä and Ä stay apart
    EXPECT_TRUE(EqualsIgnoringCase("", ""));
}

TEST(MakeValidFileName, ReplacesForbiddenAndControlCharactersOnly) {
    struct Case {
        std::string in;
        std::string out;
    };
    // clang-format off
    const Case cases[] = {
        {"a/b:c", "a_b_c"},
        {"\\/;:,\"<>", "________"},
        {"Lead Synth 1", "Lead Synth 1"},
        {"Bass*?|.x", "Bass*?|.x"},
        {"Gr\xC3\xBC\xC3\x9F" "e<1>", "Gr\xC3\xBC\xC3\x9F" "e_1_"},
        {"tab\there", "tab_here"},
        {std::string("nul\0x", 5), "nul_x"},
        {"del\x7F", "del_"},
        {"\x1F\x20", "_ "},
        {"", ""},
    };
    // clang-format on
    for (const Case& c : cases) {
        std::string name = c.in;
        MakeValidFileName(name);
        EXPECT_EQ(name, c.out) << c.in;
    }
}

TEST(MakeValidFileName, LineFeedInANameIsReplaced) {
    std::string name = "Line\nFeed\r";
    MakeValidFileName(name);
    EXPECT_EQ(name, "Line_Feed_");
}

TEST(TreeItemData, EncodesLevelKindAndDevice) {
    EXPECT_EQ((CTreeItemData{0, kRootDevice, -1}.Encode()), 0xFF000000u);
    EXPECT_EQ((CTreeItemData{0, kRootLibrary, -1}.Encode()), 0xFF020000u);
    EXPECT_EQ((CTreeItemData{3, kRootSetup, 0}.Encode()), 0x00010003u);
    EXPECT_EQ((CTreeItemData{2, kRootLibrary, 200}.Encode()), 0xC8020002u);
    for (const CTreeItemData data : {CTreeItemData{0, kRootSetup, -1}, CTreeItemData{1, kRootDevice, 0},
                                     CTreeItemData{7, kRootLibrary, 0}, CTreeItemData{2, kRootDevice, 16},
                                     CTreeItemData{0xFFFF, kRootSetup, 254}}) {
        const CTreeItemData back = CTreeItemData::Decode(data.Encode());
        EXPECT_EQ(back.level, data.level);
        EXPECT_EQ(back.rootKind, data.rootKind);
        EXPECT_EQ(back.deviceIndex, data.deviceIndex);
    }
    const CTreeItemData child = CTreeItemData{1, kRootLibrary, 0}.Child();
    EXPECT_EQ(child.level, 2);
    EXPECT_EQ(child.rootKind, kRootLibrary);
    EXPECT_EQ(child.deviceIndex, 0);
}

}  // namespace
}  // namespace itempath_test
