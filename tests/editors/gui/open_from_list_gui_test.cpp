// The editors opened from the explorer's list of the whole program, on the
// simulated Brontisel S: a device program and the Global row, a program
// file, and a file named "a.prg.glb" (a global file by its ending). With
// $VELK_SHOTS_DIR set the editors are saved as pictures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/notebook.h>

#include "PageGuiSupport.h"
#include "controls/wx/C2StateButton.h"
#include "device/MDevConfig.h"
#include "device/MDevDesc.h"
#include "device/MDevDescProgram.h"
#include "device/MDevProgramParamId.h"
#include "editors/ArpeggioPageTables.h"
#include "editors/wx/CDialogEditGlb.h"
#include "editors/wx/CDialogEditPrg.h"
#include "editors/wx/CProgramPage.h"
#include "editors/wx/CWxEditorOpener.h"
#include "librarian/CVelkDoc.h"
#include "librarian/wx/CLeftView.h"
#include "librarian/wx/CVelkSession.h"
#include "librarian/wx/CVelkView.h"
#include "resources/VelkCommandIds.h"
#include "simulator/SimSynthOnLoopback.h"
#include "tests/guitest/WhenModal.h"

namespace {

namespace fs = std::filesystem;
using guitest::WhenModal;

constexpr const char* kDevicePath = "/My Device/Brontisel S";

class OpenFromListTest : public ::testing::Test {
protected:
    OpenFromListTest() {
        VelkOptions options;
        options.simulate = true;
        options.wireRate = 0;
        session_ = std::make_unique<CVelkSession>(options, SettingsPath());
        session_->GetDoc().GetDevConfig().SetPauses({}, {});
        session_->SetItemOpener(CWxEditorOpener::ForSession(*session_));
        frame_ = session_->CreateMainWindow({"/nonexistent", ""});
        frame_->SetSize(1000, 700);
        frame_->Show();
        session_->StartUp();
        list_ = frame_->GetListWindow();
        frame_->SetActiveView(list_);
    }
    ~OpenFromListTest() override {
        const std::string library = LibraryFolder();
        session_.reset();
        std::error_code ignored;
        fs::remove_all(library, ignored);
        fs::remove(SettingsPath(), ignored);
    }
    static std::string SettingsPath() {
        return (fs::path(std::getenv("XDG_CONFIG_HOME")) / "velk-open-test.conf").string();
    }
    std::string LibraryFolder() { return session_->GetDoc().GetRoots().GetLibraryFolder("Brontisel S"); }
    MDevDesc* Device() { return session_->GetDoc().GetDevConfig().GetDevice(0); }

    void ShowFolder(const std::string& path) {
        CLeftView* tree = frame_->GetTreeWindow();
        CTreeNode* node = tree->Model().FindNodeByPath(path);
        ASSERT_NE(node, nullptr) << path;
        tree->SelectItem(tree->ItemOf(node));
        frame_->RunCommand(velk::ID_VIEW_DETAILS);
    }
    void SelectRow(int row) {
        for (long i = 0; i < list_->GetItemCount(); ++i)
            list_->SetItemState(i, i == row ? wxLIST_STATE_SELECTED : 0, wxLIST_STATE_SELECTED);
        list_->SyncSelection();
    }
    int RowNamed(const std::string& name) {
        for (int row = 0; row < list_->Model().RowCount(); ++row)
            if (list_->Model().Rows()[row].texts[0] == name) return row;
        return -1;
    }
    // Copies the device's row to the library; the file's name.
    std::string CopyToLibrary(const std::string& item) {
        ShowFolder(kDevicePath);
        SelectRow(list_->Model().FindItem(item));
        frame_->RunCommand(velk::ID_EDIT_COPY);
        ShowFolder(LibraryFolder());
        SelectRow(-1);
        const auto before = Listing();
        frame_->RunCommand(velk::ID_EDIT_PASTE);
        for (const std::string& name : Listing())
            if (!before.count(name)) return name;
        ADD_FAILURE() << "no file written for " << item;
        return {};
    }
    std::set<std::string> Listing() {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(LibraryFolder()))
            names.insert(entry.path().filename().string());
        return names;
    }

    // Opens the selected row with Enter; `check` sees the editor, which is
    // then closed.
    void OpenSelected(const char* shot, std::function<void(wxDialog&)> check) {
        bool opened = false;
        WhenModal([&](wxDialog& dialog) {
            opened = true;
            EXPECT_EQ(dialog.GetParent(), static_cast<wxWindow*>(list_));
            check(dialog);
            editors_test::SaveShot(dialog, shot);
            dialog.EndModal(wxID_CANCEL);
        });
        wxKeyEvent enter(wxEVT_KEY_DOWN);
        enter.m_keyCode = WXK_RETURN;
        list_->GetRowsWindow()->ProcessWindowEvent(enter);
        EXPECT_TRUE(opened);
    }

    std::unique_ptr<CVelkSession> session_;
    CMainFrame* frame_ = nullptr;
    CVelkView* list_ = nullptr;
};

TEST_F(OpenFromListTest, ProgramRowOpensTheProgramEditorOnThatSlot) {
    ShowFolder(kDevicePath);
    const std::string number = Device()->FormatProgramNumber(9).value();
    SelectRow(list_->Model().FindItem("Program:" + number));
    OpenSelected("list-opens-program-editor", [](wxDialog& dialog) {
        auto* editor = wxDynamicCast(&dialog, CDialogEditPrg);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->Model().ProgramNumber(), 9);
    });
    EXPECT_EQ(list_->GetItemCount(), 257) << "the list is filled again";
}

TEST_F(OpenFromListTest, GlobalRowOpensTheGlobalEditor) {
    ShowFolder(kDevicePath);
    SelectRow(list_->Model().FindItem("Global:-"));
    OpenSelected("list-opens-global-editor",
                 [](wxDialog& dialog) { EXPECT_NE(wxDynamicCast(&dialog, CDialogEditGlb), nullptr); });
}

TEST_F(OpenFromListTest, ProgramFileOpensTheProgramEditor) {
    const std::string file = CopyToLibrary("Program:" + Device()->FormatProgramNumber(3).value());
    ASSERT_EQ(fs::path(file).extension(), ".prg");
    SelectRow(RowNamed(file));
    OpenSelected("list-opens-program-file",
                 [](wxDialog& dialog) { EXPECT_NE(wxDynamicCast(&dialog, CDialogEditPrg), nullptr); });
}

TEST_F(OpenFromListTest, FileEndingInGlbOpensTheGlobalEditorWhateverItsFirstExtension) {
    const std::string file = CopyToLibrary("Global:-");
    ASSERT_EQ(fs::path(file).extension(), ".glb");
    fs::rename(LibraryFolder() + "/" + file, LibraryFolder() + "/a.prg.glb");
    ShowFolder(LibraryFolder());
    session_->GetDoc().SetCurrentFolder(0, 2, 1, LibraryFolder(), true);
    const int row = RowNamed("a.prg.glb");
    ASSERT_GE(row, 0);
    EXPECT_EQ(list_->Model().Rows()[row].texts[2], "Program File") << "listed by its first extension";
    SelectRow(row);
    OpenSelected("list-opens-global-file",
                 [](wxDialog& dialog) { EXPECT_NE(wxDynamicCast(&dialog, CDialogEditGlb), nullptr); });
}

}  // namespace

namespace {

// An arpeggiator knob turned on the synth while a device program is open in
// the editor: the program routes the synth's message as it arrives (no
// transfer runs), and the Arpeggio page shows the new state.
TEST_F(OpenFromListTest, ArpeggiatorTurnedOnTheSynthReachesTheOpenEditor) {
    ShowFolder(kDevicePath);
    SelectRow(list_->Model().FindItem("Program:" + Device()->FormatProgramNumber(0).value()));
    OpenSelected("list-editor-arpeggio-from-synth", [this](wxDialog& dialog) {
        auto* editor = wxDynamicCast(&dialog, CDialogEditPrg);
        ASSERT_NE(editor, nullptr);
        editor->Notebook()->SetSelection(2);
        ASSERT_EQ(editor->Model().ShownKind(), PrgPageKind::Arpeggio);
        auto* page = dynamic_cast<CProgramPage*>(editor->Page());
        ASSERT_NE(page, nullptr);
        auto* onOff = page->ControlAs<C2StateButton>(arpeggio_page::kOnOff);
        ASSERT_NE(onOff, nullptr);
        const int before = editor->Model().Program()->GetParam(MDevProgramParamId::kArpOnOff);
        const int shown = onOff->State();

        session_->GetSimulator()->Synth().SendNrpn(0x02, before ? 0 : 127);
        // The event loop runs as it does while the user looks at the page.
        for (int i = 0; i < 3000 && onOff->State() == shown; ++i)
            session_->GetUi().PumpFor(std::chrono::milliseconds(10));

        EXPECT_NE(onOff->State(), shown) << "the page did not show the synth's change";
        EXPECT_EQ(editor->Model().Program()->GetParam(MDevProgramParamId::kArpOnOff), before ? 0 : 1);
        EXPECT_TRUE(editor->Model().IsModified());
    });
}

}  // namespace
