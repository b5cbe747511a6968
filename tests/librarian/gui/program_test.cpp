// The whole program on real windows against the simulated Brontisel S at
// full speed: start-up, receiving into the list, clicks and keys on the
// list's rows, copy and paste between the device and the library through
// the main window's commands, the list's context menus, Escape, and the
// commands' states with the list or the tree active. Events are driven
// directly; the only waits are the document's waiting loops on a fast wire.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/menu.h>
#include <wx/textctrl.h>

#include "device/MDevConfig.h"
#include "device/MDevDesc.h"
#include "librarian/CVelkDoc.h"
#include "librarian/wx/CDialogDevice.h"
#include "uiservices/wx/CDialogOverwrite.h"
#include "librarian/wx/CLeftView.h"
#include "librarian/wx/CVelkSession.h"
#include "librarian/wx/CVelkView.h"
#include "resources/VelkCommandIds.h"
#include "tests/guitest/RealInput.h"
#include "tests/guitest/SaveShot.h"
#include "tests/guitest/WhenModal.h"
#include "tests/support/RecordingOpener.h"
#include "resources/wx/VelkMenuBuilder.h"
#include "simulator/SimSynthOnLoopback.h"

namespace {

using guitest::WhenModal;

using namespace velk;
namespace fs = std::filesystem;

constexpr const char* kDevicePath = "/My Device/Brontisel S";

std::string SettingsPath() {
    return (fs::path(std::getenv("XDG_CONFIG_HOME")) / "velk-program-test.conf").string();
}

using velktest::RecordingOpener;

class ProgramTest : public ::testing::Test {
protected:
    ProgramTest() {
        VelkOptions options;
        options.simulate = true;
        options.wireRate = 0;  // no cable rate: the waiting loops end at once
        session_ = std::make_unique<CVelkSession>(options, SettingsPath());
        session_->GetDoc().GetDevConfig().SetPauses({}, {});
        auto opener = std::make_unique<RecordingOpener>();
        opener_ = opener.get();
        session_->SetItemOpener(std::move(opener));
        // A subfolder in the library's device folder, there before the tree
        // is built.
        const itempath::CItemRoots roots =
            itempath::CItemRoots::FromLibraryPath(session_->GetPreference().GetLibraryPath());
        fs::create_directories(roots.GetLibraryFolder("Brontisel S") + "/Sub");
        frame_ = session_->CreateMainWindow({"/nonexistent", ""});
        frame_->Show();
        session_->StartUp();
        list_ = frame_->GetListWindow();
        tree_ = frame_->GetTreeWindow();
    }
    ~ProgramTest() override {
        const std::string library = LibraryFolder();
        session_.reset();
        std::error_code ignored;
        fs::remove_all(library, ignored);
        fs::remove(SettingsPath(), ignored);
    }

    CVelkDoc& Doc() { return session_->GetDoc(); }
    MDevDesc* Device() { return Doc().GetDevConfig().GetDevice(0); }
    SimSynth& Synth() { return session_->GetSimulator()->Synth(); }
    std::string LibraryFolder() { return Doc().GetRoots().GetLibraryFolder("Brontisel S"); }

    // Selects the tree's node through the window, as a click does.
    void ShowFolder(const std::string& path) {
        CTreeNode* node = tree_->Model().FindNodeByPath(path);
        ASSERT_NE(node, nullptr) << path;
        tree_->SelectItem(tree_->ItemOf(node));
        ASSERT_EQ(Doc().GetCurrentPath(), path);
    }
    // Selects exactly `row` in the control, as the user does.
    void SelectRow(int row) {
        for (long i = 0; i < list_->GetItemCount(); ++i)
            list_->SetItemState(i, i == row ? wxLIST_STATE_SELECTED : 0, wxLIST_STATE_SELECTED);
        list_->SyncSelection();
    }
    int RowOfProgram(int index) {
        return list_->Model().FindItem("Program:" + Device()->FormatProgramNumber(index).value());
    }
    int RowNamed(const std::string& name) {
        for (int row = 0; row < list_->Model().RowCount(); ++row)
            if (list_->Model().Rows()[row].texts[0] == name) return row;
        return -1;
    }
    std::string Text(int row, int column) { return list_->GetItemText(row, column).utf8_string(); }
    // The point in the rows window at the middle of `row`.
    wxPoint RowPoint(int row) {
        wxRect rect;
        list_->GetItemRect(row, rect);
        const wxPoint middle(rect.x + std::min(rect.width / 2, 60), rect.y + rect.height / 2);
        return list_->GetRowsWindow()->ScreenToClient(list_->ClientToScreen(middle));
    }
    void Click(int row) {
        // The control lays its rows out at idle time and ignores clicks
        // until it has.
        wxTheApp->ProcessIdle();
        wxMouseEvent down(wxEVT_LEFT_DOWN);
        down.SetPosition(RowPoint(row));
        down.SetEventObject(list_->GetRowsWindow());
        list_->GetRowsWindow()->ProcessWindowEvent(down);
        wxMouseEvent up(wxEVT_LEFT_UP);
        up.SetPosition(RowPoint(row));
        up.SetEventObject(list_->GetRowsWindow());
        list_->GetRowsWindow()->ProcessWindowEvent(up);
        wxTheApp->ProcessPendingEvents();
    }
    void Key(wxEventType type, int code) {
        wxKeyEvent key(type);
        key.m_keyCode = code;
        key.SetEventObject(list_->GetRowsWindow());
        list_->GetRowsWindow()->ProcessWindowEvent(key);
    }
    // The program bytes the synth received, once the wire has been read.
    std::vector<std::uint8_t> ProgramChanges() {
        session_->GetSimulator()->Drain();
        return Synth().ProgramChanges();
    }
    void UseList() { frame_->SetActiveView(list_); }

    std::unique_ptr<CVelkSession> session_;
    RecordingOpener* opener_ = nullptr;
    CMainFrame* frame_ = nullptr;
    CVelkView* list_ = nullptr;
    CLeftView* tree_ = nullptr;
};

TEST_F(ProgramTest, StartUpIdentifiesTheSynthAndShowsItUnderMyDevice) {
    ASSERT_EQ(Doc().GetDevConfig().GetDeviceCount(), 1);
    const CTreeNode* device = tree_->Model().FindNodeByPath(kDevicePath);
    ASSERT_NE(device, nullptr);
    EXPECT_TRUE(tree_->ItemOf(device).IsOk());
    EXPECT_EQ(tree_->GetItemText(tree_->ItemOf(device)), "Brontisel S");
    EXPECT_EQ(Doc().GetCurrentPath(), "/My Device");
    frame_->RunCommand(ID_VIEW_DETAILS);
    ASSERT_EQ(list_->GetItemCount(), 1);
    EXPECT_EQ(Text(0, 0), "Brontisel S");
    EXPECT_EQ(Text(0, 2), "MIDI Device");
}

TEST_F(ProgramTest, ReceiveAllFillsTheListWith256ProgramsAndTheirColumns) {
    frame_->RunCommand(ID_VIEW_DETAILS);
    ShowFolder(kDevicePath);
    MDevDesc* device = Device();
    ASSERT_TRUE(device->IsDumpReceived());
    ASSERT_EQ(device->GetProgramCount(), 256);
    ASSERT_EQ(list_->GetItemCount(), 257);
    EXPECT_EQ(Text(0, 2), "Global");
    for (int index : {0, 127, 128, 255}) {
        SCOPED_TRACE(index);
        const int row = RowOfProgram(index);
        ASSERT_GE(row, 0);
        EXPECT_EQ(Text(row, 0), device->GetProgramName(index).value());
        EXPECT_EQ(Text(row, 1), device->FormatProgramNumber(index).value());
        EXPECT_EQ(Text(row, 2), "Program");
        for (int column = 0; column < 3; ++column)
            EXPECT_EQ(Text(row, 3 + column), device->GetColumnText(index, column).value_or(""));
    }
    for (int column = 0; column < 3; ++column) {
        wxListItem title;
        title.SetMask(wxLIST_MASK_TEXT);
        list_->GetColumn(3 + column, title);
        EXPECT_EQ(title.GetText().utf8_string(), device->GetColumnTitle(column));
    }
}

TEST_F(ProgramTest, ClickOnAProgramRowSendsAProgramChangeAndTheGlobalRowNone) {
    frame_->RunCommand(ID_VIEW_DETAILS);
    ShowFolder(kDevicePath);
    const std::size_t before = ProgramChanges().size();
    const int program = RowOfProgram(130);
    ASSERT_EQ(list_->RowAt(RowPoint(program)), program);
    Click(program);
    EXPECT_EQ(list_->Commands().FirstSelected(), program) << "the click selected the row";
    std::vector<std::uint8_t> changes = ProgramChanges();
    ASSERT_EQ(changes.size(), before + 1);
    EXPECT_EQ(changes.back(), 130 & 0x7F);
    EXPECT_EQ(Synth().CurrentProgram(), 130);

    // A key released while the program row is first sends it again.
    Key(wxEVT_KEY_UP, WXK_DOWN);
    EXPECT_EQ(ProgramChanges().size(), before + 2);

    const int global = list_->Model().FindItem("Global:-");
    Click(global);
    Key(wxEVT_KEY_UP, WXK_UP);
    EXPECT_EQ(ProgramChanges().size(), before + 2) << "the Global row sends nothing";
}

TEST_F(ProgramTest, CopyAProgramToTheLibraryWritesAPrgFile) {
    ShowFolder(kDevicePath);
    UseList();
    SelectRow(RowOfProgram(7));
    ASSERT_TRUE(frame_->UpdateCommand(ID_EDIT_COPY).enabled);
    EXPECT_FALSE(frame_->UpdateCommand(ID_EDIT_CUT).enabled) << "device items are copied only";
    frame_->RunCommand(ID_EDIT_COPY);

    ShowFolder(LibraryFolder());
    UseList();
    SelectRow(-1);
    ASSERT_TRUE(frame_->UpdateCommand(ID_EDIT_PASTE).enabled);
    frame_->RunCommand(ID_EDIT_PASTE);
    const std::string file = LibraryFolder() + "/" + Device()->GetProgramName(7).value() + ".prg";
    EXPECT_TRUE(fs::is_regular_file(file)) << file;
    EXPECT_GE(RowNamed(fs::path(file).filename().string()), 0) << "the list shows the new file";
}

TEST_F(ProgramTest, PastingAPrgOntoTheDeviceWritesItAfterTheConfirmation) {
    ShowFolder(kDevicePath);
    UseList();
    SelectRow(RowOfProgram(7));
    frame_->RunCommand(ID_EDIT_COPY);
    ShowFolder(LibraryFolder());
    UseList();
    SelectRow(-1);
    frame_->RunCommand(ID_EDIT_PASTE);
    const std::string name = Device()->GetProgramName(7).value() + ".prg";
    const int fileRow = RowNamed(name);
    ASSERT_GE(fileRow, 0);
    SelectRow(fileRow);
    frame_->RunCommand(ID_EDIT_COPY);

    // Paste is refused on a program row; with no row selected the device
    // list itself takes the file, into the slot the confirmation gives.
    ShowFolder(kDevicePath);
    UseList();
    SelectRow(RowOfProgram(0));
    EXPECT_FALSE(frame_->UpdateCommand(ID_EDIT_PASTE).enabled);
    SelectRow(-1);
    ASSERT_TRUE(frame_->UpdateCommand(ID_EDIT_PASTE).enabled);
    ASSERT_NE(Synth().Program(0), Synth().Program(7));
    std::string asked;
    WhenModal([&asked](wxDialog& dialog) {
        ASSERT_NE(wxDynamicCast(&dialog, CDialogOverwrite), nullptr);
        asked = dialog.GetTitle().utf8_string();
        wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
        ok.SetEventObject(dialog.FindWindow(wxID_OK));
        dialog.ProcessWindowEvent(ok);
    });
    frame_->RunCommand(ID_EDIT_PASTE);
    EXPECT_FALSE(asked.empty());
    session_->GetSimulator()->Drain();
    EXPECT_EQ(Synth().Program(0), Synth().Program(7)) << "slot 0 holds the file's program";
    EXPECT_EQ(Text(RowOfProgram(0), 0), Device()->GetProgramName(7).value());
}

TEST_F(ProgramTest, EnterAndDoubleClickOpenTheRowsEditor) {
    ShowFolder(kDevicePath);
    SelectRow(RowOfProgram(5));
    Key(wxEVT_KEY_DOWN, WXK_RETURN);
    ASSERT_EQ(opener_->opened, std::vector<std::string>{"program 5 "});

    SelectRow(list_->Model().FindItem("Global:-"));
    wxMouseEvent twice(wxEVT_LEFT_DCLICK);
    twice.SetPosition(RowPoint(list_->Commands().FirstSelected()));
    list_->GetRowsWindow()->ProcessWindowEvent(twice);
    wxTheApp->ProcessPendingEvents();
    ASSERT_EQ(opener_->opened.size(), 2u);
    EXPECT_EQ(opener_->opened[1], "global 0 ");

    // The Open command of the menu does the same.
    UseList();
    SelectRow(RowOfProgram(6));
    ASSERT_TRUE(frame_->UpdateCommand(ID_FILE_OPEN_ITEM).enabled);
    frame_->RunCommand(ID_FILE_OPEN_ITEM);
    EXPECT_EQ(opener_->opened.back(), "program 6 ");
}

TEST_F(ProgramTest, EscapeClearsTheCutMarksInBothViews) {
    ShowFolder(LibraryFolder());
    const int sub = RowNamed("Sub");
    ASSERT_GE(sub, 0);
    UseList();
    SelectRow(sub);
    frame_->RunCommand(ID_EDIT_CUT);
    const CTreeNode* node = tree_->Model().FindNodeByPath(LibraryFolder() + "/Sub");
    ASSERT_NE(node, nullptr);
    ASSERT_TRUE(list_->Model().Rows()[sub].cut);
    ASSERT_TRUE(node->cut);

    Key(wxEVT_KEY_DOWN, WXK_ESCAPE);
    wxTheApp->ProcessPendingEvents();
    EXPECT_FALSE(list_->Model().Rows()[sub].cut);
    EXPECT_FALSE(node->cut);
    EXPECT_FALSE(Doc().HasClipboardItems());
}

TEST_F(ProgramTest, MenuStatesFollowTheActiveView) {
    ShowFolder(LibraryFolder());
    const int sub = RowNamed("Sub");
    ASSERT_GE(sub, 0);
    SelectRow(sub);

    struct State {
        int id;
        bool withList;
        bool withTree;
    };
    // The tree shows the library's device folder: it cannot be deleted,
    // renamed or cut there, while the list's selected subfolder can.
    // clang-format off
    const State states[] = {
        {ID_FILE_OPEN_ITEM, true, false},   {ID_FILE_NEW_FOLDER, true, false},
        {ID_EDIT_SELECT_ALL, true, false},  {ID_FILE_DELETE, true, false},
        {ID_FILE_RENAME, true, false},      {ID_EDIT_CUT, true, false},
        {ID_FILE_EXPLORER, true, true},     {ID_MIDI_DEVICES, true, true},
    };
    // clang-format on
    UseList();
    for (const State& s : states) EXPECT_EQ(frame_->UpdateCommand(s.id).enabled, s.withList) << s.id;
    frame_->SetActiveView(tree_);
    for (const State& s : states) EXPECT_EQ(frame_->UpdateCommand(s.id).enabled, s.withTree) << s.id;

    // The menu bar's items follow.
    UseList();
    wxMenuBar* bar = frame_->GetMenuBar();
    bar->GetMenu(0)->UpdateUI(frame_);
    EXPECT_TRUE(bar->FindItem(ToWxCommandId(ID_FILE_OPEN_ITEM))->IsEnabled());
    frame_->SetActiveView(tree_);
    bar->GetMenu(0)->UpdateUI(frame_);
    EXPECT_FALSE(bar->FindItem(ToWxCommandId(ID_FILE_OPEN_ITEM))->IsEnabled());
}

TEST_F(ProgramTest, ContextMenuIsListWithARowAndList2WithNone) {
    std::vector<wxString> firsts;
    guitest::XInput input;
    const guitest::ContextMenuWatch menus(*list_, input, [&firsts](wxMenu& menu) {
        firsts.push_back(menu.FindItemByPosition(0)->GetItemLabel());
        return std::vector<unsigned long>{};
    });
    ShowFolder(kDevicePath);
    SelectRow(RowOfProgram(1));
    list_->OnContextMenu();
    SelectRow(-1);
    list_->OnContextMenu();
    ASSERT_EQ(firsts.size(), 2u);
    EXPECT_EQ(firsts[0], "&Open");
    EXPECT_EQ(firsts[1], "&View");
}

// The menu's commands come up from the list (its invoking window): the
// list's own go to the list even while the tree is the active view, the
// view styles and sorting on to the frame.
TEST_F(ProgramTest, ContextMenuCommandsReachTheListAndTheFrame) {
    ShowFolder(kDevicePath);
    SelectRow(RowOfProgram(2));
    frame_->SetActiveView(tree_);
    const auto fromList = [this](int id) {
        wxCommandEvent command(wxEVT_MENU, ToWxCommandId(id));
        command.SetEventObject(list_);
        list_->ProcessWindowEvent(command);
    };
    fromList(ID_FILE_OPEN_ITEM);
    EXPECT_EQ(opener_->opened, std::vector<std::string>{"program 2 "});
    fromList(ID_VIEW_LIST);
    EXPECT_TRUE(list_->HasFlag(wxLC_LIST));
    fromList(ID_VIEW_DETAILS);
    EXPECT_TRUE(list_->HasFlag(wxLC_REPORT));
}

TEST_F(ProgramTest, WhileALabelIsEditedTheEditCommandsWorkOnItsText) {
    ShowFolder(LibraryFolder());
    frame_->RunCommand(ID_VIEW_DETAILS);
    UseList();
    SelectRow(RowNamed("Sub"));
    ASSERT_TRUE(frame_->UpdateCommand(ID_FILE_RENAME).enabled);
    frame_->RunCommand(ID_FILE_RENAME);
    wxTextCtrl* edit = list_->GetEditControl();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->GetValue(), "Sub");
    edit->SetSelection(0, 0);
    EXPECT_FALSE(frame_->UpdateCommand(ID_EDIT_COPY).enabled) << "nothing selected in the edit";
    ASSERT_TRUE(frame_->UpdateCommand(ID_EDIT_SELECT_ALL).enabled);
    frame_->RunCommand(ID_EDIT_SELECT_ALL);
    long from = -1, to = -1;
    edit->GetSelection(&from, &to);
    EXPECT_EQ(from, 0);
    EXPECT_EQ(to, 3);
    EXPECT_TRUE(frame_->UpdateCommand(ID_EDIT_COPY).enabled);
    EXPECT_TRUE(frame_->UpdateCommand(ID_EDIT_CUT).enabled);
    list_->EndEditLabel(true);
    EXPECT_TRUE(fs::is_directory(LibraryFolder() + "/Sub")) << "cancelled: nothing renamed";
}

TEST_F(ProgramTest, FileDroppedOnAFolderRowMovesOnceTheDragHasReturned) {
    const std::string file = LibraryFolder() + "/x.prg";
    { std::ofstream(file) << "x"; }
    ShowFolder(LibraryFolder());
    frame_->RunCommand(ID_VIEW_DETAILS);
    const VelkPayload dragged{0, file + "\n"};
    const velkview::OfferedDrag drag{&dragged};
    const wxPoint onSub = RowPoint(RowNamed("Sub"));
    EXPECT_EQ(list_->DragOverAt(onSub, false, drag), wxDragMove);
    EXPECT_EQ(list_->DragOverAt(onSub, true, drag), wxDragCopy);
    ASSERT_TRUE(list_->DropAt(onSub, wxDragMove, drag));
    EXPECT_TRUE(fs::exists(file)) << "nothing moves inside the drag";
    wxTheApp->ProcessPendingEvents();
    EXPECT_FALSE(fs::exists(file));
    EXPECT_TRUE(fs::exists(LibraryFolder() + "/Sub/x.prg"));
}

TEST_F(ProgramTest, ProgressBoxShowsWhileTheDeviceIsReceived) {
    // The dump is lost, so the waiting loop pumps the events; the call it
    // runs then has the synth send the dump.
    Synth().SetFault(SimReply::AllDataDump, SimFault().WithSilence());
    wxString shown;
    wxTheApp->CallAfter([&] {
        wxWindow* box = session_->GetFrontWindow();
        EXPECT_NE(box, static_cast<wxWindow*>(frame_)) << "a transfer runs";
        shown = box->GetLabel();
        guitest::SaveShot(*box, "program-progress-box");
        Synth().ClearFaults();
        Synth().SendAllData();
    });
    ShowFolder(kDevicePath);  // the fill receives everything first
    EXPECT_EQ(shown, "MIDI Transfering ...");
    EXPECT_EQ(list_->GetItemCount(), 257);
}

TEST_F(ProgramTest, PortDialogFromTheSettingMenuCancelledKeepsTheDevice) {
    ShowFolder(kDevicePath);
    frame_->RunCommand(ID_VIEW_DETAILS);
    guitest::SaveShot(*frame_, "program-explorer-received");
    const MDevDesc* device = Device();
    WhenModal([this](wxDialog& dialog) {
        EXPECT_NE(wxDynamicCast(&dialog, CDialogDevice), nullptr);
        EXPECT_EQ(dialog.GetParent(), static_cast<wxWindow*>(frame_));
        guitest::SaveShot(dialog, "program-port-dialog");
        dialog.EndModal(wxID_CANCEL);
    });
    frame_->RunCommand(ID_MIDI_DEVICES);
    EXPECT_EQ(Device(), device);
    EXPECT_EQ(Doc().GetCurrentPath(), kDevicePath);
    EXPECT_EQ(list_->GetItemCount(), 257);
}

}  // namespace
