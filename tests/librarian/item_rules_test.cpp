// The operation rules: what may be copied, cut, deleted, renamed, created
// and pasted where.

#include "librarian/CItemRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "librarian/VelkClipboard.h"
#include "tests/librarian/ItemPathRig.h"

namespace itempath_test {
namespace {

using namespace itempath;

// Kinds beyond the three roots must never be allowed anything.
constexpr int kKinds[] = {kRootDevice, kRootSetup, kRootLibrary, 3, -1};
constexpr int kLevels = 4;  // 0 to 3

// One row per kind of kKinds, one letter per level 0..3: 'y' allowed.
using RuleTable = const char* [5];

template <typename Rule>
void ExpectTable(const char* name, const RuleTable& table, Rule rule) {
    for (std::size_t k = 0; k < std::size(kKinds); ++k) {
        for (int level = 0; level < kLevels; ++level) {
            EXPECT_EQ(rule(kKinds[k], level), table[k][level] == 'y')
                << name << " kind " << kKinds[k] << " level " << level;
        }
    }
}

TEST(OperationRules, ByRootKindAndLevel) {
    //                       levels 0123
    const RuleTable copy = {"-yyy", "--yy", "--yy", "----", "----"};
    const RuleTable cut = {"----", "--yy", "--yy", "----", "----"};
    const RuleTable del = {"----", "--yy", "--yy", "----", "----"};
    const RuleTable newFolder = {"----", "-yyy", "-yyy", "----", "----"};
    const RuleTable rename = {"--yy", "--yy", "--yy", "----", "----"};
    const RuleTable renameGlobal = {"----", "--yy", "--yy", "----", "----"};
    ExpectTable("copy", copy, [](int k, int l) { return CanCopy(k, l, false); });
    ExpectTable("cut", cut, [](int k, int l) { return CanCopy(k, l, true); });
    ExpectTable("delete", del, CanDelete);
    ExpectTable("new folder", newFolder, CanNewFolder);
    ExpectTable("rename", rename, [](int k, int l) { return CanRename(k, l, "Program"); });
    ExpectTable("rename global", renameGlobal, [](int k, int l) { return CanRename(k, l, "gLoBaL"); });
}

TEST(OperationRules, OnlyTheGlobalTypeBlocksRenamingOnTheDevice) {
    EXPECT_FALSE(CanRename(kRootDevice, 2, "Global"));
    EXPECT_FALSE(CanRename(kRootDevice, 2, "global"));
    EXPECT_TRUE(CanRename(kRootDevice, 2, "Program"));
    EXPECT_TRUE(CanRename(kRootDevice, 2, "Globals"));
    EXPECT_TRUE(CanRename(kRootDevice, 2, ""));
    EXPECT_TRUE(CanRename(kRootLibrary, 2, "Global"));  // a file may be called so
}

// The effect a drop target answers, by the target's side, Ctrl and what
// the drag allows: never one the drag does not allow.
TEST(OperationRules, DropEffectIsOneTheDragAllows) {
    constexpr int kBoth = kDropCopy | kDropMove;
    struct Case {
        int kind;
        bool ctrl;
        int allowed;
        int effect;
    };
    // clang-format off
    const Case cases[] = {
        {kRootDevice, false, kBoth, kDropCopy},      {kRootDevice, true, kBoth, kDropCopy},
        {kRootDevice, false, kDropCopy, kDropCopy},  {kRootDevice, false, kDropMove, kDropNone},
        {kRootLibrary, false, kBoth, kDropMove},     {kRootLibrary, true, kBoth, kDropCopy},
        {kRootLibrary, false, kDropCopy, kDropCopy}, {kRootSetup, false, kDropCopy, kDropCopy},
        {kRootSetup, true, kDropMove, kDropMove},    {kRootLibrary, false, kDropNone, kDropNone},
    };
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(ChooseDropEffect(c.kind, c.ctrl, c.allowed), c.effect)
            << "kind " << c.kind << " ctrl " << c.ctrl << " allowed " << c.allowed;
}

// Pasting: names of every root onto targets of every root.
class PasteRulesTest : public LibraryOnDiskTest {
protected:
    bool Can(const std::vector<std::string>& names, int kind, int level) const {
        std::vector<std::string> paths;
        for (const std::string& name : names) paths.push_back(WithLibrary(name, library_));
        return CanPasteItems(paths, kind, level, roots_, devices_);
    }
};

const std::string kDevice = "/My Device/Brontisel";
const std::string kProgram = "/My Device/Brontisel/Program:A.11";
const std::string kGlobal = "/My Device/Brontisel/Global:-";
const std::string kSetupFile = "{lib}/My Setup/Brontisel/all.set";
const std::string kSetupFile2 = "{lib}/My Setup/Brontisel/old.set";
const std::string kSetupFolder = "{lib}/My Setup/Brontisel/sub";
const std::string kLibraryFile = "{lib}/My Library/Brontisel/A.prg";
const std::string kLibraryFile2 = "{lib}/My Library/Brontisel/B.glb";
const std::string kLibraryFolder = "{lib}/My Library/Brontisel/Pads";

TEST_F(PasteRulesTest, BySourceAndTarget) {
    struct Case {
        std::vector<std::string> names;
        int kind;
        int level;
        bool allowed;
    };
    const Case cases[] = {
        // onto a device: one file from disk
        // clang-format off
        {{kSetupFile}, kRootDevice, 1, true},
        {{kLibraryFile}, kRootDevice, 1, true},
        {{kLibraryFile2}, kRootDevice, 1, true},
        {{kSetupFile, kSetupFile2}, kRootDevice, 1, false},
        {{kLibraryFolder}, kRootDevice, 1, false},
        {{kProgram}, kRootDevice, 1, false},
        {{kLibraryFile}, kRootDevice, 2, false},
        // clang-format on
        // onto setup folders: a device, or setup items
        // clang-format off
        {{kDevice}, kRootSetup, 1, true},
        {{kDevice}, kRootSetup, 2, true},
        {{kSetupFile, kSetupFolder}, kRootSetup, 2, true},
        {{kSetupFile}, kRootSetup, 1, true},
        {{kProgram}, kRootSetup, 1, false},
        {{kLibraryFile}, kRootSetup, 1, false},
        {{"{lib}/My Setup/Brontisel"}, kRootSetup, 1, false},
        // clang-format on
        // onto library folders: device items, or library items
        // clang-format off
        {{kProgram, kGlobal}, kRootLibrary, 1, true},
        {{kGlobal}, kRootLibrary, 2, true},
        {{kLibraryFile, kLibraryFolder}, kRootLibrary, 2, true},
        {{kDevice}, kRootLibrary, 1, false},
        {{kSetupFile}, kRootLibrary, 1, false},
        {{"{lib}/My Library/Brontisel"}, kRootLibrary, 1, false},
        // clang-format on
        // nothing onto a root, nothing from an empty list, no unknown kinds
        // clang-format off
        {{kLibraryFile}, kRootLibrary, 0, false},
        {{kSetupFile}, kRootSetup, 0, false},
        {{kSetupFile}, kRootDevice, 0, false},
        {{}, kRootLibrary, 1, false},
        {{kLibraryFile}, 3, 1, false},
        {{"/My Device"}, kRootSetup, 1, false},
        // clang-format on
    };
    for (const Case& c : cases) {
        std::string names;
        for (const auto& n : c.names) names += n + " ";
        EXPECT_EQ(Can(c.names, c.kind, c.level), c.allowed)
            << names << "-> kind " << c.kind << " level " << c.level;
    }
}

TEST_F(PasteRulesTest, PasteJudgedByItsFirstNameOnlyTakesInvalidLaterNames) {
    // clang-format off
    const std::vector<std::string> after[] = {
        {kLibraryFile, "{lib}/My Library/Brontisel/../../secret.prg"},
        {kLibraryFile, "{lib}/My Library/Brontisel/missing.prg"},
        {kLibraryFile, kSetupFile},                                // another root
        {kLibraryFile, "{lib}/My Library/Brontisel S/S.prg"},     // another device
        {kLibraryFile, "{lib}/My Library/Brontisel"},             // a device folder
        {kLibraryFile, ""},
        {kProgram, "/My Device/Brontisel S/Program:A.11"},
        {kProgram, kDevice},
        {kProgram, "/My Device/Brontisel/Program:A.11/x"},
        {kDevice, kProgram},
        {kSetupFile, "/etc/passwd"},
    };
    // clang-format on
    for (const auto& names : after) {
        SCOPED_TRACE(names.back());
        EXPECT_TRUE(Can({names.front()},
                        names.front() == kSetupFile || names.front() == kDevice ? kRootSetup : kRootLibrary,
                        1));
        EXPECT_FALSE(Can(names, kRootSetup, 1));
        EXPECT_FALSE(Can(names, kRootLibrary, 1));
    }
}

TEST_F(PasteRulesTest, InvalidFirstNameIsRefused) {
    EXPECT_FALSE(Can({"{lib}/My Library/Brontisel/missing.prg"}, kRootLibrary, 1));
    EXPECT_FALSE(Can({"{lib}/My Library/Brontisel/../../secret.prg"}, kRootDevice, 1));
    EXPECT_FALSE(Can({"/My Device/Unknown/Program:A.11"}, kRootLibrary, 1));
}

}  // namespace
}  // namespace itempath_test
