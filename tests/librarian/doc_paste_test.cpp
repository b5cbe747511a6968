// Pastes in every direction: a device into a setup folder, device programs
// and the global into the library, setup and library files between folders,
// and a file onto the device with the write confirmation.

#include <gtest/gtest.h>

#include "DocRig.h"
#include "device/MDevDescZEPHA.h"
#include "device/MDevZEPHAMessages.h"
#include "tests/device/DevDumpFiles.h"
#include "librarian/CFolderListing.h"
#include "librarian/CVelkDocTexts.h"

namespace {

using doctest::DocRig;
using namespace std::chrono_literals;
namespace fs = std::filesystem;
using Msg = MDevZEPHAMessages;
using itempath::kRootDevice;
using itempath::kRootLibrary;
using itempath::kRootSetup;

SimProgramRecord Named(int index, const std::string& name) {
    SimProgramRecord record = SimSynth::DefaultProgram(index);
    std::fill_n(record.begin(), 12, std::uint8_t{' '});
    std::copy(name.begin(), name.end(), record.begin());
    record[20] = static_cast<std::uint8_t>(index & 0x7F);  // the programs' data differ
    return record;
}

class DocPasteTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(rig_.Connect()); }

    // Pastes `names` onto a folder below the setup or library root.
    int PasteInto(int kind, const std::string& target, const std::vector<std::string>& names,
                  bool move = false) {
        CFNameList list = DocRig::List(names);
        const int level = static_cast<int>(std::count(target.begin(), target.end(), '/') -
                                           std::count(rig_.Library().begin(), rig_.Library().end(), '/') - 1);
        return rig_.Doc().PasteItems(list, target, move, 0, kind, level);
    }
    int PasteOntoDevice(const std::string& file) {
        CFNameList list = DocRig::List({file});
        return rig_.Doc().PasteItems(list, itempath::MakeDevicePath(rig_.DeviceName()), false, 0, kRootDevice,
                                     1);
    }

    DocRig rig_;
};

// ---------------------------------------------------------------- device into setup

TEST_F(DocPasteTest, DevicePastedIntoSetupAfterAFailedReceiveSavesNothing) {
    const std::string existing = rig_.SetupFolder() + "/untitled.set";
    velktest::WriteText(existing, "mine");
    rig_.Synth().SetFault(SimReply::AllDataDump, SimFault().WithSilence());
    EXPECT_EQ(PasteInto(kRootSetup, rig_.SetupFolder(), {itempath::MakeDevicePath(rig_.DeviceName())}), 0);
    EXPECT_EQ(velktest::ReadText(existing), "mine");
    EXPECT_EQ(velktest::Listing(rig_.SetupFolder()), std::vector<std::string>{"untitled.set"});
    EXPECT_EQ(rig_.ui_.Texts(), std::vector<std::string>{velkdoctext::kCantReceive});
}

TEST_F(DocPasteTest, DevicePastedIntoSetupNeverReplacesAnUntitledSetup) {
    const std::string existing = rig_.SetupFolder() + "/untitled.set";
    velktest::WriteText(existing, "mine");
    EXPECT_EQ(PasteInto(kRootSetup, rig_.SetupFolder(), {itempath::MakeDevicePath(rig_.DeviceName())}), 1);
    EXPECT_EQ(velktest::ReadText(existing), "mine");
    EXPECT_EQ(velktest::Listing(rig_.SetupFolder()),
              (std::vector<std::string>{"untitled (2).set", "untitled.set"}));
    EXPECT_GT(fs::file_size(rig_.SetupFolder() + "/untitled (2).set"), 30000u);
    EXPECT_TRUE(rig_.ui_.shown.empty());
}

TEST_F(DocPasteTest, DeviceReceivedBeforeIsSavedWithoutRequestOrBox) {
    ASSERT_TRUE(rig_.Doc().ReceiveAll(rig_.Device()));
    const auto boxes = rig_.ui_.progressCaptions.size();
    EXPECT_EQ(PasteInto(kRootSetup, rig_.SetupFolder(), {itempath::MakeDevicePath(rig_.DeviceName())}), 1);
    EXPECT_EQ(rig_.ReceivedCount(Msg::kAllDataDumpRequest), 1);
    EXPECT_EQ(rig_.ui_.progressCaptions.size(), boxes);
    EXPECT_TRUE(fs::is_regular_file(rig_.SetupFolder() + "/untitled.set"));
}

TEST_F(DocPasteTest, FailedSetupSaveIsReported) {
    ASSERT_TRUE(rig_.Doc().ReceiveAll(rig_.Device()));
    const std::string folder = rig_.SetupFolder() + "/gone";  // removed since it was shown
    EXPECT_EQ(PasteInto(kRootSetup, folder, {itempath::MakeDevicePath(rig_.DeviceName())}), 0);
    EXPECT_EQ(rig_.ui_.Texts(), std::vector<std::string>{"ERROR: Can't Save " + folder + "/untitled.set"});
}

// ---------------------------------------------------------------- device items into library

TEST_F(DocPasteTest, PastingDeviceProgramsIntoTheLibraryNeverOverwritesFiles) {
    rig_.Synth().SetProgram(1, Named(1, "Prog 001"));
    rig_.Synth().SetProgram(3, Named(3, "Init"));
    rig_.Synth().SetProgram(7, Named(7, "Init"));
    ASSERT_TRUE(rig_.Doc().ReceiveAll(rig_.Device()));
    const std::string folder = rig_.LibraryFolder();
    velktest::WriteText(folder + "/Prog 001.prg", "mine");
    EXPECT_EQ(PasteInto(kRootLibrary, folder,
                        {rig_.ProgramPath(3), rig_.ProgramPath(7), rig_.ProgramPath(1),
                         itempath::MakeGlobalPath(rig_.DeviceName())}),
              1);
    EXPECT_EQ(velktest::Listing(folder),
              (std::vector<std::string>{rig_.Device()->GetGlobalName(0) + ".glb", "Init (2).prg", "Init.prg",
                                        "Prog 001 (2).prg", "Prog 001.prg"}));
    EXPECT_EQ(velktest::ReadText(folder + "/Prog 001.prg"), "mine");
    EXPECT_NE(velktest::ReadText(folder + "/Init.prg"), velktest::ReadText(folder + "/Init (2).prg"))
        << "the two programs' data";
    EXPECT_TRUE(rig_.ui_.shown.empty());
}

TEST_F(DocPasteTest, NeverReceivedDeviceItemsAreNotSaved) {
    EXPECT_EQ(PasteInto(kRootLibrary, rig_.LibraryFolder(), {rig_.ProgramPath(0)}), 0);
    EXPECT_EQ(velktest::Listing(rig_.LibraryFolder()), std::vector<std::string>{});
    EXPECT_EQ(rig_.ui_.Texts(), std::vector<std::string>{velkdoctext::kCantReceive});
}

// The list shows a setup folder while programs are dropped on a library
// node: the programs' own device is used.
TEST_F(DocPasteTest, LibraryPasteTakesTheDeviceFromEachSourceNotFromTheShownFolder) {
    rig_.Synth().SetProgram(2, Named(2, "Prog 002"));
    ASSERT_TRUE(rig_.Doc().ReceiveAll(rig_.Device()));
    rig_.Doc().SetCurrentFolder(-1, kRootSetup, 0, rig_.Doc().GetRoots().setup, true);
    EXPECT_EQ(PasteInto(kRootLibrary, rig_.LibraryFolder(), {rig_.ProgramPath(2)}), 1);
    EXPECT_EQ(velktest::Listing(rig_.LibraryFolder()), std::vector<std::string>{"Prog 002.prg"});
}

TEST_F(DocPasteTest, ProgramWithAnUnfitNameIsSavedUnderAValidName) {
    rig_.Synth().SetProgram(4, Named(4, "a/b:c"));
    ASSERT_TRUE(rig_.Doc().ReceiveAll(rig_.Device()));
    EXPECT_EQ(PasteInto(kRootLibrary, rig_.LibraryFolder(), {rig_.ProgramPath(4)}), 1);
    EXPECT_EQ(velktest::Listing(rig_.LibraryFolder()), std::vector<std::string>{"a_b_c.prg"});
}

// The synth's names are bytes of its own character set, not UTF-8: each
// file gets a name the folder listing shows (as Latin-1 text, control bytes
// replaced), so every program pasted can be seen, opened and deleted.
TEST_F(DocPasteTest, ProgramNamesOfAnyBytesAreSavedUnderNamesTheListingShows) {
    struct Case {
        int index;
        std::string name;  // the synth's bytes
        std::string file;  // UTF-8
    };
    // clang-format off
    const Case cases[] = {
        {1, "Caf\xE9 Bass", "Caf\xC3\xA9 Bass.prg"},
        {2, "Pad \xC3\xA9t\xC3", "Pad \xC3\x83\xC2\xA9t\xC3\x83.prg"},  // UTF-8 cut at the end
        {3, "Tab\tBell\x7F", "Tab_Bell_.prg"},
        {4, "\x85\xA0\xFF", "_\xC2\xA0\xC3\xBF.prg"},
    };
    // clang-format on
    std::vector<std::string> sources;
    for (const Case& c : cases) {
        rig_.Synth().SetProgram(c.index, Named(c.index, c.name));
        sources.push_back(rig_.ProgramPath(c.index));
    }
    ASSERT_TRUE(rig_.Doc().ReceiveAll(rig_.Device()));
    EXPECT_EQ(PasteInto(kRootLibrary, rig_.LibraryFolder(), sources), 1);
    std::vector<std::string> listed;
    for (const folderlist::CFolderEntry& entry : folderlist::ListFolder(rig_.LibraryFolder()))
        listed.push_back(entry.name);
    std::vector<std::string> expected;
    for (const Case& c : cases) expected.push_back(c.file);
    std::sort(expected.begin(), expected.end());
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(velktest::Listing(rig_.LibraryFolder()), expected) << "nothing unlisted was written";
}

TEST_F(DocPasteTest, PasteIntoARootDoesNothing) {
    ASSERT_TRUE(rig_.Doc().ReceiveAll(rig_.Device()));
    CFNameList list = DocRig::List({rig_.ProgramPath(0)});
    EXPECT_EQ(rig_.Doc().PasteItems(list, rig_.Doc().GetRoots().library, false, 0, kRootLibrary, 0), 0);
    EXPECT_EQ(velktest::Listing(rig_.Doc().GetRoots().library), std::vector<std::string>{"Brontisel"});
}

// ---------------------------------------------------------------- files between folders

TEST_F(DocPasteTest, PasteIntoTheShownFolderFromElsewhereCopies) {
    const std::string shown = rig_.LibraryFolder() + "/Pads";
    velktest::WriteText(rig_.LibraryFolder() + "/Lead.prg", "lead");
    fs::create_directories(shown);
    rig_.Doc().SetCurrentFolder(0, kRootLibrary, 2, shown, true);
    EXPECT_EQ(PasteInto(kRootLibrary, shown, {rig_.LibraryFolder() + "/Lead.prg"}), 1);
    EXPECT_EQ(velktest::ReadText(shown + "/Lead.prg"), "lead");
    EXPECT_TRUE(fs::exists(rig_.LibraryFolder() + "/Lead.prg"));
}

TEST_F(DocPasteTest, EachSourceIsRefusedOnItsOwnAndOnlyAllRefusedFails) {
    const std::string lib = rig_.LibraryFolder();
    velktest::WriteText(lib + "/A.prg", "a");
    velktest::WriteText(lib + "/Pads/Pad.prg", "pad");
    velktest::WriteText(lib + "/Other/O.prg", "o");
    struct Case {
        const char* what;
        std::vector<std::string> names;
        std::string target;
        bool move;
        int result;
    };
    // clang-format off
    const Case cases[] = {
        {"move into its own folder", {lib + "/A.prg"}, lib, true, 0},
        {"copy into its own folder", {lib + "/A.prg"}, lib, false, 0},
        {"folder into itself", {lib + "/Pads"}, lib + "/Pads", false, 0},
        {"folder below itself", {lib + "/Pads"}, lib + "/Pads/Deep", true, 0},
        {"one refused, one moved", {lib + "/Pads/Pad.prg", lib + "/Other/O.prg"}, lib + "/Pads", true, 1},
    };
    // clang-format on
    fs::create_directories(lib + "/Pads/Deep");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(PasteInto(kRootLibrary, c.target, c.names, c.move), c.result);
    }
    EXPECT_EQ(velktest::Listing(lib), (std::vector<std::string>{"A.prg", "Other", "Pads"}));
    EXPECT_EQ(velktest::Listing(lib + "/Pads"), (std::vector<std::string>{"Deep", "O.prg", "Pad.prg"}));
    EXPECT_EQ(velktest::Listing(lib + "/Pads/Deep"), std::vector<std::string>{});
    EXPECT_EQ(velktest::Listing(lib + "/Other"), std::vector<std::string>{});
    EXPECT_TRUE(rig_.ui_.shown.empty());
}

// A folder lies inside another only below a separator: "Ban" goes into its
// sibling "Bank" and below it, though the name begins the target's.
TEST_F(DocPasteTest, FolderGoesIntoASiblingWhoseNameItBegins) {
    const std::string lib = rig_.LibraryFolder();
    velktest::WriteText(lib + "/Ban/B.prg", "b");
    fs::create_directories(lib + "/Bank/Deep");
    EXPECT_EQ(PasteInto(kRootLibrary, lib + "/Bank", {lib + "/Ban"}), 1);
    EXPECT_EQ(PasteInto(kRootLibrary, lib + "/Bank/Deep", {lib + "/Ban"}, true), 1);
    EXPECT_EQ(velktest::ReadText(lib + "/Bank/Ban/B.prg"), "b");
    EXPECT_EQ(velktest::ReadText(lib + "/Bank/Deep/Ban/B.prg"), "b");
    EXPECT_EQ(velktest::Listing(lib), std::vector<std::string>{"Bank"}) << "moved";
    EXPECT_TRUE(rig_.ui_.shown.empty());
}

TEST_F(DocPasteTest, ConflictsAskAndFoldersMerge) {
    const std::string setup = rig_.SetupFolder();
    velktest::WriteText(setup + "/From/Live/a.set", "new a");
    velktest::WriteText(setup + "/From/Live/n.set", "new n");
    velktest::WriteText(setup + "/To/Live/a.set", "old a");
    velktest::WriteText(setup + "/To/Live/c.set", "old c");
    rig_.ui_.answers = {VelkAnswer::kYes};  // replace a.set
    EXPECT_EQ(PasteInto(kRootSetup, setup + "/To", {setup + "/From/Live"}, true), 1);
    EXPECT_EQ(velktest::Listing(setup + "/To/Live"), (std::vector<std::string>{"a.set", "c.set", "n.set"}));
    EXPECT_EQ(velktest::ReadText(setup + "/To/Live/a.set"), "new a");
    EXPECT_FALSE(fs::exists(setup + "/From/Live")) << "moved";
    EXPECT_EQ(rig_.ui_.Texts(),
              std::vector<std::string>{"\"" + setup + "/To/Live/a.set\" already exists.\nReplace it?"});

    // No skips the file; Cancel stops, and neither is reported.
    velktest::WriteText(setup + "/x.set", "new x");
    velktest::WriteText(setup + "/To/x.set", "old x");
    for (VelkAnswer answer : {VelkAnswer::kNo, VelkAnswer::kCancel}) {
        rig_.ui_.shown.clear();
        rig_.ui_.answers = {answer};
        PasteInto(kRootSetup, setup + "/To", {setup + "/x.set"});
        EXPECT_EQ(velktest::ReadText(setup + "/To/x.set"), "old x");
        EXPECT_EQ(rig_.ui_.shown.size(), 1u);
    }
}

TEST_F(DocPasteTest, NamesFromOutsideTheirRootAreRefused) {
    velktest::WriteText(rig_.Library() + "/secret.prg", "s");
    EXPECT_EQ(PasteInto(kRootLibrary, rig_.LibraryFolder(), {rig_.LibraryFolder() + "/../../secret.prg"}), 0);
    EXPECT_EQ(velktest::Listing(rig_.LibraryFolder()), std::vector<std::string>{});
}

// ---------------------------------------------------------------- a file onto the device

class DocWriteTest : public DocPasteTest {
protected:
    void SetUp() override {
        DocPasteTest::SetUp();
        rig_.Synth().SetProgram(9, Named(9, "Saved"));
        ASSERT_TRUE(rig_.Doc().ReceiveAll(rig_.Device()));
        ASSERT_EQ(PasteInto(kRootLibrary, rig_.LibraryFolder(), {rig_.ProgramPath(9)}), 1);
        file_ = rig_.LibraryFolder() + "/Saved.prg";
    }
    std::string file_;
};

TEST_F(DocWriteTest, ProgramFileGoesToTheChosenSlot) {
    rig_.ui_.confirmSlot = 5;
    EXPECT_EQ(PasteOntoDevice(file_), 1);
    ASSERT_EQ(rig_.ui_.confirmations.size(), 1u);
    EXPECT_EQ(rig_.ui_.confirmations[0].caption, "Overwrite the Device Program with \"Saved.prg\" ?");
    EXPECT_TRUE(rig_.ui_.confirmations[0].withTarget);
    EXPECT_EQ(rig_.ui_.confirmations[0].targetKind, 1);
    rig_.Deliver();
    EXPECT_EQ(rig_.Synth().Program(5), Named(9, "Saved"));
    EXPECT_EQ(rig_.Device()->GetProgramName(5), "Saved");
    EXPECT_TRUE(rig_.ui_.shown.empty());
    EXPECT_FALSE(rig_.ui_.progressShown);
}

TEST_F(DocWriteTest, CancelWritesNothing) {
    rig_.ui_.confirmAnswer = false;
    const auto sent = rig_.Synth().Received().size();
    EXPECT_EQ(PasteOntoDevice(file_), 0);
    rig_.Deliver();
    EXPECT_EQ(rig_.Synth().Received().size(), sent);
    EXPECT_TRUE(rig_.ui_.shown.empty());
}

TEST_F(DocWriteTest, ExtensionInCapitalsDoesNothing) {
    const std::string upper = rig_.LibraryFolder() + "/Saved.PRG";
    fs::copy_file(file_, upper);
    EXPECT_EQ(PasteOntoDevice(upper), 0);
    EXPECT_TRUE(rig_.ui_.confirmations.empty());
}

TEST_F(DocWriteTest, WriteProtectedDeviceTimesOutAndIsReported) {
    rig_.Synth().SetWriteProtect(true);
    const SimProgramRecord stored = rig_.Synth().Program(0);
    const auto before = rig_.ui_.Elapsed();
    EXPECT_EQ(PasteOntoDevice(file_), 0);
    EXPECT_EQ(rig_.ui_.Elapsed() - before, 100ms + 5000ms) << "pause, then 50 x 100 ms";
    EXPECT_EQ(rig_.ui_.Texts(), std::vector<std::string>{velkdoctext::kCantOverwriteDevice});
    EXPECT_EQ(rig_.Synth().Program(0), stored);
}

TEST_F(DocWriteTest, ConfirmationInTheLastPassCounts) {
    // The synth's confirmation is lost; the same message, sent by hand,
    // arrives while the last pass sleeps.
    rig_.Synth().SetFault(SimReply::WriteCompleted, SimFault().WithSilence());
    const int first = rig_.ui_.pumps;
    rig_.onPass = [&](int pass) {
        if (pass - first != 50) return;
        rig_.Peer()->Send({0xF0, 0x42, static_cast<uint8_t>(0x30 | (rig_.Synth().Channel() & 0x0F)), 0x58,
                           Msg::kWriteCompleted, 0xF7});
        rig_.Deliver();
    };
    EXPECT_EQ(PasteOntoDevice(file_), 1);
    EXPECT_EQ(rig_.ui_.pumps - first, 50);
    EXPECT_TRUE(rig_.ui_.shown.empty());
}

TEST_F(DocWriteTest, SetupFileOverwritesTheWholeDevice) {
    ASSERT_EQ(PasteInto(kRootSetup, rig_.SetupFolder(), {itempath::MakeDevicePath(rig_.DeviceName())}), 1);
    rig_.Synth().SetProgram(9, Named(9, "Changed"));
    EXPECT_EQ(PasteOntoDevice(rig_.SetupFolder() + "/untitled.set"), 1);
    ASSERT_EQ(rig_.ui_.confirmations.size(), 1u);
    EXPECT_EQ(rig_.ui_.confirmations[0].caption, "Overwrite the Whole Device ?");
    EXPECT_FALSE(rig_.ui_.confirmations[0].withTarget);
    rig_.Deliver();
    EXPECT_EQ(rig_.Synth().Program(9), Named(9, "Saved"));
    EXPECT_TRUE(rig_.ui_.shown.empty());
}

// A setup file recorded while the synth was write protected, or written by
// another program: its global has write protect on and bits in bytes 3-5
// that no parameter reads. It went out as it stood, and the synth refused
// every write after it.
TEST_F(DocWriteTest, SetupFilesGlobalGoesOutAsEveryGlobalTheSystemBuilds) {
    auto& device = *static_cast<MDevDescZEPHA*>(rig_.Device());
    std::vector<uint8_t> payload;
    for (int i = 0; i < 128; ++i) {
        const MDevProgramData record = device.GetZEPHAProgram(i)->ToBytes();
        payload.insert(payload.end(), record.begin(), record.end());
    }
    payload[9 * Msg::kProgramRecordSize] = 'F';  // program 9 "Faved"
    MDevGlobalData global = device.GetDeviceGlobal().ToBytes();
    global[3] = 0x80;
    global[4] = 0xF0;
    global[5] = 0x01;  // write protect on
    payload.insert(payload.end(), global.begin(), global.end());
    const Msg::Message dump = Msg::AllDataDumpBrontisel(device.GetChannelByte(), payload);
    const std::string setup = rig_.SetupFolder() + "/protected.set";
    velktest::WriteAll(setup, DevDumpFileBytes(std::vector<uint8_t>(dump.begin() + 1, dump.end())));

    EXPECT_EQ(PasteOntoDevice(setup), 1);
    EXPECT_EQ(rig_.Device()->GetProgramName(9), "Faved");
    EXPECT_FALSE(rig_.Synth().WriteProtect());
    const SimGlobalRecord held = rig_.Synth().Global();
    EXPECT_EQ(std::vector<uint8_t>(held.begin() + 3, held.begin() + 6), (std::vector<uint8_t>{0, 0, 0}))
        << "as the same global goes out from a global file";
    EXPECT_EQ(rig_.Device()->GetWriteProtect(), 0) << "a file's global is not the device's report";

    // The synth takes the next write, and the next reception finds it unprotected.
    EXPECT_EQ(rig_.Doc().RenameItem(rig_.ProgramPath(9), "Next"), 1);
    EXPECT_EQ(rig_.Synth().Program(9)[0], 'N');
    rig_.Device()->Initialize();
    EXPECT_TRUE(rig_.Doc().ReceiveAll(rig_.Device()));
    EXPECT_TRUE(rig_.ui_.shown.empty());
}

TEST_F(DocWriteTest, TwoFilesOrAFolderAreNotWritten) {
    CFNameList two = DocRig::List({file_, file_});
    EXPECT_EQ(
        rig_.Doc().PasteItems(two, itempath::MakeDevicePath(rig_.DeviceName()), false, 0, kRootDevice, 1), 0);
    fs::create_directories(rig_.LibraryFolder() + "/Folder.prg");
    EXPECT_EQ(PasteOntoDevice(rig_.LibraryFolder() + "/Folder.prg"), 0);
    EXPECT_TRUE(rig_.ui_.confirmations.empty());
}

}  // namespace
