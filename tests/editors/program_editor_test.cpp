// The Program Editor's logic on the simulated synth: tabs per voice mode,
// the live commit, saving, writing, the questions on Close, the synth's
// arpeggiator reports, and the faults it must not have.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "device/MDevProgramParamId.h"
#include "editors/ProgramEditorLayout.h"
#include "tests/editors/ProgramEditorRig.h"
#include "tests/support/TempDir.h"

using namespace std::chrono_literals;
using namespace prgtest;
namespace Id = MDevProgramParamId;
using Kind = velktest::ScriptedUiServices::Kind;

namespace {

std::vector<std::string> LabelsOf(std::span<const PrgTab> tabs) {
    std::vector<std::string> labels;
    for (const PrgTab& t : tabs) labels.emplace_back(t.label);
    return labels;
}

// In a folder of this process's own.
std::filesystem::path TempFile(const std::string& name) {
    static const velktest::TempDir dir;
    return dir / name;
}

// A program file of slot 3 on the rig's device.
std::filesystem::path ProgramFile(EditorRig& rig, const std::string& name) {
    const auto path = TempFile(name);
    EXPECT_EQ(rig.Dev().Dev().SaveProgramFile(3, path), 0);
    return path;
}

const std::string kCantOverwriteDevice = "ERROR: Can't Overwrite the Device";
const std::string kCantOverwriteFile = "ERROR: Can't Overwrite the File";

// --- tabs ------------------------------------------------------------------

TEST(ProgramEditorTabs, EachVoiceModeItemHasItsTabSet) {
    using L = std::vector<std::string>;
    EXPECT_EQ(LabelsOf(TabSetOfItem(0)), (L{"Timbre 1", "Effect", "Arpeggio"}));
    EXPECT_EQ(LabelsOf(TabSetOfItem(1)), (L{"Timbre 1", "Timbre 2", "Effect", "Arpeggio"}));
    EXPECT_EQ(LabelsOf(TabSetOfItem(2)), (L{"Vocoder", "Effect", "Arpeggio"}));
    EXPECT_EQ(LabelsOf(TabSetOfItem(-1)), (L{"Effect", "Arpeggio"}));
    EXPECT_EQ(TabSetOfItem(1)[1].kind, PrgPageKind::Timbre2);
    EXPECT_EQ(PageParamBase(PrgPageKind::Timbre1), 28);
    EXPECT_EQ(PageParamBase(PrgPageKind::Timbre2), 93);
}

TEST(ProgramEditorTabs, StoredVoiceModesOutsideTheListShowSingle) {
    const std::pair<int32_t, int> cases[] = {{0, 0}, {1, 0}, {2, 1}, {3, 2}, {4, 0}, {-1, 0}, {255, 0}};
    for (const auto& [stored, item] : cases) EXPECT_EQ(SelectVoiceMode(stored), item) << stored;
    EXPECT_EQ(VoiceModeOfItem(0), 0);
    EXPECT_EQ(VoiceModeOfItem(1), 2);
    EXPECT_EQ(VoiceModeOfItem(2), 3);
}

TEST(ProgramEditor, StoredVoiceModeOneShowsSingleAndStaysStored) {
    EditorRig rig;
    rig.Dev().Dev().GetProgram(4)->SetParam(Id::kVoiceMode, 1, 0);
    CDialogEditPrgModel& editor = rig.Open(4);
    EXPECT_EQ(editor.VoiceModeItem(), 0);
    EXPECT_EQ(rig.view.labels, (std::vector<std::string>{"Timbre 1", "Effect", "Arpeggio"}));
    EXPECT_EQ(rig.view.page, PrgPageKind::Timbre1);
    EXPECT_EQ(editor.Program()->GetParam(Id::kVoiceMode), 1);
    EXPECT_FALSE(editor.IsModified());
    EXPECT_EQ(rig.Timer().starts, 0);
}

struct RebuildCase {
    const char* name;
    int fromItem;
    int shownTab;
    int toItem;
    int selectedAfter;
    PrgPageKind kindAfter;
};

// clang-format off
const RebuildCase kRebuildCases[] = {
    {"LayerTimbre2ToSingleShowsTimbre1", 1, 1, 0, 0, PrgPageKind::Timbre1},
    {"LayerEffectToSingleKeepsEffectAtItsNewIndex", 1, 2, 0, 1, PrgPageKind::Effect},
    {"SingleArpeggioToLayerKeepsArpeggio", 0, 2, 1, 3, PrgPageKind::Arpeggio},
    {"LayerTimbre1ToVocoderShowsVocoder", 1, 0, 2, 0, PrgPageKind::Vocoder},
    {"VocoderEffectToLayerKeepsEffect", 2, 1, 1, 2, PrgPageKind::Effect},
};
// clang-format on

class ProgramEditorRebuild : public ::testing::TestWithParam<RebuildCase> {};

TEST_P(ProgramEditorRebuild, VoiceModeChangeSelectsTheTabOfTheShownKind) {
    const RebuildCase& c = GetParam();
    EditorRig rig;
    rig.Dev().Dev().GetProgram(0)->SetParam(Id::kVoiceMode, VoiceModeOfItem(c.fromItem), 0);
    CDialogEditPrgModel& editor = rig.Open(0);
    editor.OnSelChangeTab(c.shownTab);
    const int shownBefore = rig.view.pagesShown;

    editor.OnVoiceModeChange(c.toItem);

    EXPECT_EQ(editor.CurrentTab(), c.selectedAfter);
    EXPECT_EQ(rig.view.selected, c.selectedAfter);
    EXPECT_EQ(rig.view.page, c.kindAfter);
    // Rebuilt from the program even when the kind stayed.
    EXPECT_EQ(rig.view.pagesShown, shownBefore + 1);
    EXPECT_EQ(editor.Program()->GetParam(Id::kVoiceMode), VoiceModeOfItem(c.toItem));
    EXPECT_TRUE(editor.IsModified());
    EXPECT_TRUE(editor.IsCommitPending());
}

INSTANTIATE_TEST_SUITE_P(Cases, ProgramEditorRebuild, ::testing::ValuesIn(kRebuildCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProgramEditor, VoiceModeChangeOnTheArpeggioPageTellsItTheMode) {
    EditorRig rig;
    CDialogEditPrgModel& editor = rig.Open(0);
    editor.OnSelChangeTab(2);
    ASSERT_EQ(editor.ShownKind(), PrgPageKind::Arpeggio);
    editor.OnVoiceModeChange(1);
    EXPECT_EQ(rig.view.arpeggio.calls.back(), (std::pair<std::string, int>{"SetVoiceMode", 2}));
}

TEST(ProgramEditor, SelectingTheShownTabAgainRebuildsNothing) {
    EditorRig rig;
    CDialogEditPrgModel& editor = rig.Open(0);
    const int shown = rig.view.pagesShown;
    editor.OnSelChangeTab(0);
    editor.OnSelChangeTab(-1);
    editor.OnSelChangeTab(7);
    EXPECT_EQ(rig.view.pagesShown, shown);
}

// --- live commit -----------------------------------------------------------

TEST(ProgramEditor, TenChangesWithin300MsGiveOneCommit500MsAfterTheLast) {
    EditorRig rig;
    rig.Open(0);
    rig.NewDumps();
    for (int i = 0; i < 10; ++i) {
        rig.Turn(28 + 10, 10 + i);
        rig.ui.Advance(33ms);
    }
    const auto last = rig.ui.Elapsed() - 33ms;
    EXPECT_EQ(rig.NewDumps(), 0);
    rig.ui.Advance(2000ms);

    ASSERT_EQ(rig.Timer().fired.size(), 1u);
    EXPECT_EQ(rig.Timer().fired[0], last + 500ms);
    EXPECT_EQ(rig.NewDumps(), 1);
}

TEST(ProgramEditor, CommitSendsTheEditedValueToTheSynth) {
    EditorRig rig;
    CDialogEditPrgModel& editor = rig.Open(0);
    editor.OnNameChange("Edited");
    rig.Turn(Id::kArpTempo, 150);
    rig.ui.Advance(500ms);
    EXPECT_EQ(rig.NewDumps(), 1);
    const SimProgramRecord buffer = rig.Synth().EditBuffer();
    EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + 6), "Edited");
}

TEST(ProgramEditor, ClosingWithAPendingCommitSendsNothing) {
    EditorRig rig;
    CDialogEditPrgModel& editor = rig.Open(0);
    rig.NewDumps();
    rig.Turn(Id::kArpTempo, 150);
    rig.ui.Advance(200ms);
    rig.ui.answers = {VelkAnswer::kNo};
    editor.OnClose();
    ASSERT_EQ(rig.view.ended, EditorEnd::kCancel);
    editor.OnDestroy();
    rig.ui.Advance(2000ms);
    EXPECT_TRUE(rig.Timer().fired.empty());
    EXPECT_EQ(rig.NewDumps(), 0);
}

// --- close questions -------------------------------------------------------

struct CloseCase {
    const char* name;
    bool file;
    bool modified;
    VelkAnswer answer;
    const char* question;  // nullptr: none asked
    std::optional<EditorEnd> ended;
    bool wrote;
};

const CloseCase kCloseCases[] = {
    {"UnmodifiedDeviceEndsAtOnce", false, false, VelkAnswer::kYes, nullptr, EditorEnd::kCancel, false},
    {"UnmodifiedFileEndsAtOnce", true, false, VelkAnswer::kYes, nullptr, EditorEnd::kCancel, false},
    {"DeviceYesWritesAndEndsOk", false, true, VelkAnswer::kYes, "Write Changes to Device Before Closing ?",
     EditorEnd::kOk, true},
    {"DeviceNoEndsCancel", false, true, VelkAnswer::kNo, "Write Changes to Device Before Closing ?",
     EditorEnd::kCancel, false},
    {"DeviceCancelStaysOpen", false, true, VelkAnswer::kCancel, "Write Changes to Device Before Closing ?",
     std::nullopt, false},
    {"FileYesSavesAndEndsOk", true, true, VelkAnswer::kYes, "Save Changes to File Before Closing ?",
     EditorEnd::kOk, false},
    {"FileNoEndsCancel", true, true, VelkAnswer::kNo, "Save Changes to File Before Closing ?",
     EditorEnd::kCancel, false},
    {"FileCancelStaysOpen", true, true, VelkAnswer::kCancel, "Save Changes to File Before Closing ?",
     std::nullopt, false},
};

class ProgramEditorClose : public ::testing::TestWithParam<CloseCase> {};

TEST_P(ProgramEditorClose, AsksAndActsOnTheAnswer) {
    const CloseCase& c = GetParam();
    EditorRig rig;
    const auto path = c.file ? ProgramFile(rig, std::string(c.name) + ".prg") : std::filesystem::path();
    CDialogEditPrgModel& editor = rig.Open(c.file ? -1 : 6, path);
    ASSERT_TRUE(editor.HasProgram());
    if (c.modified) editor.OnNameChange("Closing");
    rig.ui.answers = {c.answer};

    editor.OnClose();

    if (c.question) {
        ASSERT_EQ(rig.ui.shown.size(), 1u);
        EXPECT_EQ(rig.ui.shown[0].kind, Kind::kYesNoCancel);
        EXPECT_EQ(rig.ui.shown[0].icon, VelkIcon::kNone) << "the close questions carry no icon";
        EXPECT_EQ(rig.ui.shown[0].text, c.question);
    } else {
        EXPECT_TRUE(rig.ui.shown.empty());
    }
    EXPECT_EQ(rig.view.ended, c.ended);
    EXPECT_EQ(rig.ui.ConfirmCaptions().size(), c.wrote ? 1u : 0u);
    if (c.wrote) {
        EXPECT_EQ(*rig.Dev().Dev().GetProgramName(6), "Closing");
    }
    if (c.file && c.answer == VelkAnswer::kYes && c.modified) {
        // The file now holds the edited name.
        EditorRig other;
        CDialogEditPrgModel& reread = other.Open(-1, path);
        EXPECT_EQ(reread.Program()->GetName(), "Closing");
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ProgramEditorClose, ::testing::ValuesIn(kCloseCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ProgramEditor, SaveFailureShowsTheErrorAndStaysOpenModified) {
    EditorRig rig;
    const auto path = ProgramFile(rig, "vanishing.prg");
    CDialogEditPrgModel& editor = rig.Open(-1, path);
    editor.OnNameChange("Gone");
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);  // a folder where the file was: cannot be written

    EXPECT_FALSE(editor.OnSaveToFile());
    EXPECT_EQ(rig.ui.Texts(), std::vector<std::string>{kCantOverwriteFile});
    EXPECT_EQ(rig.ui.shown[0].caption, "Brontisel SoundEditor");
    EXPECT_FALSE(rig.view.ended);
    EXPECT_TRUE(editor.IsModified());
    EXPECT_TRUE(editor.IsSaveEnabled());
    std::filesystem::remove_all(path);
}

// --- writes ----------------------------------------------------------------

// The write's two exchanges (the dump, then the write request) are answered
// at once: the wait ends at the poll after the first pass at the latest (the
// synth answers on the wire's thread, so a reply may be in before it).
TEST(ProgramEditor, DeviceWriteConfirmedInTheFirstPassEndsOk) {
    EditorRig rig;
    CDialogEditPrgModel& editor = rig.Open(9);
    editor.OnNameChange("Written");

    EXPECT_TRUE(editor.OnWriteToDevice());

    EXPECT_EQ(rig.ui.ConfirmCaptions(), std::vector<std::string>{"Write to Device ?"});
    EXPECT_EQ(OfferedSlots(rig.ui), std::vector<int>{9});
    EXPECT_LE(rig.ui.pumps, 1) << "both replies came by the first pass";
    EXPECT_EQ(rig.ui.progressCaptions, std::vector<std::string>{"MIDI Transfering ..."});
    EXPECT_FALSE(rig.ui.progressShown);
    EXPECT_EQ(rig.view.ended, EditorEnd::kOk);
    EXPECT_FALSE(editor.IsModified());
    EXPECT_EQ(*rig.Dev().Dev().GetProgramName(9), "Written");
    const SimProgramRecord slot = rig.Synth().Program(9);
    EXPECT_EQ(std::string(slot.begin(), slot.begin() + 7), "Written");
    EXPECT_TRUE(rig.ui.shown.empty());
}

TEST(ProgramEditor, WriteUnconfirmedAfterTheFiftiethPollFailsWith61204) {
    EditorRig rig;
    // The synth takes the dump but its answer is lost.
    rig.Synth().SetFault(SimReply::LoadCompleted, SimFault().WithSilence());
    CDialogEditPrgModel& editor = rig.Open(9);
    editor.OnNameChange("Lost");
    const auto step = [&] { return rig.Dev().Dev().GetTransferState().GetStep(); };
    bool awaitedWhileWaiting = true;
    rig.onPass = [&](int) { awaitedWhileWaiting &= step() == MDevTransferState::Step::AwaitLoad; };

    EXPECT_FALSE(editor.OnWriteToDevice());

    EXPECT_EQ(rig.ui.pumps, 50);
    EXPECT_EQ(rig.ui.Elapsed(), 5000ms);
    EXPECT_TRUE(awaitedWhileWaiting);
    EXPECT_EQ(step(), MDevTransferState::Step::Idle) << "the time-out cancels the transfer";
    EXPECT_EQ(rig.ui.Texts(), std::vector<std::string>{kCantOverwriteDevice});
    EXPECT_FALSE(rig.view.ended);
    EXPECT_TRUE(editor.IsModified());
    EXPECT_FALSE(rig.ui.progressShown);
}

TEST(ProgramEditor, FileProgramWrittenToASlotStaysOpenAndModified) {
    EditorRig rig;
    const auto path = ProgramFile(rig, "towrite.prg");
    CDialogEditPrgModel& editor = rig.Open(-1, path);
    editor.OnNameChange("FromFile");
    rig.ui.confirmSlot = 12;

    EXPECT_TRUE(editor.OnWriteToDevice());

    EXPECT_EQ(OfferedSlots(rig.ui), std::vector<int>{-1});
    EXPECT_FALSE(rig.view.ended);
    EXPECT_TRUE(editor.IsModified());
    EXPECT_TRUE(editor.IsSaveEnabled());
    EXPECT_EQ(*rig.Dev().Dev().GetProgramName(12), "FromFile");
}

TEST(ProgramEditor, WriteRefusedInTheConfirmationSendsNothing) {
    EditorRig rig;
    CDialogEditPrgModel& editor = rig.Open(9);
    editor.OnNameChange("Kept");
    rig.NewDumps();
    rig.ui.confirmAnswer = false;
    EXPECT_FALSE(editor.OnWriteToDevice());
    EXPECT_EQ(rig.NewDumps(), 0);
    EXPECT_FALSE(rig.ui.progressShown);
    EXPECT_TRUE(rig.ui.progressCaptions.empty());
    EXPECT_FALSE(rig.view.ended);
}

// --- faults ----------------------------------------------------------------

TEST(ProgramEditorFaults, CommitTimerFiringInsideTheWriteSendsNoSecondDump) {
    EditorRig rig;
    CDialogEditPrgModel& editor = rig.Open(9);
    rig.NewDumps();
    rig.Turn(Id::kArpTempo, 150);
    // The synth's answer to the dump comes 600 ms late: the device model
    // has it at the 8th poll; the pending commit would fall due in the 5th
    // pass.
    rig.Synth().SetFault(SimReply::LoadCompleted, SimFault().WithLate(600ms));

    EXPECT_TRUE(editor.OnWriteToDevice());

    EXPECT_EQ(rig.ui.pumps, 7);
    EXPECT_TRUE(rig.Timer().fired.empty());
    EXPECT_EQ(rig.NewDumps(), 1);  // the write's own dump only
    EXPECT_EQ(CountFunction(rig.Synth(), kWriteRequest), 1);
    EXPECT_EQ(rig.Synth().Program(9)[0], rig.Synth().EditBuffer()[0]);
}

TEST(ProgramEditorFaults, ChangeNoticedDuringAWriteIsCommittedAfterIt) {
    EditorRig rig;
    const auto path = ProgramFile(rig, "during.prg");
    CDialogEditPrgModel& editor = rig.Open(-1, path);
    rig.NewDumps();
    // A change in the first pass; the synth's answer reaches the device
    // model at the third poll.
    rig.onPass = [&](int pass) {
        if (pass == 1) rig.Turn(Id::kArpTempo, 99);
    };
    rig.Synth().SetFault(SimReply::LoadCompleted, SimFault().WithLate(100ms));
    EXPECT_TRUE(editor.OnWriteToDevice());
    EXPECT_EQ(rig.NewDumps(), 1);
    EXPECT_TRUE(editor.IsCommitPending());
    rig.ui.Advance(500ms);
    EXPECT_EQ(rig.NewDumps(), 1);
}

// The Close question is a modal box, and time passes while it is up: the
// live commit that was pending must not go out meanwhile. The answer decides
// what reaches the synth: No nothing, Yes the write's own dump, Cancel (the
// user keeps editing) the commit afterwards.
TEST(ProgramEditorFaults, NoCommitGoesOutWhileTheCloseQuestionIsUp) {
    const struct {
        VelkAnswer answer;
        std::optional<EditorEnd> ended;
        int dumpsAfter;
        // clang-format off
        } cases[] = {
            {VelkAnswer::kNo, EditorEnd::kCancel, 0},
            {VelkAnswer::kYes, EditorEnd::kOk, 1},
            {VelkAnswer::kCancel, std::nullopt, 1},
        };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.answer));
        EditorRig rig;
        CDialogEditPrgModel& editor = rig.Open(5);
        rig.NewDumps();
        rig.Turn(Id::kArpTempo, 150);
        rig.ui.Advance(200ms);
        int whileUp = -1;
        rig.ui.whileAsked = [&] {
            rig.ui.Advance(1000ms);
            whileUp = rig.NewDumps();
        };
        rig.ui.answers = {c.answer};

        editor.OnClose();

        EXPECT_EQ(whileUp, 0);
        EXPECT_EQ(rig.view.ended, c.ended);
        if (rig.view.ended) editor.OnDestroy();
        rig.ui.Advance(1000ms);
        EXPECT_EQ(rig.NewDumps(), c.dumpsAfter);
        EXPECT_FALSE(editor.IsCommitPending());
    }
}

// A change noticed while the Close question is up arms no commit then: kept
// open, the editor commits it 500 ms after the answer, not after the change.
TEST(ProgramEditorFaults, ChangeWhileTheCloseQuestionIsUpIsCommittedAfterTheAnswer) {
    EditorRig rig;
    CDialogEditPrgModel& editor = rig.Open(5);
    editor.OnNameChange("Closing");
    rig.NewDumps();
    int whileUp = -1;
    rig.ui.whileAsked = [&] {
        rig.Turn(Id::kArpTempo, 150);
        rig.ui.Advance(300ms);
        whileUp = rig.NewDumps();
    };
    rig.ui.answers = {VelkAnswer::kCancel};

    editor.OnClose();

    EXPECT_EQ(whileUp, 0);
    EXPECT_FALSE(rig.view.ended);
    rig.ui.Advance(499ms);
    EXPECT_EQ(rig.NewDumps(), 0);
    rig.ui.Advance(1ms);
    EXPECT_EQ(rig.NewDumps(), 1);
}

TEST(ProgramEditorFaults, StaleChangedFlagIsNoWriteConfirmation) {
    EditorRig rig;
    rig.Synth().SetFault(SimReply::LoadCompleted, SimFault().WithSilence());
    CDialogEditPrgModel& editor = rig.Open(9);
    editor.OnNameChange("Stale");
    // Left over from an earlier exchange.
    rig.Dev().Dev().SetChanged();

    EXPECT_FALSE(editor.OnWriteToDevice());

    EXPECT_EQ(rig.ui.Texts(), std::vector<std::string>{kCantOverwriteDevice});
    EXPECT_FALSE(rig.view.ended);
    EXPECT_TRUE(editor.IsModified());
    EXPECT_NE(*rig.Dev().Dev().GetProgramName(9), "Stale");
}

TEST(ProgramEditorFaults, FileThatDidNotLoadDoesNotOpen) {
    EditorRig rig;
    const auto missing = TempFile("missing.prg");
    std::filesystem::remove(missing);
    const auto notMidi = TempFile("not-midi.prg");
    std::ofstream(notMidi) << "not a MIDI file";
    // A global file under a program's name: read, but no program in it.
    const auto global = TempFile("global.prg");
    ASSERT_EQ(rig.Dev().Dev().SaveGlobalFile(0, global), 0);

    for (const auto& path : {missing, notMidi, global}) {
        rig.NewDumps();
        CDialogEditPrgModel& editor = rig.Open(-1, path);
        EXPECT_FALSE(editor.HasProgram()) << path;
        EXPECT_FALSE(editor.Init(rig.view)) << path;
        EXPECT_EQ(editor.OpenError(), "ERROR: Can't Open the File");
        EXPECT_FALSE(editor.IsRegistered());
        EXPECT_FALSE(editor.OnSaveToFile());
        EXPECT_FALSE(editor.OnWriteToDevice());
        EXPECT_EQ(rig.NewDumps(), 0) << path;
    }
    EXPECT_TRUE(rig.view.labels.empty());
    EXPECT_TRUE(rig.ui.ConfirmCaptions().empty());
    // The global file was not saved over either.
    EXPECT_TRUE(std::filesystem::exists(global));
}

TEST(ProgramEditorFaults, SlotOutsideTheModelOpensNothing) {
    EditorRig rig;
    CDialogEditPrgModel& editor = rig.Open(128);
    EXPECT_FALSE(editor.HasProgram());
    EXPECT_EQ(editor.OpenError(), "ERROR: Can't Open the Program");
    EXPECT_EQ(editor.Caption(), "Program Editor");
}

TEST(ProgramEditorFaults, NameEditKeepsTwelvePrintableAsciiCharacters) {
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"ABCDEFGHIJKLMN", "ABCDEFGHIJKL"},
        {"Gr\xC3\xBC\xC3\x9F" "e", "Gre"},                     // no byte of a UTF-8 sequence kept
        {"\xE2\x82\xAC" "ABCDEFGHIJKLM", "ABCDEFGHIJKL"},      // the cut counts characters kept
        {"tab\there\nx", "tabherex"},
        {" ~ \x7F", " ~ "},
        {"", ""},
    };
    // clang-format on
    for (const auto& [typed, kept] : cases) EXPECT_EQ(FilterProgramName(typed), kept) << typed;

    for (const bool file : {false, true}) {
        EditorRig rig;
        const auto path = file ? ProgramFile(rig, "name.prg") : std::filesystem::path();
        CDialogEditPrgModel& editor = rig.Open(file ? -1 : 2, path);
        EXPECT_EQ(editor.OnNameChange("Fourteen chars"), "Fourteen cha");
        EXPECT_EQ(editor.Program()->GetName(), "Fourteen cha");
        EXPECT_TRUE(editor.IsModified());
        EXPECT_EQ(editor.IsSaveEnabled(), file);
        EXPECT_EQ(rig.Timer().starts, 0);  // a name change arms no commit
    }
}

TEST(ProgramEditorFaults, ProgramChangedOnlyFromTheSynthEnablesSaveForAFile) {
    EditorRig rig;
    const auto path = ProgramFile(rig, "fromsynth.prg");
    CDialogEditPrgModel& editor = rig.Open(-1, path);
    editor.OnSelChangeTab(2);
    ASSERT_EQ(editor.ShownKind(), PrgPageKind::Arpeggio);
    rig.NewDumps();

    rig.Synth().SendNrpn(0x02, 127);  // arpeggiator on
    rig.Dev().Settle();
    rig.RunPosted();

    EXPECT_EQ(rig.view.arpeggio.calls, (std::vector<std::pair<std::string, int>>{{"ShowArpOnOff", 1}}));
    EXPECT_EQ(editor.Program()->GetParam(Id::kArpOnOff), 1);
    EXPECT_TRUE(editor.IsModified());
    EXPECT_TRUE(editor.IsSaveEnabled());
    EXPECT_EQ(rig.view.saveEnabled, true);
    EXPECT_EQ(rig.Timer().starts, 0);
    rig.ui.Advance(1000ms);
    EXPECT_EQ(rig.NewDumps(), 0);
}

// --- notices ---------------------------------------------------------------

TEST(ProgramEditor, ArpeggiatorReportsReachOnlyTheShownArpeggioPage) {
    EditorRig rig;
    CDialogEditPrgModel& editor = rig.Open(0);
    const int32_t before = editor.Program()->GetParam(Id::kArpOnOff);
    rig.Synth().SendNrpn(0x02, before ? 0 : 127);
    rig.Dev().Settle();
    rig.RunPosted();
    EXPECT_EQ(editor.Program()->GetParam(Id::kArpOnOff), before);
    EXPECT_FALSE(editor.IsModified());

    editor.OnSelChangeTab(2);
    struct Report {
        int nrpn;
        int value;
        const char* shown;
        int id;
        int stored;
    };
    // clang-format off
    const Report reports[] = {
        {0x04, 64, "ShowLatch", Id::kArpLatch, 1}, {0x07, 107, "ShowType", Id::kArpType, 5},
        {0x03, 3, "ShowRange", Id::kArpRange, 3}, {0x0A, 64, "ShowGate", Id::kArpGateTime, 50},
    };
    // clang-format on
    for (const Report& r : reports) {
        rig.Synth().SendNrpn(static_cast<uint8_t>(r.nrpn), static_cast<uint8_t>(r.value));
        rig.Dev().Settle();
        rig.RunPosted();
        ASSERT_FALSE(rig.view.arpeggio.calls.empty());
        EXPECT_EQ(rig.view.arpeggio.calls.back(), (std::pair<std::string, int>{r.shown, r.stored}));
        EXPECT_EQ(editor.Program()->GetParam(r.id), r.stored);
    }
    EXPECT_TRUE(editor.IsModified());
    EXPECT_FALSE(editor.IsSaveEnabled());  // a device program is never saved to a file
}

TEST(ProgramEditor, NothingReachesTheEditorAfterOnDestroy) {
    EditorRig rig;
    CDialogEditPrgModel& editor = rig.Open(0);
    editor.OnSelChangeTab(2);
    // A report queued while the editor was open, run after it went.
    rig.Synth().SendNrpn(0x02, 127);
    rig.Dev().Settle();
    ASSERT_EQ(rig.ui.Pending(), 1u);
    editor.OnDestroy();
    EXPECT_FALSE(editor.IsRegistered());
    EXPECT_EQ(rig.view.page, std::nullopt);

    rig.RunPosted();
    rig.Dev().Dev().GetProgramCopy(0)->SetParam(Id::kArpTempo, 77, 1);
    EXPECT_TRUE(rig.view.arpeggio.calls.empty());
    EXPECT_EQ(rig.Timer().starts, 0);
    EXPECT_FALSE(editor.IsModified());
}

// --- caption and layout ----------------------------------------------------

TEST(ProgramEditor, CaptionNamesTheSlotOrTheFile) {
    EditorRig rig(SimModel::BrontiselS);
    EXPECT_EQ(rig.Open(255).Caption(), "Program Editor - D.88");
    const auto path = ProgramFile(rig, "caption.prg");
    EXPECT_EQ(rig.Open(-1, path).Caption(), "Program Editor - \"" + path.string() + "\"");
}

TEST(ProgramEditorLayout, TopRowAndTabControlDoNotOverlap) {
    EXPECT_EQ(prglayout::CheckTable(), std::vector<std::string>{});
    // The buttons keep the Global Editor's spacing and end 5 units from the right edge.
    const auto* close = prglayout::Find(prglayout::kIdClose);
    const auto* write = prglayout::Find(prglayout::kIdWriteToDevice);
    const auto* save = prglayout::Find(prglayout::kIdSaveToFile);
    ASSERT_TRUE(close && write && save);
    EXPECT_EQ(close->x + close->w, prglayout::kDialogWidth - 5);
    EXPECT_EQ(close->x - (write->x + write->w), 6);
    EXPECT_EQ(write->x - (save->x + save->w), 6);
    EXPECT_EQ(prglayout::TabControl().y, 20);
}

}  // namespace
