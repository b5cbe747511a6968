// The Global Editor without its window: the pages' list mappings and
// layouts, and the editor's opening, change notices, save, write and close
// flows against the scripted user-interface services, over the device model
// of a simulated synth.

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "device/MDevDesc.h"
#include "device/MDevDescProgram.h"
#include "device/MDevGlobalParamId.h"
#include "editors/CDialogEditGlbModel.h"
#include "editors/CEditorNoticeTarget.h"
#include "editors/GlobalPageTables.h"
#include "editors/ProgramPageLayout.h"
#include "tests/device/DevRig.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/TempDir.h"
#include "uiservices/CDialogOverwriteModel.h"

namespace {

using velktest::ScriptedUiServices;
namespace P = MDevGlobalParamId;

// ------------------------------------------------------------ the pages

TEST(GlobalPageLists, ControlChangeItemsAreOffThenCc00ToCc95) {
    const auto items = glbpage::CcItems();
    ASSERT_EQ(items.size(), 97u);
    EXPECT_STREQ(items[0], "Off");
    EXPECT_STREQ(items[1], "CC #00");
    EXPECT_STREQ(items[8], "CC #07");
    EXPECT_STREQ(items[96], "CC #95");
}

TEST(GlobalPageLists, ControlChangeSelectionForStoredValues) {
    struct Case {
        int32_t stored;
        int item;
    };
    for (const Case c : {Case{-1, 0}, Case{0, 1}, Case{7, 8}, Case{95, 96}, Case{96, -1}, Case{-2, -1},
                         Case{127, -1}, Case{-128, -1}})
        EXPECT_EQ(glbpage::CcItemOf(c.stored), c.item) << c.stored;
    EXPECT_EQ(glbpage::CcStoredOf(0), -1);
    EXPECT_EQ(glbpage::CcStoredOf(8), 7);
    // The table rows store the same way the page's lists do.
    for (const PageBinding& row : glbpage::ControlChangeTab().bindings) {
        EXPECT_EQ(ChoiceStoredValue(row, 0), -1);
        EXPECT_EQ(ChoiceStoredValue(row, 8), 7);
        EXPECT_EQ(ChoiceItemOf(row, 96), 97);  // beyond the last item: no selection
    }
}

TEST(GlobalPageLists, ProgramItemTextsAcrossTheBanks) {
    EXPECT_EQ(glbpage::ProgramItemText(0), "Program A.11");
    EXPECT_EQ(glbpage::ProgramItemText(63), "Program A.88");
    EXPECT_EQ(glbpage::ProgramItemText(64), "Program B.11");
    EXPECT_EQ(glbpage::ProgramItemText(255), "Program D.88");
    EXPECT_EQ(glbpage::ProgramItems(256).size(), 256u);
    EXPECT_EQ(glbpage::ProgramItems(128).size(), 128u);
    EXPECT_STREQ(glbpage::ProgramItems(256)[255], "Program D.88");
    EXPECT_EQ(glbpage::ProgramItemOf(255, 256), 255);
    EXPECT_EQ(glbpage::ProgramItemOf(200, 128), -1);
    EXPECT_EQ(glbpage::ProgramItemOf(-1, 256), -1);
    EXPECT_EQ(glbpage::FavoriteTab(256).layout[2].items.size(), 256u);
    EXPECT_EQ(glbpage::FavoriteTab(128).layout[2].items.size(), 128u);
}

TEST(GlobalPageTables, EveryEditedParameterHasOneControlAndNoneIsOnTwoPages) {
    std::multiset<int> params;
    for (const PageBinding& row : glbpage::GlobalTab().bindings) params.insert(row.param);
    for (const auto& pair : glbpage::GlobalTabSliders()) params.insert(pair.param);
    for (const PageBinding& row : glbpage::MidiTab().bindings) params.insert(row.param);
    for (const PageBinding& row : glbpage::ControlChangeTab().bindings) params.insert(row.param);
    for (const PageBinding& row : glbpage::FavoriteTab(256).bindings) params.insert(row.param);
    for (int id = 0; id < P::kCount; ++id) {
        const bool onNoPage = id == P::kVelocityCurveMode || id == 33 || id == 51;
        EXPECT_EQ(params.count(id), onNoPage ? 0u : 1u) << "parameter " << id;
    }
    EXPECT_EQ(glbpage::ControlChangeTab().bindings.size(), 41u);
}

TEST(GlobalPageTables, ControlChangeGroupsLieInThreeColumnsInTheirOrder) {
    std::vector<std::vector<std::string>> columns(3);
    const auto& layout = glbpage::ControlChangeTab().layout;
    std::set<int> lefts;
    for (const PageControl& c : layout)
        if (c.kind == PageControlKind::GroupBox) lefts.insert(c.x);
    ASSERT_EQ(lefts.size(), 3u);
    const std::vector<int> left(lefts.begin(), lefts.end());
    int lastTop[3] = {-1, -1, -1};
    for (const PageControl& c : layout) {
        if (c.kind != PageControlKind::GroupBox) continue;
        const int column = static_cast<int>(std::find(left.begin(), left.end(), c.x) - left.begin());
        EXPECT_GT(c.y, lastTop[column]) << c.text;
        lastTop[column] = c.y;
        columns[column].push_back(c.text);
    }
    EXPECT_EQ(columns[0], (std::vector<std::string>{"PITCH", "OSC 1", "OSC 2", "MIXER"}));
    EXPECT_EQ(columns[1], (std::vector<std::string>{"FILTER", "AMP", "FILTER EG", "AMP EG"}));
    EXPECT_EQ(columns[2],
              (std::vector<std::string>{"LFO 1", "LFO 2", "PATCH", "MOD FX", "DELAY FX", "( MIDI )"}));
    // Each label stands left of its list, in the same row.
    for (std::size_t i = 0; i + 1 < layout.size(); ++i)
        if (layout[i + 1].kind == PageControlKind::Choice) {
            EXPECT_EQ(layout[i].kind, PageControlKind::Label);
            EXPECT_EQ(layout[i].y, layout[i + 1].y);
            EXPECT_LE(layout[i].x + layout[i].w, layout[i + 1].x);
        }
}

TEST(GlobalPageTables, LayoutsAreCleanWithAndWithoutTheHiddenControls) {
    struct Case {
        const glbpage::GlobalPage* page;
        std::span<const int> hidden;
    };
    // clang-format off
    const Case cases[] = {
        {&glbpage::GlobalTab(), glbpage::GlobalTabHidden()},
        {&glbpage::MidiTab(), glbpage::MidiTabHidden()},
        {&glbpage::ControlChangeTab(), {}},
        {&glbpage::FavoriteTab(256), glbpage::FavoriteTabHidden()},
    };
    // clang-format on
    for (const Case& c : cases) {
        const std::set<int> hidden(c.hidden.begin(), c.hidden.end());
        for (const std::set<int>& h : {hidden, std::set<int>{}}) {
            const auto problems = CheckTableLayout(c.page->layout, c.page->widthDlu, c.page->heightDlu, h);
            EXPECT_TRUE(problems.empty()) << c.page->title << ": " << problems.front();
        }
        std::set<int> ids;
        for (const PageControl& control : c.page->layout) {
            if (control.id == kNoControlId) continue;
            EXPECT_TRUE(ids.insert(control.id).second) << c.page->title << " #" << control.id;
        }
    }
}

TEST(GlobalPageTables, ControlChangeMapIsTheLargestPage) {
    const auto& cc = glbpage::ControlChangeTab();
    for (const auto* page : {&glbpage::GlobalTab(), &glbpage::MidiTab(), &glbpage::FavoriteTab(256)}) {
        EXPECT_LE(page->widthDlu, cc.widthDlu) << page->title;
        EXPECT_LE(page->heightDlu, cc.heightDlu) << page->title;
    }
}

// ----------------------------------------------------------- the editor

// A connected device model over the simulated synth, the scripted
// user-interface services and a scratch folder for global files. Each pass
// of a waiting loop lets the wire deliver; the synth's answer to a global is
// lost: the test says in which pass of the write's wait the device has its
// reply.
class GlobalEditorTest : public ::testing::Test {
protected:
    void Connect(SimModel model) {
        rig_ = std::make_unique<DevRig>(model);
        ASSERT_TRUE(rig_->Connect());
        rig_->Synth().SetFault(SimReply::LoadCompleted, SimFault().WithSilence());
        ReplyInPass(kNever);
    }
    MDevDescZEPHA& Dev() { return rig_->Dev(); }

    // A global file written from the device's global.
    std::filesystem::path GlobalFile(const char* name) {
        const auto path = dir_ / name;
        EXPECT_EQ(Dev().SaveGlobalFile(0, path), 0);
        return path;
    }

    // The device has the synth's reply in the given pass of the waiting
    // loop (its next poll sees it); each pass first lets the wire deliver.
    // `onPass` runs in each pass after that.
    static constexpr int kNever = -1;
    void ReplyInPass(int pass, ScriptedUiServices& ui, std::function<void()> onPass = {}) {
        ui.onPump = [this, pass, &ui, onPass = std::move(onPass)] {
            rig_->Settle();
            if (ui.pumps == pass) Dev().SetChanged();
            if (onPass) onPass();
        };
    }
    void ReplyInPass(int pass) { ReplyInPass(pass, ui_); }

    MDevTransferState::Step Step() { return Dev().GetTransferState().GetStep(); }

    std::unique_ptr<DevRig> rig_;
    velktest::TempDir dir_;
    ScriptedUiServices ui_;
};

TEST_F(GlobalEditorTest, DeviceGlobalOpensWithThreeTabsOnBrontisel) {
    Connect(SimModel::Brontisel);
    CDialogEditGlbModel editor(Dev(), 0, {}, ui_);
    ASSERT_NE(editor.Global(), nullptr);
    EXPECT_EQ(editor.Global(), Dev().GetGlobalCopy(0));
    EXPECT_EQ(editor.Caption(), "Global Editor - Device");
    EXPECT_EQ(editor.TabTitles(), (std::vector<std::string>{"Global", "MIDI", "Control Change Map"}));
    EXPECT_FALSE(editor.IsSaveEnabled());
    EXPECT_FALSE(editor.IsModified());
}

TEST_F(GlobalEditorTest, FourTabsOnBrontiselS) {
    Connect(SimModel::BrontiselS);
    CDialogEditGlbModel editor(Dev(), 0, {}, ui_);
    EXPECT_EQ(editor.TabTitles(),
              (std::vector<std::string>{"Global", "MIDI", "Control Change Map", "Favorite Program"}));
    EXPECT_EQ(editor.ProgramCount(), 256);
}

TEST_F(GlobalEditorTest, FileOpensQuotedAndSaveEnablesWithTheFirstChange) {
    Connect(SimModel::Brontisel);
    const auto path = GlobalFile("a.glb");
    CDialogEditGlbModel editor(Dev(), -1, path, ui_);
    ASSERT_NE(editor.Global(), nullptr);
    EXPECT_FALSE(editor.OpenFailed());
    EXPECT_EQ(editor.Caption(), "Global Editor - \"" + path.string() + "\"");
    EXPECT_FALSE(editor.IsSaveEnabled());

    CEditorRegistration registration(Dev());
    registration.Register(
        std::make_shared<CEditorNoticeTarget>([&editor] { editor.OnDevDescUpdatedProgram(); }));
    editor.Global()->SetParam(P::kMasterTranspose, 3, 1);
    EXPECT_TRUE(editor.IsModified());
    EXPECT_TRUE(editor.IsSaveEnabled());
}

TEST_F(GlobalEditorTest, DeviceChangeKeepsSaveDisabled) {
    Connect(SimModel::Brontisel);
    CDialogEditGlbModel editor(Dev(), 0, {}, ui_);
    editor.OnDevDescUpdatedProgram();
    EXPECT_TRUE(editor.IsModified());
    EXPECT_FALSE(editor.IsSaveEnabled());
}

TEST_F(GlobalEditorTest, NoticesStopWhenTheEditorUnregisters) {
    Connect(SimModel::Brontisel);
    CDialogEditGlbModel editor(Dev(), 0, {}, ui_);
    int notices = 0;
    auto target = std::make_shared<CEditorNoticeTarget>([&] { ++notices; });
    {
        CEditorRegistration registration(Dev());
        registration.Register(target);
        editor.Global()->SetParam(P::kLocal, 1, 0);
        EXPECT_EQ(notices, 1);
    }
    editor.Global()->SetParam(P::kLocal, 0, 0);
    EXPECT_EQ(notices, 1);
    EXPECT_FALSE(target->IsAlive());
    // Even a target someone still holds answers nothing once detached.
    EXPECT_FALSE(target->OnDevDescUpdatedProgram());
    EXPECT_EQ(notices, 1);
}

TEST_F(GlobalEditorTest, FileThatDidNotLoadIsNotOpenedForEditing) {
    Connect(SimModel::Brontisel);
    const auto missing = dir_ / "missing.glb";
    CDialogEditGlbModel editor(Dev(), -1, missing, ui_);
    EXPECT_EQ(editor.Global(), nullptr);
    EXPECT_TRUE(editor.OpenFailed());
    editor.ReportOpenFailure();
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"ERROR: Can't Open the File"});
    EXPECT_TRUE(editor.TabTitles().empty());
    // Only Close acts.
    EXPECT_FALSE(editor.IsWriteEnabled());
    EXPECT_EQ(editor.OnWriteToDevice(), EditorEnd::kStayOpen);
    EXPECT_TRUE(ui_.confirmations.empty());
    EXPECT_EQ(editor.OnSaveToFile(), EditorEnd::kStayOpen);
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_EQ(editor.OnClose(), EditorEnd::kCancel);
}

TEST_F(GlobalEditorTest, FileOfAnotherKindIsNotOpenedForEditing) {
    Connect(SimModel::Brontisel);
    const auto path = dir_ / "p.glb";
    ASSERT_EQ(Dev().SaveProgramFile(0, path), 0);
    CDialogEditGlbModel editor(Dev(), -1, path, ui_);
    EXPECT_TRUE(editor.OpenFailed());
}

TEST_F(GlobalEditorTest, WriteConfirmedInTheFirstPassEndsTheDeviceEditorWithOk) {
    Connect(SimModel::Brontisel);
    CDialogEditGlbModel editor(Dev(), 0, {}, ui_);
    editor.OnDevDescUpdatedProgram();
    ReplyInPass(1);
    EXPECT_EQ(editor.OnWriteToDevice(), EditorEnd::kOk);
    ASSERT_EQ(ui_.confirmations.size(), 1u);
    EXPECT_EQ(ui_.confirmations[0].caption, "Write to Device ?");
    EXPECT_FALSE(ui_.confirmations[0].withTarget) << "the global has no slot to choose";
    EXPECT_EQ(ui_.confirmations[0].device, &Dev());
    EXPECT_EQ(ui_.confirmations[0].targetKind, CDialogOverwriteModel::kGlobal);
    EXPECT_FALSE(editor.IsModified());
    EXPECT_EQ(ui_.pumps, 1);
    EXPECT_EQ(ui_.progressCaptions, std::vector<std::string>{"MIDI Transfering ..."});
    EXPECT_EQ(ui_.progressCloses, 1);
    EXPECT_TRUE(ui_.shown.empty());
}

TEST_F(GlobalEditorTest, WriteWithoutAnswerFailsAfterFiftyPollsOfOneTenthSecond) {
    Connect(SimModel::Brontisel);
    CDialogEditGlbModel editor(Dev(), 0, {}, ui_);
    editor.OnDevDescUpdatedProgram();
    bool awaitedWhileWaiting = true;
    ReplyInPass(kNever, ui_, [&] { awaitedWhileWaiting &= Step() == MDevTransferState::Step::AwaitLoad; });
    EXPECT_EQ(editor.OnWriteToDevice(), EditorEnd::kStayOpen);
    EXPECT_EQ(ui_.pumps, 50);
    EXPECT_EQ(ui_.Elapsed(), std::chrono::milliseconds(5000));
    EXPECT_TRUE(awaitedWhileWaiting);
    EXPECT_EQ(Step(), MDevTransferState::Step::Idle) << "the time-out cancels the transfer";
    EXPECT_EQ(ui_.progressCloses, 1);
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"ERROR: Can't Overwrite the Device"});
    EXPECT_TRUE(editor.IsModified());
}

TEST_F(GlobalEditorTest, ReplyInTheLastPassStillCounts) {
    Connect(SimModel::Brontisel);
    CDialogEditGlbModel editor(Dev(), 0, {}, ui_);
    ReplyInPass(50);
    EXPECT_EQ(editor.OnWriteToDevice(), EditorEnd::kOk);
}

TEST_F(GlobalEditorTest, StaleChangedFlagIsNoWriteConfirmation) {
    Connect(SimModel::Brontisel);
    CDialogEditGlbModel editor(Dev(), 0, {}, ui_);
    editor.OnDevDescUpdatedProgram();
    Dev().SetChanged();  // left over from an earlier exchange
    EXPECT_EQ(editor.OnWriteToDevice(), EditorEnd::kStayOpen);
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"ERROR: Can't Overwrite the Device"});
    EXPECT_TRUE(editor.IsModified());
}

// A device model that refuses to send the global it hands out.
class RefusingDevice final : public MDevDesc {
public:
    RefusingDevice(MDevConfig& owner, MDevDescProgram& global) : MDevDesc(owner), global_(global) {}
    MDevDescProgram* GetGlobalCopy(int) override { return &global_; }
    int SendGlobal(int) override { return kBadIndex; }

private:
    MDevDescProgram& global_;
};

// A refused send is reported at once: nothing is awaited, and a changed flag
// left over from an earlier exchange confirms nothing.
TEST_F(GlobalEditorTest, RefusedSendIsReportedAndAwaitsNothing) {
    Connect(SimModel::Brontisel);
    RefusingDevice device(rig_->Config(), *Dev().GetGlobalCopy(0));
    CDialogEditGlbModel editor(device, 0, {}, ui_);
    editor.OnDevDescUpdatedProgram();
    device.SetChanged();
    EXPECT_EQ(editor.OnWriteToDevice(), EditorEnd::kStayOpen);
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"ERROR: Can't Overwrite the Device"});
    EXPECT_TRUE(ui_.progressCaptions.empty());
    EXPECT_TRUE(editor.IsModified());
}

TEST_F(GlobalEditorTest, DeclinedConfirmationSendsNothing) {
    Connect(SimModel::Brontisel);
    CDialogEditGlbModel editor(Dev(), 0, {}, ui_);
    ui_.confirmAnswer = false;
    rig_->Settle();
    const auto before = rig_->Synth().Received().size();
    EXPECT_EQ(editor.OnWriteToDevice(), EditorEnd::kStayOpen);
    rig_->Settle();
    EXPECT_EQ(rig_->Synth().Received().size(), before);
    EXPECT_TRUE(ui_.progressCaptions.empty());
}

TEST_F(GlobalEditorTest, WrittenFileStaysOpenAndModified) {
    Connect(SimModel::Brontisel);
    CDialogEditGlbModel editor(Dev(), -1, GlobalFile("w.glb"), ui_);
    editor.OnDevDescUpdatedProgram();
    ReplyInPass(2);
    EXPECT_EQ(editor.OnWriteToDevice(), EditorEnd::kStayOpen);
    EXPECT_TRUE(ui_.shown.empty());
    EXPECT_TRUE(editor.IsModified());
    EXPECT_TRUE(editor.IsSaveEnabled());
}

TEST_F(GlobalEditorTest, SaveWritesTheWorkingGlobalAndEndsWithOk) {
    Connect(SimModel::Brontisel);
    const auto path = GlobalFile("s.glb");
    CDialogEditGlbModel editor(Dev(), -1, path, ui_);
    editor.Global()->SetParam(P::kMasterTranspose, -5, 1);
    editor.OnDevDescUpdatedProgram();
    EXPECT_EQ(editor.OnSaveToFile(), EditorEnd::kOk);
    EXPECT_FALSE(editor.IsModified());
    EXPECT_FALSE(editor.IsSaveEnabled());
    // Read back through the device: the file holds the edit.
    editor.Global()->SetParam(P::kMasterTranspose, 0, 1);
    ASSERT_NE(Dev().LoadGlobalFileToEdit(path), nullptr);
    EXPECT_EQ(editor.Global()->GetParam(P::kMasterTranspose), -5);
}

TEST_F(GlobalEditorTest, SaveFailureKeepsTheEditorOpenAndModified) {
    Connect(SimModel::Brontisel);
    const auto path = GlobalFile("f.glb");
    CDialogEditGlbModel editor(Dev(), -1, path, ui_);
    editor.OnDevDescUpdatedProgram();
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);  // a folder in the file's place
    EXPECT_EQ(editor.OnSaveToFile(), EditorEnd::kStayOpen);
    EXPECT_EQ(ui_.Texts(), std::vector<std::string>{"ERROR: Can't Overwrite the File"});
    EXPECT_TRUE(editor.IsModified());
    EXPECT_TRUE(editor.IsSaveEnabled());
}

TEST_F(GlobalEditorTest, CloseWithoutChangesAsksNothing) {
    Connect(SimModel::Brontisel);
    CDialogEditGlbModel editor(Dev(), 0, {}, ui_);
    EXPECT_EQ(editor.OnClose(), EditorEnd::kCancel);
    EXPECT_TRUE(ui_.shown.empty());
}

TEST_F(GlobalEditorTest, CloseQuestionsWithEachAnswer) {
    struct Case {
        bool file;
        VelkAnswer answer;
        bool actionSucceeds;
        EditorEnd end;
        bool modifiedAfter;
    };
    // clang-format off
    const Case cases[] = {
        {false, VelkAnswer::kYes, true, EditorEnd::kOk, false},
        {false, VelkAnswer::kYes, false, EditorEnd::kStayOpen, true},
        {false, VelkAnswer::kNo, true, EditorEnd::kCancel, true},
        {false, VelkAnswer::kCancel, true, EditorEnd::kStayOpen, true},
        {true, VelkAnswer::kYes, true, EditorEnd::kOk, false},
        {true, VelkAnswer::kYes, false, EditorEnd::kStayOpen, true},
        {true, VelkAnswer::kNo, true, EditorEnd::kCancel, true},
        {true, VelkAnswer::kCancel, true, EditorEnd::kStayOpen, true},
    };
    // clang-format on
    Connect(SimModel::Brontisel);
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(n);
        ScriptedUiServices ui;
        ui.answers = {c.answer};
        ReplyInPass(c.actionSucceeds ? 1 : kNever, ui);
        const auto path = GlobalFile(("c" + std::to_string(n++) + ".glb").c_str());
        CDialogEditGlbModel editor(Dev(), c.file ? -1 : 0, c.file ? path : std::filesystem::path(), ui);
        editor.OnDevDescUpdatedProgram();
        if (c.file && !c.actionSucceeds) {
            std::filesystem::remove(path);
            std::filesystem::create_directory(path);
        }
        EXPECT_EQ(editor.OnClose(), c.end);
        ASSERT_FALSE(ui.shown.empty());
        EXPECT_EQ(ui.shown[0].kind, ScriptedUiServices::Kind::kYesNoCancel);
        EXPECT_EQ(ui.shown[0].icon, VelkIcon::kNone) << "the close questions carry no icon";
        EXPECT_EQ(ui.shown[0].text, c.file ? "Save Changes to File Before Closing ?"
                                           : "Write Changes to Device Before Closing ?");
        EXPECT_EQ(ui.shown.size(), c.actionSucceeds ? 1u : 2u);
        EXPECT_EQ(editor.IsModified(), c.modifiedAfter);
    }
}

}  // namespace
