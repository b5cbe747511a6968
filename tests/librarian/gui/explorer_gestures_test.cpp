// The explorer as a person uses it: the whole program on the simulated
// Brontisel S under a real window manager (openbox), driven by the pointer
// and the keys through the X server (XTest), with close and minimise
// requests as a window manager sends and honours them. Each test is a fault
// met that way: a rename landing on another item, a crash under an open
// edit, a drag the drop targets refused, a key that ran a greyed command,
// two menus for one click, a close lost during a transfer, a progress box
// that took the program off the screen, and the smaller deviations.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <wx/app.h>
#include <wx/menu.h>
#include <wx/settings.h>
#include <wx/spinbutt.h>
#include <wx/textctrl.h>
#include <wx/weakref.h>

#include <X11/keysym.h>

#include "device/MDevConfig.h"
#include "device/MDevDesc.h"
#include "librarian/CVelkDoc.h"
#include "uiservices/wx/CDialogOverwrite.h"
#include "librarian/wx/CLeftView.h"
#include "librarian/wx/CVelkSession.h"
#include "librarian/wx/CVelkView.h"
#include "librarian/wx/CWxClipboard.h"
#include "resources/VelkCommandIds.h"
#include "resources/wx/VelkMenuBuilder.h"
#include "simulator/SimSynthOnLoopback.h"
#include "tests/guitest/RealInput.h"
#include "tests/support/RecordingOpener.h"
#include "tests/support/TempDir.h"

namespace {

using namespace velk;
using namespace std::chrono_literals;
using guitest::Settle;
using guitest::Steps;
using guitest::Until;
using guitest::XInput;
namespace fs = std::filesystem;

constexpr const char* kDevice = "Brontisel S";
constexpr const char* kDevicePath = "/My Device/Brontisel S";

std::string SettingsPath() {
    return (fs::path(std::getenv("XDG_CONFIG_HOME")) / "velk-gestures-test.conf").string();
}

class ExplorerGestures : public ::testing::Test {
protected:
    ExplorerGestures() {
        EXPECT_TRUE(wm_.IsRunning());
        VelkOptions options;
        options.simulate = true;
        options.wireRate = 0;  // no cable rate: transfers end at once
        session_ = std::make_unique<CVelkSession>(options, SettingsPath());
        session_->GetDoc().GetDevConfig().SetPauses({}, {});
        session_->SetItemOpener(std::make_unique<velktest::RecordingOpener>());
    }
    ~ExplorerGestures() override {
        dialogs_.answer = {};  // it may refer to a test's locals
        const std::string library = session_->GetPreference().GetLibraryPath();
        session_.reset();
        Settle();
        std::error_code ignored;
        fs::remove_all(library, ignored);
        fs::remove(SettingsPath(), ignored);
    }

    // The library's folders as the test needs them, then the window, shown
    // and managed by the window manager, and the device detected.
    void Start(const std::function<void()>& makeFiles = {}) {
        const itempath::CItemRoots roots =
            itempath::CItemRoots::FromLibraryPath(session_->GetPreference().GetLibraryPath());
        library_ = roots.GetLibraryFolder(kDevice);
        setup_ = roots.GetSetupFolder(kDevice);
        fs::create_directories(library_);
        fs::create_directories(setup_);
        if (makeFiles) makeFiles();
        frame_ = session_->CreateMainWindow({"/nonexistent", ""});
        frame_->Move(0, 0);
        frame_->Show();
        guitest::RunInLoop([this] { session_->StartUp(); });
        list_ = frame_->GetListWindow();
        tree_ = frame_->GetTreeWindow();
        listMenus_ = std::make_unique<guitest::ContextMenuWatch>(
            *list_, input_, [this](wxMenu& menu) { return Shown(menu); });
        treeMenus_ = std::make_unique<guitest::ContextMenuWatch>(
            *tree_, input_, [this](wxMenu& menu) { return Shown(menu); });
        // Managed by the window manager, which gives it the focus.
        ASSERT_TRUE(Until([this] {
            return frame_->IsShownOnScreen() && guitest::WmStateOf(*frame_) == 1 && frame_->IsActive();
        }));
        Settle();
    }

    CVelkDoc& Doc() { return session_->GetDoc(); }
    // The view the menu bar and the keys act on, once the focus has moved.
    bool IsActive(wxWindow* view) {
        return Until([this, view] { return frame_->GetActiveView() == view; }, 5s);
    }
    MDevDesc* Device() { return Doc().GetDevConfig().GetDevice(0); }
    SimSynth& Synth() { return session_->GetSimulator()->Synth(); }

    // Every menu pops up for real; the keys a person presses in it follow:
    // the keys set for it, else Escape.
    std::vector<unsigned long> Shown(wxMenu& menu) {
        menus_.push_back(menu.FindItemByPosition(0)->GetItemLabel().utf8_string());
        std::vector<unsigned long> keys = std::move(chooseFromMenu_);
        chooseFromMenu_.clear();
        return keys;
    }

    // Selects the device in the tree: its data are received under the
    // progress box, and `during` runs inside that transfer's waiting loop
    // (the synth holds its dump until `during` is done).
    void ReceiveWhile(std::function<void()> during) {
        Synth().SetFault(SimReply::AllDataDump, SimFault().WithSilence());
        guitest::RunInLoop([&] {
            wxTheApp->CallAfter([&] {
                during();
                Synth().ClearFaults();
                Synth().SendAllData();
            });
            tree_->Model().Select(tree_->Model().FindNodeByPath(kDevicePath));
        });
    }

    // ------------------------------------------------------------ places

    wxTreeItemId Item(const std::string& path) {
        CTreeNode* node = tree_->Model().FindNodeByPath(path);
        EXPECT_NE(node, nullptr) << path;
        return tree_->ItemOf(node);
    }
    // The middle of a node's label.
    wxPoint NodeLabel(const std::string& path) {
        wxRect rect;
        EXPECT_TRUE(tree_->GetBoundingRect(Item(path), rect, true)) << path;
        return tree_->ClientToScreen(rect.GetPosition() + wxSize(rect.width / 2, rect.height / 2));
    }
    // The empty right end of a node's row, beyond its label.
    wxPoint NodeRowEnd(const std::string& path) {
        wxRect rect;
        EXPECT_TRUE(tree_->GetBoundingRect(Item(path), rect, true)) << path;
        return tree_->ClientToScreen(wxPoint(tree_->GetClientSize().x - 12, rect.y + rect.height / 2));
    }
    int RowNamed(const std::string& name) {
        for (int row = 0; row < list_->Model().RowCount(); ++row)
            if (list_->Model().Rows()[row].texts[0] == name) return row;
        return -1;
    }
    // A point on the row's name (in the icon styles on its icon: wx gives
    // the label's rectangle there as the whole cell, whose margins take no
    // click).
    wxPoint RowLabel(int row) {
        wxRect rect;
        if (!list_->InReportView()) {
            EXPECT_TRUE(list_->GetItemRect(row, rect, wxLIST_RECT_ICON)) << row;
            return list_->ClientToScreen(rect.GetPosition() + rect.GetSize() / 2);
        }
        EXPECT_TRUE(list_->GetItemRect(row, rect, wxLIST_RECT_LABEL)) << row;
        return list_->ClientToScreen(
            wxPoint(rect.x + std::min(rect.width / 2, 30), rect.y + rect.height / 2));
    }
    wxPoint RowNamedLabel(const std::string& name) {
        const int row = RowNamed(name);
        EXPECT_GE(row, 0) << name;
        return RowLabel(row);
    }
    // A point of the list on no row: near its lower right corner, else the
    // nearest one up or to the left (a device's programs as icons fill the
    // whole list but for the gaps between them).
    wxPoint ListEmptySpace() {
        const wxSize size = list_->GetClientSize();
        for (int up = 40; up < size.y; up += 4)
            for (int left = 40; left < size.x; left += 4) {
                const wxPoint point(size.x - left, size.y - up);
                int flags = 0;
                if (list_->HitTest(point, flags) == wxNOT_FOUND) return list_->ClientToScreen(point);
            }
        ADD_FAILURE() << "the list has no empty space";
        return list_->ClientToScreen(wxPoint(size.x - 40, size.y - 40));
    }
    // A point of the tree below every node.
    wxPoint TreeEmptySpace() {
        const wxSize size = tree_->GetClientSize();
        return tree_->ClientToScreen(wxPoint(size.x / 2, size.y - 30));
    }

    // ------------------------------------------------------------ gestures

    // The windows are settled first: wx's list ignores clicks until it has
    // laid out rows it was just given.
    void Click(const wxPoint& where, XInput::Button button = XInput::kLeft) {
        Settle();
        input_.Click(where, button);
        Settle();
    }
    // A click on a node, once the list shows that node's folder.
    void ClickNode(const std::string& path) {
        Click(NodeLabel(path));
        ASSERT_TRUE(Until([&] { return Doc().GetCurrentPath() == path; })) << path;
        Settle();
    }
    // A click on a node and the Right key: the node opens.
    void ExpandNode(const std::string& path) {
        ClickNode(path);
        input_.Tap(XK_Right);
        const CTreeNode* node = tree_->Model().FindNodeByPath(path);
        ASSERT_TRUE(Until([node] { return node->expanded; })) << path;
        Settle();
    }
    // A click on a row and File > Rename from the keyboard (Alt+F, M): the
    // row's name opens for editing. (The list's own slow second click does
    // the same; in a test process wx's list often ignores it.)
    void OpenNameOf(const std::string& rowName) {
        Click(RowNamedLabel(rowName));
        ASSERT_TRUE(Until([&] {
            const int row = RowNamed(rowName);
            return row >= 0 && list_->GetItemState(row, wxLIST_STATE_SELECTED) != 0;
        }));
        ASSERT_TRUE(IsActive(list_));
        input_.Key(XK_Alt_L, true);
        input_.Tap(XK_f);
        input_.Key(XK_Alt_L, false);
        ASSERT_TRUE(Until([] { return guitest::ShownMenuCount() > 0; })) << "no File menu";
        input_.Tap(XK_m);
        ASSERT_TRUE(Until([this] { return list_->GetEditControl() != nullptr; })) << "Rename opened no edit";
        Settle();
    }
    // Types into the open label edit.
    void TypeIntoEdit(const std::string& text) {
        ASSERT_NE(list_->GetEditControl(), nullptr);
        input_.Type(text);
        ASSERT_TRUE(Until([&] {
            wxTextCtrl* edit = list_->GetEditControl();
            return edit != nullptr && edit->GetValue().utf8_string() == text;
        })) << "typed "
            << text;
    }
    // The list's rows window has seen the key up of what was typed last:
    // every key before it was handled too.
    void AfterKeys(const std::function<void()> type) {
        // The keys go where the focus is: the list, once it has it.
        ASSERT_TRUE(Until(
            [this] {
                for (wxWindow* w = wxWindow::FindFocus(); w != nullptr; w = w->GetParent())
                    if (w == list_) return true;
                return false;
            },
            10s))
            << "the list does not have the focus";
        int ups = 0;
        auto count = [&ups](wxKeyEvent& event) {
            ++ups;
            event.Skip();
        };
        list_->GetRowsWindow()->Bind(wxEVT_KEY_UP, count);
        type();
        input_.Tap(XK_Shift_L);
        EXPECT_TRUE(Until([&] { return ups > 0 && !wxGetKeyState(WXK_SHIFT); }));
        Settle();
        list_->GetRowsWindow()->Unbind(wxEVT_KEY_UP, count);
    }
    // Presses on `from`, moves until a drag of ours runs, moves to `to`,
    // stays there until `over` (if given) holds, and releases.
    void Drag(const wxPoint& from, const wxPoint& to, std::function<bool()> over = {}) {
        Settle();
        Steps steps;
        steps.Do([&] { input_.MoveTo(from); }).Do([&] { input_.Press(); });
        // Small moves that stay on the item pressed, until the view starts
        // the drag (it counts a few moves; GTK may merge moves that come
        // close together).
        int wiggle = 0;
        steps.Wait([&] {
            if (CWxClipboard::GetDragPayload() != nullptr) return true;
            input_.MoveTo(from + wxSize(++wiggle % 2 == 0 ? 2 : 5, 0));
            return false;
        });
        for (int i = 1; i <= 8; ++i)
            steps.Do(
                [&, i] { input_.MoveTo(from + wxSize((to.x - from.x) * i / 8, (to.y - from.y) * i / 8)); });
        steps.Do([&] { input_.MoveTo(to + wxSize(1, 0)); }).Do([&] { input_.MoveTo(to); });
        if (over) steps.Wait(over, 10s);
        steps.Do([&] { input_.Release(); });
        steps.OnFailure([&] { input_.Release(); });
        steps.Start();
        EXPECT_TRUE(Until([&] { return steps.Done() && CWxClipboard::GetDragPayload() == nullptr; }))
            << "the drag did not end";
        EXPECT_FALSE(steps.Failed());
        Settle();
    }

    // A window manager, as a person has one: it gives the windows the
    // focus (the list starts a rename on a slow click only with the focus),
    // and minimises.
    guitest::WindowManager wm_;
    std::unique_ptr<CVelkSession> session_;
    CMainFrame* frame_ = nullptr;
    CVelkView* list_ = nullptr;
    CLeftView* tree_ = nullptr;
    std::string library_;
    std::string setup_;
    XInput input_;
    guitest::ModalWatch dialogs_;
    // The first item of each menu shown.
    std::vector<std::string> menus_;
    // Keys for the next menu shown.
    std::vector<unsigned long> chooseFromMenu_;
    std::unique_ptr<guitest::ContextMenuWatch> listMenus_;
    std::unique_ptr<guitest::ContextMenuWatch> treeMenus_;
    // A gesture in a dialog the program opened (`dialogs_.answer`).
    std::unique_ptr<Steps> dialogSteps_;
    int minimised_ = 0;  // minimise notices of the windows watched
};

// ---------------------------------------------------------------- renames

// The edit of a new folder's name ends when another folder of the tree is
// clicked: the name goes to the new folder, not to a row of the folder
// clicked.
TEST_F(ExplorerGestures, NewFolderNamedThenAClickOnAnotherTreeFolderRenamesTheNewFolder) {
    Start([this] {
        fs::create_directories(library_ + "/Alpha/First");
        fs::create_directories(library_ + "/Beta");
    });
    ExpandNode(library_);
    Click(ListEmptySpace());         // the list has the focus
    chooseFromMenu_ = {XK_n, XK_f};  // New > New Folder
    Click(ListEmptySpace(), XInput::kRight);
    ASSERT_TRUE(Until([this] { return list_->GetEditControl() != nullptr; })) << "New Folder opened no edit";
    ASSERT_TRUE(fs::is_directory(library_ + "/New Folder"));
    TypeIntoEdit("Drums");

    ClickNode(library_ + "/Alpha");
    ASSERT_TRUE(Until([this] { return list_->GetEditControl() == nullptr; }));
    Settle();
    EXPECT_TRUE(fs::is_directory(library_ + "/Drums"));
    EXPECT_FALSE(fs::exists(library_ + "/New Folder"));
    EXPECT_TRUE(fs::is_directory(library_ + "/Alpha/First")) << "a row of the folder clicked";
    EXPECT_FALSE(fs::exists(library_ + "/Alpha/Drums"));
    EXPECT_EQ(dialogs_.seen, std::vector<std::string>{});
}

// A library file's edit ends when the device is clicked in the tree: the
// file is renamed, no program of the synth.
TEST_F(ExplorerGestures, LibraryFileRenamedThenAClickOnTheDeviceRenamesTheFileNotAProgram) {
    Start([this] {
        for (const char* name : {"Bass.prg", "Keys.prg", "Pad.prg"})
            velktest::WriteText(library_ + "/" + name, "x");
    });
    ClickNode(library_);
    OpenNameOf("Pad.prg");
    TypeIntoEdit("Lead");
    std::vector<SimProgramRecord> programs;
    for (int i = 0; i < 256; ++i) programs.push_back(Synth().Program(i));

    ClickNode(kDevicePath);
    ASSERT_TRUE(Until([this] { return list_->GetEditControl() == nullptr; }));
    session_->GetSimulator()->Drain();
    Settle();
    EXPECT_TRUE(fs::exists(library_ + "/Lead.prg"));
    EXPECT_FALSE(fs::exists(library_ + "/Pad.prg"));
    for (int i = 0; i < 256; ++i) EXPECT_EQ(Synth().Program(i), programs[i]) << "program " << i;
    EXPECT_EQ(dialogs_.seen, std::vector<std::string>{});
}

// A click on a column header re-sorts the rows under the open edit; the
// name still goes to the row that was being edited.
TEST_F(ExplorerGestures, ColumnHeaderClickDuringARenameKeepsTheNameOnTheEditedRow) {
    Start([this] {
        for (const char* name : {"Alpha", "Beta", "Gamma"}) fs::create_directories(library_ + "/" + name);
    });
    ClickNode(library_);
    frame_->RunCommand(ID_VIEW_DETAILS);
    Settle();
    OpenNameOf("Alpha");
    TypeIntoEdit("Zeta");

    // The header of the Name column, which sorts already: a click on it
    // sorts downwards.
    wxWindow* header = nullptr;
    for (wxWindow* child : list_->GetChildren())
        if (child != list_->GetRowsWindow()) header = child;
    ASSERT_NE(header, nullptr);
    Click(header->ClientToScreen(wxPoint(40, header->GetClientSize().y / 2)));
    ASSERT_TRUE(Until([this] { return list_->Model().Rows().front().texts[0] != "Alpha"; }))
        << "the header click sorted nothing";
    // Whoever still sees the edit confirms it.
    if (list_->GetEditControl() != nullptr) input_.Tap(XK_Return);
    ASSERT_TRUE(Until([this] { return list_->GetEditControl() == nullptr; }));
    Settle();
    EXPECT_TRUE(fs::is_directory(library_ + "/Zeta"));
    EXPECT_FALSE(fs::exists(library_ + "/Alpha"));
    EXPECT_TRUE(fs::is_directory(library_ + "/Beta"));
    EXPECT_TRUE(fs::is_directory(library_ + "/Gamma"));
}

// A setup file's name is open for editing; a click on the device refills
// the list: no edit is left over the Global row and nothing is written to
// the device.
TEST_F(ExplorerGestures, SetupFileNameOpenThenAClickOnTheDeviceLeavesNoEditAndWritesNothing) {
    Start([this] { velktest::WriteText(setup_ + "/Gig.set", "x"); });
    ClickNode(setup_);
    OpenNameOf("Gig.set");

    ClickNode(kDevicePath);
    ASSERT_TRUE(Until([this] { return list_->GetEditControl() == nullptr; }))
        << "an edit is left over the device's rows";
    session_->GetSimulator()->Drain();
    Settle();
    EXPECT_TRUE(fs::exists(setup_ + "/Gig.set"));
    EXPECT_EQ(dialogs_.seen, std::vector<std::string>{});
}

// The edited row lies beyond the rows of the folder clicked next: ending
// the edit must not reach for a row that is gone (it crashed).
TEST_F(ExplorerGestures, ClickOnAnotherTreeNodeDuringAListRenameEndsTheEditSafely) {
    Start([this] {
        for (const char* name : {"a.prg", "b.prg", "c.prg"}) velktest::WriteText(library_ + "/" + name, "x");
        fs::create_directories(library_ + "/Empty");
    });
    ExpandNode(library_);
    OpenNameOf("c.prg");
    TypeIntoEdit("d");

    ClickNode(library_ + "/Empty");
    ASSERT_TRUE(Until([this] { return list_->GetEditControl() == nullptr; }));
    Settle();
    EXPECT_TRUE(fs::exists(library_ + "/d.prg"));
    EXPECT_FALSE(fs::exists(library_ + "/c.prg"));
    EXPECT_EQ(list_->GetItemCount(), 0);
}

// ---------------------------------------------------------------- drag and drop

// The device's items can only be copied: a drag of them without Ctrl over a
// folder must be answered with a copy, or GTK refuses the drop. From either
// view; no drop highlight stays behind.
TEST_F(ExplorerGestures, CopyOnlyDragFromTheDeviceDropsWithoutCtrl) {
    Start();
    frame_->RunCommand(ID_VIEW_DETAILS);
    ClickNode(kDevicePath);
    const int program = list_->Model().FindItem("Program:" + Device()->FormatProgramNumber(5).value());
    ASSERT_GE(program, 0);
    const std::string name = Device()->GetProgramName(5).value();

    // A program row of the list onto the library's device folder in the tree.
    Drag(RowLabel(program), NodeLabel(library_),
         [&] { return tree_->Model().GetDropHighlight() != nullptr; });
    ASSERT_TRUE(Until([&] { return fs::exists(library_ + "/" + name + ".prg"); }))
        << "the drop of the program was refused";
    EXPECT_EQ(tree_->Model().GetDropHighlight(), nullptr);

    // The device node of the tree onto the setup's device folder, in the
    // tree too (a press on a node selects it, so the list then shows the
    // device; the list takes the same rule, see the list's tests).
    const CTreeNode* setupFolder = tree_->Model().FindNodeByPath(setup_);
    Drag(NodeLabel(kDevicePath), NodeLabel(setup_),
         [&] { return tree_->Model().GetDropHighlight() == setupFolder; });
    ASSERT_TRUE(Until([&] {
        for (const auto& entry : fs::directory_iterator(setup_))
            if (entry.path().extension() == ".set") return true;
        return false;
    })) << "the drop of the device was refused";
    EXPECT_EQ(tree_->Model().GetDropHighlight(), nullptr);
    EXPECT_EQ(dialogs_.seen, std::vector<std::string>{});
}

// A drop and the hover expansion take the whole row of a node, not only
// its label.
TEST_F(ExplorerGestures, DropAndHoverExpandWorkOverTheWholeTreeRow) {
    Start([this] {
        for (const char* name : {"Bass.prg", "Keys.prg"}) velktest::WriteText(library_ + "/" + name, "x");
        fs::create_directories(library_ + "/Alpha/Inner");
        fs::create_directories(library_ + "/Beta");
    });
    ExpandNode(library_);
    const CTreeNode* alpha = tree_->Model().FindNodeByPath(library_ + "/Alpha");
    const CTreeNode* beta = tree_->Model().FindNodeByPath(library_ + "/Beta");
    ASSERT_NE(alpha, nullptr);
    ASSERT_NE(beta, nullptr);
    ASSERT_FALSE(alpha->expanded);
    frame_->RunCommand(ID_VIEW_DETAILS);
    Settle();

    // Dropped on the empty end of Beta's row: moved into Beta.
    Drag(RowNamedLabel("Bass.prg"), NodeRowEnd(library_ + "/Beta"),
         [&] { return tree_->Model().GetDropHighlight() == beta; });
    EXPECT_TRUE(Until([this] { return fs::exists(library_ + "/Beta/Bass.prg"); }, 10s))
        << "the drop beside the label was refused";

    // Held over the empty end of Alpha's row: Alpha opens, and takes the drop.
    Drag(RowNamedLabel("Keys.prg"), NodeRowEnd(library_ + "/Alpha"), [&] { return alpha->expanded; });
    EXPECT_TRUE(alpha->expanded) << "hovering beside the label opened nothing";
    EXPECT_TRUE(Until([this] { return fs::exists(library_ + "/Alpha/Keys.prg"); }, 10s));
}

// ---------------------------------------------------------------- keys and menus

// Ctrl+V with a program row selected: Edit > Paste is greyed, so the key
// pastes nothing either (it wrote the file onto the device).
TEST_F(ExplorerGestures, CtrlVDoesNothingWhileEditPasteIsGreyed) {
    Start([this] { velktest::WriteText(library_ + "/Bass.prg", "x"); });
    ClickNode(library_);
    Click(RowNamedLabel("Bass.prg"));
    AfterKeys([this] { input_.Tap(XK_c, true); });
    ASSERT_TRUE(Doc().HasClipboardItems());

    ClickNode(kDevicePath);
    const int program = list_->Model().FindItem("Program:" + Device()->FormatProgramNumber(3).value());
    Click(RowLabel(program));
    ASSERT_TRUE(IsActive(list_));
    ASSERT_FALSE(frame_->UpdateCommand(ID_EDIT_PASTE).enabled);
    wxMenuBar* bar = frame_->GetMenuBar();
    bar->GetMenu(1)->UpdateUI(frame_);
    ASSERT_FALSE(bar->FindItem(ToWxCommandId(ID_EDIT_PASTE))->IsEnabled());

    AfterKeys([this] { input_.Tap(XK_v, true); });
    EXPECT_EQ(dialogs_.seen, std::vector<std::string>{}) << "the key ran the paste";
    EXPECT_TRUE(Doc().HasClipboardItems()) << "a paste empties the clipboard";
}

// The first right click after a fill, on a row not yet selected: one menu,
// the one for a selected row. On the empty space: one menu, the one for no
// selected row, also when a row was selected before.
TEST_F(ExplorerGestures, OneRightClickShowsOneMenuTheOneForWhatWasClicked) {
    Start([this] {
        for (const char* name : {"Bass.prg", "Keys.prg"}) velktest::WriteText(library_ + "/" + name, "x");
    });
    struct Case {
        const char* where;  // a row, or "" for the empty space
        const char* selectedBefore;
        const char* firstItem;
    };
    const Case cases[] = {{"Keys.prg", "", "&Open"}, {"", "", "&View"}, {"", "Bass.prg", "&View"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.where) + " after " + c.selectedBefore);
        ClickNode(Doc().GetRoots().library);  // away and back: a fresh fill
        ClickNode(library_);
        if (*c.selectedBefore) Click(RowNamedLabel(c.selectedBefore));
        menus_.clear();
        Click(*c.where ? RowNamedLabel(c.where) : ListEmptySpace(), XInput::kRight);
        ASSERT_TRUE(Until([this] { return !menus_.empty(); }));
        Settle();  // a second menu would follow at once
        EXPECT_EQ(menus_, std::vector<std::string>{c.firstItem});
    }
}

// New Folder from the list's menu while the tree has the focus: the new
// folder's name is open for typing.
TEST_F(ExplorerGestures, NewFolderFromTheListMenuWhileTheTreeHasTheFocusOpensItsName) {
    Start();
    ClickNode(library_);
    ASSERT_TRUE(IsActive(tree_));
    chooseFromMenu_ = {XK_n, XK_f};
    Click(ListEmptySpace(), XInput::kRight);
    ASSERT_TRUE(Until([this] { return fs::is_directory(library_ + "/New Folder"); }));
    ASSERT_TRUE(Until([this] { return list_->GetEditControl() != nullptr; }, 5s))
        << "the new folder's name is not open for typing";
    TypeIntoEdit("Drums");
    input_.Tap(XK_Return);
    ASSERT_TRUE(Until([this] { return fs::is_directory(library_ + "/Drums"); }));
}

// A right click on the tree's empty space shows the tree's menu; a right
// click on a node makes the tree the view the menu bar and keys act on.
TEST_F(ExplorerGestures, RightClicksOnTheTreeShowItsMenuAndMakeItTheActiveView) {
    Start([this] { fs::create_directories(library_ + "/Alpha"); });
    ExpandNode(library_);
    Click(ListEmptySpace());
    ASSERT_TRUE(IsActive(list_));

    menus_.clear();
    Click(NodeLabel(library_ + "/Alpha"), XInput::kRight);
    ASSERT_TRUE(Until([this] { return !menus_.empty(); }));
    Settle();
    EXPECT_EQ(menus_, std::vector<std::string>{"E&xpand"});
    EXPECT_EQ(Doc().GetCurrentPath(), library_ + "/Alpha");
    EXPECT_TRUE(IsActive(tree_));

    menus_.clear();
    Click(TreeEmptySpace(), XInput::kRight);
    ASSERT_TRUE(Until([this] { return !menus_.empty(); }, 5s)) << "no menu on the empty space";
    Settle();
    EXPECT_EQ(menus_, std::vector<std::string>{"E&xpand"});
}

// The view styles exclude each other: radio items, in the menu bar and in
// the list's menu.
TEST_F(ExplorerGestures, ViewStyleItemsAreRadioItems) {
    Start();
    std::unique_ptr<wxMenu> listMenu = BuildVelkMenu(VelkListNoSelectionContextMenu());
    for (int id : {ID_VIEW_LARGEICON, ID_VIEW_SMALLICON, ID_VIEW_LIST, ID_VIEW_DETAILS}) {
        EXPECT_EQ(frame_->GetMenuBar()->FindItem(ToWxCommandId(id))->GetKind(), wxITEM_RADIO) << id;
        EXPECT_EQ(listMenu->FindItem(ToWxCommandId(id))->GetKind(), wxITEM_RADIO) << id;
    }
    for (int id : {ID_SORT_BY_NAME, ID_VIEW_TOOLBAR})
        EXPECT_EQ(frame_->GetMenuBar()->FindItem(ToWxCommandId(id))->GetKind(), wxITEM_CHECK) << id;
}

// Enter in the write confirmation's slot spinner presses OK: the file goes
// into the slot chosen.
TEST_F(ExplorerGestures, EnterInTheSlotSpinnerPressesOk) {
    Start();
    // A program of the device as a file of the library.
    ClickNode(kDevicePath);
    const int source = list_->Model().FindItem("Program:" + Device()->FormatProgramNumber(7).value());
    Click(RowLabel(source));
    AfterKeys([this] { input_.Tap(XK_c, true); });
    ClickNode(library_);
    Click(ListEmptySpace());
    AfterKeys([this] { input_.Tap(XK_v, true); });
    const std::string file = Device()->GetProgramName(7).value() + ".prg";
    ASSERT_TRUE(Until([&] { return RowNamed(file) >= 0; }));
    Click(RowNamedLabel(file));
    AfterKeys([this] { input_.Tap(XK_c, true); });

    ClickNode(kDevicePath);
    Click(ListEmptySpace());
    const SimProgramRecord before = Synth().Program(1);
    ASSERT_NE(before, Synth().Program(7));
    bool answered = false;
    dialogSteps_ = std::make_unique<Steps>();
    dialogs_.answer = [this, &answered](wxDialog& dialog) {
        wxWeakRef<wxSpinButton> spin =
            dynamic_cast<wxSpinButton*>(dialog.FindWindow(CDialogOverwrite::kIdTargetSpin));
        if (!spin) return false;
        answered = true;
        // Once the window manager has shown it and given it the focus: a
        // click on the spinner's "+" (GTK draws a "-" and a "+" side by
        // side), then Enter.
        wxWeakRef<wxDialog> shown(&dialog);
        dialogSteps_->Wait([shown] { return shown && shown->IsActive(); })
            .Do([this, spin] {
                if (!spin) return;
                const wxRect rect = spin->GetScreenRect();
                input_.Click(rect.GetPosition() + wxSize(rect.width * 3 / 4, rect.height / 2));
            })
            .Wait([spin] { return !spin || spin->GetValue() == 1; })
            .Do([this] { input_.Tap(XK_Return); });
        dialogSteps_->Start();
        return true;
    };
    input_.Tap(XK_v, true);
    ASSERT_TRUE(Until([&] { return answered; })) << "no confirmation was asked";
    ASSERT_TRUE(Until([this] { return !dynamic_cast<CDialogOverwrite*>(session_->GetFrontWindow()); }, 10s))
        << "Enter left the confirmation open";
    session_->GetSimulator()->Drain();
    EXPECT_EQ(Synth().Program(1), Synth().Program(7)) << "slot A.12 holds the file's program";
}

// ---------------------------------------------------------------- transfers

// The window manager's close request while the device is received: the
// window stays while the transfer needs it and closes once it is over.
TEST_F(ExplorerGestures, WindowManagerCloseDuringATransferClosesTheWindowOnceItIsOver) {
    Start();
    bool asked = false;
    bool pendingSeen = false;
    ReceiveWhile([&] {
        ASSERT_TRUE(Doc().IsTransferRunning());
        ASSERT_FALSE(frame_->IsEnabled()) << "the progress box disables the window";
        guitest::SendCloseRequest(*frame_);
        asked = true;
        pendingSeen = Until([&] { return frame_->IsClosePending(); }, 10s);
    });
    ASSERT_TRUE(asked);
    EXPECT_TRUE(pendingSeen) << "the close request was lost";
    EXPECT_TRUE(Device()->IsDumpReceived()) << "the transfer ran to its end";
    EXPECT_TRUE(Until([this] { return session_->GetMainWindow() == nullptr; }, 10s))
        << "the window did not close after the transfer";
}

// A progress box minimised through the window manager (openbox takes the
// main window with it): the program comes back at once, it does not
// vanish for the rest of the transfer.
TEST_F(ExplorerGestures, MinimisedProgressBoxLeavesTheProgramOnTheScreen) {
    Start();
    bool tried = false;
    bool cameBack = false;
    ReceiveWhile([&] {
        auto* box = dynamic_cast<wxTopLevelWindow*>(session_->GetFrontWindow());
        ASSERT_NE(box, static_cast<wxTopLevelWindow*>(frame_));
        ASSERT_TRUE(Until([&] { return guitest::WmStateOf(*box) == 1; }, 10s));
        for (wxTopLevelWindow* window : {box, static_cast<wxTopLevelWindow*>(frame_)})
            window->Bind(wxEVT_ICONIZE, [this](wxIconizeEvent& event) {
                if (event.IsIconized()) ++minimised_;
                event.Skip();
            });
        guitest::RequestMinimise(*box);
        tried = Until([&] { return minimised_ > 0; }, 10s);
        cameBack = Until(
            [&] {
                return guitest::WmStateOf(*box) == 1 && guitest::WmStateOf(*frame_) == 1 &&
                       !box->IsIconized() && !frame_->IsIconized();
            },
            10s);
    });
    ASSERT_TRUE(tried) << "the window manager minimised nothing";
    EXPECT_TRUE(cameBack) << "the program stayed off the screen";
    EXPECT_TRUE(Device()->IsDumpReceived());
}

}  // namespace
