// The tree and the list on real windows, in a plain frame with a splitter
// (tree 200 px on the left, list on the right), on the document of the
// simulated synth. With $VELK_SHOTS_DIR set the frame is also saved as PNGs
// for people to look at.

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/imaglist.h>
#include <wx/menu.h>
#include <wx/splitter.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "../DocRig.h"
#include "librarian/wx/CLeftView.h"
#include "librarian/wx/CVelkView.h"
#include "resources/wx/VelkArt.h"
#include "resources/wx/VelkMenuBuilder.h"
#include "tests/guitest/RealInput.h"
#include "tests/guitest/SaveShot.h"
#include "tests/support/FakeLauncher.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

class ViewsFrame {
public:
    explicit ViewsFrame(wxSize size = wxSize(900, 520)) : rig(SimModel::BrontiselS) {
        frame = new wxFrame(nullptr, wxID_ANY, "Views", wxPoint(0, 0), size);
        auto* splitter = new wxSplitterWindow(frame, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                              wxSP_3D | wxSP_LIVE_UPDATE);
        tree = new CLeftView(splitter, rig.Doc(), rig.ui_, launcher);
        list = new CVelkView(splitter, rig.Doc(), rig.preference_);
        splitter->SplitVertically(tree, list, 200);
        frame->Show();
    }
    ~ViewsFrame() {
        // The views go before the document they are registered with.
        tree->Destroy();
        list->Destroy();
        frame->Destroy();
        for (int i = 0; i < 5; ++i) wxTheApp->Yield(true);
    }

    void Start() {
        tree->InitialUpdate();
        list->InitialUpdate();
    }
    void Select(const std::string& path) {
        CTreeNode* node = tree->Model().FindNodeByPath(path);
        ASSERT_NE(node, nullptr) << path;
        tree->Model().Select(node);
    }
    std::string Text(int row, int column) const { return list->GetItemText(row, column).utf8_string(); }
    std::string DeviceFolder(const char* root) const { return rig.Library() + "/" + root + "/Brontisel S"; }

    void Paint() {
        frame->Layout();
        frame->Refresh();
        frame->Update();
        for (int i = 0; i < 20; ++i) wxTheApp->Yield(true);
    }
    void Shot(const std::string& name) {
        Paint();
        const char* dir = std::getenv("VELK_SHOTS_DIR");
        if (dir == nullptr || *dir == '\0') return;
        // GTK draws on its frame clock: only a picture for people waits for it.
        for (const auto end = Clock::now() + std::chrono::milliseconds(200); Clock::now() < end;) {
            wxTheApp->Yield(true);
            wxMilliSleep(5);
        }
        // The X server's picture (a wxScreenDC copy can lag behind GTK's drawing).
        const wxRect rect = frame->GetScreenRect();
        const std::string path = std::string(dir) + "/" + name;
        const std::string command = "xwd -root -silent | convert xwd:- -crop " + std::to_string(rect.width) +
                                    "x" + std::to_string(rect.height) + "+" + std::to_string(rect.x) + "+" +
                                    std::to_string(rect.y) + " '" + path + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
    }

    doctest::DocRig rig;
    velktest::FakeLauncher launcher;
    wxFrame* frame = nullptr;
    CLeftView* tree = nullptr;
    CVelkView* list = nullptr;
};

std::string ColumnTitle(wxListCtrl& list, int column) {
    wxListItem item;
    item.SetMask(wxLIST_MASK_TEXT);
    list.GetColumn(column, item);
    return item.GetText().utf8_string();
}

void WriteLibrary(ViewsFrame& f) {
    const std::string library = f.DeviceFolder("My Library");
    for (const char* name :
         {"Bass Lead.prg", "Strings.prg", "Vocoder Pad.prg", "Studio.glb", "a.prg.glb", "X.PRG"})
        velktest::WriteText(library + "/" + name, "x");
    fs::create_directories(library + "/Live Set");
    const std::string setup = f.DeviceFolder("My Setup");
    for (const char* name : {"Gig 2016.set", "Rehearsal.set"}) velktest::WriteText(setup + "/" + name, "x");
    fs::create_directories(setup + "/Archive/Old");
}

// The library written, the views started, the setup device folder expanded;
// its path.
std::string StartWithSetupOpen(ViewsFrame& f) {
    WriteLibrary(f);
    f.Start();
    const std::string setup = f.DeviceFolder("My Setup");
    f.tree->Model().Expand(f.tree->Model().FindNodeByPath(setup));
    return setup;
}

TEST(CVelkViewGui, StyleSwitchingKeepsRowsAndColumns) {
    ViewsFrame f;
    WriteLibrary(f);
    f.Start();
    f.Select(f.DeviceFolder("My Library"));
    f.list->Model().SetViewStyle(kStyleReport);
    ASSERT_TRUE(f.list->InReportView());
    const int rows = f.list->GetItemCount();
    ASSERT_EQ(rows, 6);  // five files and a folder; X.PRG is not listed
    EXPECT_EQ(f.list->GetColumnCount(), 6);
    const std::string type = f.Text(0, 2);
    for (int style : {kStyleIcon, kStyleSmallIcon, kStyleList, kStyleReport}) {
        f.list->Model().SetViewStyle(style);
        EXPECT_EQ(f.list->GetItemCount(), rows) << style;
        EXPECT_EQ(f.Text(0, 0), f.list->Model().Rows()[0].texts[0]) << style;
    }
    EXPECT_EQ(f.Text(0, 2), type);
    EXPECT_EQ(f.list->GetColumnCount(), 6);
    EXPECT_EQ(ColumnTitle(*f.list, 1), "Date");
}

TEST(CVelkViewGui, EachFillResetsTheWidthsOfNumberAndDeviceColumnsOnly) {
    ViewsFrame f;
    WriteLibrary(f);
    f.Start();
    f.Select(f.DeviceFolder("My Library"));
    f.list->Model().SetViewStyle(kStyleReport);
    const int widths[] = {210, 190, 95, 60, 70, 80};
    for (int column = 0; column < 6; ++column) f.list->SetColumnWidth(column, widths[column]);
    wxListEvent dragged(wxEVT_LIST_COL_END_DRAG, f.list->GetId());
    dragged.SetEventObject(f.list);
    f.list->ProcessWindowEvent(dragged);
    wxTheApp->ProcessPendingEvents();
    // Through the small icons and back: the widths are the model's.
    f.list->Model().SetViewStyle(kStyleSmallIcon);
    f.list->Model().SetViewStyle(kStyleReport);
    EXPECT_EQ(f.list->GetColumnWidth(1), 190);
    f.Select(f.DeviceFolder("My Setup"));
    f.list->Model().SetViewStyle(kStyleReport);
    const int expected[] = {210, 120, 95, 120, 120, 120};
    for (int column = 0; column < 6; ++column)
        EXPECT_EQ(f.list->GetColumnWidth(column), expected[column]) << column;
}

TEST(CVelkViewGui, CutRowsAreGreyWithAGhostImage) {
    ViewsFrame f;
    WriteLibrary(f);
    f.Start();
    const std::string folder = f.DeviceFolder("My Library");
    f.Select(folder);
    CFNameList names;
    names.Add(folder + "/Strings.prg");
    f.rig.Doc().PutItems(1, names, false, 0);
    const int row = f.list->Model().FindItem("Strings.prg");
    ASSERT_GE(row, 0);
    wxListItem item;
    item.SetId(row);
    item.SetMask(wxLIST_MASK_IMAGE);
    ASSERT_TRUE(f.list->GetItem(item));
    EXPECT_EQ(item.GetImage(), velk::VelkListGhost(kRowImageProgram));
    EXPECT_EQ(f.list->GetItemTextColour(row), CVelkView::CutTextColour());
    const int other = f.list->Model().FindItem("Bass Lead.prg");
    EXPECT_NE(f.list->GetItemTextColour(other), CVelkView::CutTextColour());
    f.list->Model().SetViewStyle(kStyleReport);  // the virtual details style
    EXPECT_EQ(f.list->GetItemTextColour(row), CVelkView::CutTextColour());
    ASSERT_TRUE(f.list->GetItem(item));
    EXPECT_EQ(item.GetImage(), velk::VelkListGhost(kRowImageProgram));
    f.list->Model().SetViewStyle(kStyleIcon);

    f.rig.Doc().ClearClipboard();
    f.rig.Doc().RefreshCutMarks();
    EXPECT_NE(f.list->GetItemTextColour(row), CVelkView::CutTextColour());
    ASSERT_TRUE(f.list->GetItem(item));
    EXPECT_EQ(item.GetImage(), kRowImageProgram);
}

TEST(CVelkViewGui, DropHighlightIsABackgroundColour) {
    ViewsFrame f;
    WriteLibrary(f);
    f.Start();
    f.Select(f.DeviceFolder("My Library"));
    const int folder = f.list->Model().FindItem("Live Set");
    f.list->Model().SetDropHighlight(folder);
    EXPECT_EQ(f.list->GetItemBackgroundColour(folder), CVelkView::DropHighlightColour());
    f.list->Model().SetDropHighlight(-1);
    EXPECT_NE(f.list->GetItemBackgroundColour(folder), CVelkView::DropHighlightColour());
}

// The edit ends after a click selected another row: the edited row is renamed.
TEST(CVelkViewGui, EndOfLabelEditRenamesTheEditedRow) {
    ViewsFrame f;
    WriteLibrary(f);
    f.Start();
    const std::string folder = f.DeviceFolder("My Library");
    f.Select(folder);
    f.list->Model().SetViewStyle(kStyleReport);
    const int edited = f.list->Model().FindItem("Strings.prg");
    const int clicked = f.list->Model().FindItem("Studio.glb");
    wxTextCtrl* edit = f.list->EditLabel(edited);
    ASSERT_NE(edit, nullptr);
    edit->ChangeValue("Cellos");
    f.list->SetItemState(clicked, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    f.list->EndEditLabel(false);
    EXPECT_TRUE(fs::exists(folder + "/Cellos.prg"));
    EXPECT_TRUE(fs::exists(folder + "/Studio.glb"));
    EXPECT_EQ(f.Text(edited, 0), "Cellos.prg");
    EXPECT_TRUE(f.list->Model().Rows()[clicked].selected);
}

TEST(CVelkViewGui, SelectionFollowsItsRowsThroughASort) {
    ViewsFrame f;
    WriteLibrary(f);
    f.Start();
    f.Select(f.DeviceFolder("My Library"));
    for (int style : {kStyleReport, kStyleIcon}) {
        f.list->Model().SetViewStyle(style);
        const int row = f.list->Model().FindItem("Bass Lead.prg");
        f.list->SetItemState(row, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
        f.list->Model().SortBy(0);
        const int moved = f.list->Model().FindItem("Bass Lead.prg");
        EXPECT_NE(moved, row) << style;
        EXPECT_EQ(f.list->GetSelectedItemCount(), 1) << style;
        EXPECT_EQ(f.list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), moved) << style;
        f.list->SetItemState(moved, 0, wxLIST_STATE_SELECTED);
    }
}

TEST(CVelkViewGui, ColumnClickSortsTheControlsRows) {
    ViewsFrame f;
    WriteLibrary(f);
    f.Start();
    f.Select(f.DeviceFolder("My Library"));
    ASSERT_EQ(f.Text(0, 0), "a.prg.glb");
    wxListEvent click(wxEVT_LIST_COL_CLICK, f.list->GetId());
    click.SetEventObject(f.list);
    click.m_col = 0;
    f.list->ProcessWindowEvent(click);
    EXPECT_EQ(f.Text(0, 0), "Vocoder Pad.prg");
    EXPECT_EQ(f.Text(f.list->GetItemCount() - 1, 0), "a.prg.glb");
    EXPECT_EQ(f.list->Model().GetActiveSortColumn(), 0);
}

// Where the control put each item (whole item and label), from the first
// item's place: the same whatever the scroll position. The control lays its
// items out when idle.
std::vector<wxRect> ItemPlaces(wxListCtrl& list) {
    wxTheApp->ProcessIdle();
    std::vector<wxRect> places;
    wxRect first;
    list.GetItemRect(0, first);
    for (long item = 0; item < list.GetItemCount(); ++item)
        for (int code : {wxLIST_RECT_BOUNDS, wxLIST_RECT_LABEL}) {
            wxRect rect;
            list.GetItemRect(item, rect, code);
            rect.Offset(-first.GetPosition());
            places.push_back(rect);
        }
    return places;
}

// Counts the items the control inserts and deletes while it lives.
class ItemChurn {
public:
    explicit ItemChurn(wxListCtrl& list) : list_(list) {
        list_.Bind(wxEVT_LIST_INSERT_ITEM, &ItemChurn::Count, this);
        list_.Bind(wxEVT_LIST_DELETE_ITEM, &ItemChurn::Count, this);
        list_.Bind(wxEVT_LIST_DELETE_ALL_ITEMS, &ItemChurn::Count, this);
    }
    ~ItemChurn() {
        list_.Unbind(wxEVT_LIST_INSERT_ITEM, &ItemChurn::Count, this);
        list_.Unbind(wxEVT_LIST_DELETE_ITEM, &ItemChurn::Count, this);
        list_.Unbind(wxEVT_LIST_DELETE_ALL_ITEMS, &ItemChurn::Count, this);
    }
    int operations = 0;

private:
    void Count(wxListEvent& event) {
        ++operations;
        event.Skip();
    }
    wxListCtrl& list_;
};

// A sort and a refill of the folder shown keep the control's items: none is
// deleted or inserted, the scroll position stays, and the focused and
// selected item keeps focus and selection wherever it went. Where labels
// moved or changed (a sort, a rename), the items are laid out as a fresh
// fill of the same rows lays them out.
TEST(CVelkViewGui, SortRefillAndRenameWorkOnTheItemsInPlace) {
    ViewsFrame f;
    const std::string folder = f.DeviceFolder("My Library") + "/Many";
    fs::create_directories(folder);
    // Labels of many widths, created out of their order.
    for (int i = 0; i < 180; ++i) {
        const int k = (i * 37) % 180;
        velktest::WriteText(folder + "/Patch " + std::string(k % 9, 'W') + std::to_string(k) + ".prg", "x");
    }
    f.Start();
    f.Select(folder);
    CVelkViewModel& model = f.list->Model();
    for (int style : {kStyleIcon, kStyleSmallIcon, kStyleList, kStyleReport}) {
        SCOPED_TRACE(style);
        model.SetViewStyle(style);
        f.Paint();
        f.list->EnsureVisible(150);
        const int focused = 150;
        f.list->SetItemState(focused, wxLIST_STATE_FOCUSED | wxLIST_STATE_SELECTED,
                             wxLIST_STATE_FOCUSED | wxLIST_STATE_SELECTED);
        f.Paint();
        const std::string name = f.Text(focused, 0);
        const wxPoint scrolled = f.list->GetViewStart();
        ASSERT_NE(scrolled, wxPoint(0, 0)) << "the list does not scroll";

        const ItemChurn churn(*f.list);
        model.SortBy(0);  // descending: every row moves
        f.Paint();
        ASSERT_EQ(f.list->GetItemCount(), model.RowCount());
        for (int row = 0; row < model.RowCount(); ++row)
            ASSERT_EQ(f.Text(row, 0), model.Rows()[row].texts[0]) << row;
        const long now = f.list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_FOCUSED);
        ASSERT_GE(now, 0) << "no item has the focus";
        EXPECT_NE(now, focused);
        EXPECT_EQ(f.Text(now, 0), name);
        EXPECT_EQ(f.list->GetSelectedItemCount(), 1);
        EXPECT_NE(f.list->GetItemState(now, wxLIST_STATE_SELECTED), 0);
        EXPECT_EQ(f.list->GetViewStart(), scrolled);
        const std::vector<wxRect> sorted = ItemPlaces(*f.list);

        // As the tree's click on the folder shown refills it.
        model.FillList(folder, true);
        f.Paint();
        EXPECT_EQ(f.list->GetViewStart(), scrolled);
        EXPECT_EQ(f.Text(now, 0), name);
        EXPECT_NE(f.list->GetItemState(now, wxLIST_STATE_FOCUSED), 0);

        const std::string longer =
            "Patch renamed to a name far longer than any other " + std::to_string(style) + ".prg";
        ASSERT_EQ(f.rig.Doc().RenameItem(folder + "/" + name, longer), 1);
        f.Paint();
        EXPECT_EQ(f.Text(now, 0), longer);
        EXPECT_EQ(churn.operations, 0) << "items deleted or inserted";
        const std::vector<wxRect> renamed = ItemPlaces(*f.list);

        // The same rows filled anew.
        model.SetViewStyle(style == kStyleReport ? kStyleIcon : kStyleReport);
        model.SetViewStyle(style);
        f.Paint();
        EXPECT_EQ(ItemPlaces(*f.list), renamed) << "the items were not laid out again";
        if (style != kStyleReport) {
            EXPECT_NE(sorted, renamed);
        }
        ASSERT_EQ(f.rig.Doc().RenameItem(folder + "/" + longer, name), 1);
        model.SortBy(0);
    }
}

// GTK paints before wx's idle time, where the control lays its items out
// (after a menu closes over the list, say). A paint that comes between a sort
// and that layout waits for it, and the items show once laid out. (Drawn
// before, each item's place would have cost a layout of all of them.)
TEST(CVelkViewGui, PaintBetweenASortAndTheLayoutDoesNotStall) {
    ViewsFrame f;
    const std::string folder = f.DeviceFolder("My Library") + "/Many";
    fs::create_directories(folder);
    for (int i = 0; i < 700; ++i) velktest::WriteText(folder + "/Name " + std::to_string(i) + ".prg", "x");
    f.Start();
    f.Select(folder);
    wxWindow& rows = *f.list->GetRowsWindow();
    for (int style : {kStyleIcon, kStyleSmallIcon, kStyleList}) {
        SCOPED_TRACE(style);
        f.list->Model().SetViewStyle(style);
        f.Paint();
        f.list->Model().SortBy(0);
        const auto start = Clock::now();
        rows.Refresh();
        rows.Update();
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(1));
        // Laid out when idle; then the first item (top left) is drawn: dark
        // pixels of its image and label.
        guitest::Settle();
        rows.Refresh();
        rows.Update();
        const wxImage image = guitest::Capture(rows).ConvertToImage();
        wxRect first;
        ASSERT_TRUE(f.list->GetItemRect(0, first));
        first.Intersect(wxRect(image.GetSize()));
        int dark = 0;
        for (int y = first.GetTop(); y <= first.GetBottom(); ++y)
            for (int x = first.GetLeft(); x <= first.GetRight(); ++x)
                if (image.GetRed(x, y) + image.GetGreen(x, y) + image.GetBlue(x, y) < 3 * 128) ++dark;
        EXPECT_GT(dark, 20) << "the first item is not drawn";
    }
}

TEST(CLeftViewGui, RightClickSelectsTheNodeThenShowsTheMenuOnce) {
    ViewsFrame f;
    WriteLibrary(f);
    f.Start();
    bool expandEnabled = false;
    guitest::XInput input;
    const guitest::ContextMenuWatch menus(*f.tree, input, [&](wxMenu& menu) {
        menu.UpdateUI(f.tree);
        expandEnabled = menu.IsEnabled(velk::ToWxCommandId(32774));
        return std::vector<unsigned long>{};
    });
    f.Paint();
    const wxTreeItemId item = f.tree->ItemOf(f.tree->Model().FindNodeByPath(f.DeviceFolder("My Setup")));
    ASSERT_TRUE(item.IsOk());
    wxRect rect;
    ASSERT_TRUE(f.tree->GetBoundingRect(item, rect, true));
    wxUIActionSimulator mouse;
    mouse.MouseMove(f.tree->ClientToScreen(rect.GetPosition() + wxSize(4, rect.height / 2)));
    for (int i = 0; i < 10; ++i) wxTheApp->Yield(true);
    mouse.MouseClick(wxMOUSE_BTN_RIGHT);
    for (int i = 0; i < 20; ++i) wxTheApp->Yield(true);

    EXPECT_EQ(menus.Shown(), 1);
    EXPECT_EQ(f.tree->GetSelection(), item);
    EXPECT_EQ(f.rig.Doc().GetCurrentPath(), f.DeviceFolder("My Setup"));
    EXPECT_TRUE(expandEnabled) << "the setup device folder has a subfolder";
}

TEST(CLeftViewGui, EndOfLabelEditRenamesTheEventsNode) {
    ViewsFrame f;
    const std::string setup = StartWithSetupOpen(f);
    CLeftViewModel& model = f.tree->Model();
    const wxTreeItemId archive = f.tree->ItemOf(model.FindNodeByPath(setup + "/Archive"));
    ASSERT_TRUE(archive.IsOk());
    f.Select(setup);
    wxTreeEvent ended(wxEVT_TREE_END_LABEL_EDIT, f.tree, archive);
    ended.SetLabel("Attic");
    f.tree->ProcessWindowEvent(ended);
    EXPECT_TRUE(fs::is_directory(setup + "/Attic"));
    EXPECT_EQ(f.tree->GetItemText(archive), "Attic");
    EXPECT_EQ(f.tree->GetSelection(), f.tree->ItemOf(model.FindNodeByPath(setup)));
}

TEST(CLeftViewGui, DeletedSelectedFolderLeavesTheParentSelectedInTheControl) {
    ViewsFrame f;
    const std::string setup = StartWithSetupOpen(f);
    CLeftViewModel& model = f.tree->Model();
    f.Select(setup + "/Archive");
    fs::remove_all(setup + "/Archive");
    CFNameList names;
    names.Add(setup + "/Archive");
    model.OnItemsDeleted(names);
    for (int i = 0; i < 5; ++i) wxTheApp->Yield(true);
    EXPECT_EQ(model.FindNodeByPath(setup + "/Archive"), nullptr);
    EXPECT_EQ(f.tree->GetSelection(), f.tree->ItemOf(model.FindNodeByPath(setup)));
    EXPECT_EQ(model.GetSelected(), model.FindNodeByPath(setup));
    EXPECT_EQ(f.rig.Doc().GetCurrentPath(), setup);
}

TEST(CLeftViewGui, DropOnANodeHighlightsItAndPastesAfterTheDragReturned) {
    ViewsFrame f;
    const std::string setup = StartWithSetupOpen(f);
    const VelkPayload payload{0, setup + "/Rehearsal.set\n"};
    const velkview::OfferedDrag drag{&payload};
    f.Paint();
    const wxTreeItemId archive = f.tree->ItemOf(f.tree->Model().FindNodeByPath(setup + "/Archive"));
    wxRect rect;
    ASSERT_TRUE(f.tree->GetBoundingRect(archive, rect, true));
    const wxPoint point = rect.GetPosition() + wxSize(4, rect.height / 2);

    EXPECT_EQ(f.tree->DragOverAt(point, false, drag), wxDragMove);
    EXPECT_EQ(f.tree->DragOverAt(point, true, drag), wxDragCopy);
    EXPECT_FALSE(f.tree->IsSelected(archive)) << "a drop highlight is no selection";
    EXPECT_EQ(f.tree->Model().GetDropHighlight(), f.tree->NodeOf(archive));
    EXPECT_TRUE(f.tree->DropAt(point, wxDragMove, drag));
    EXPECT_EQ(f.tree->Model().GetDropHighlight(), nullptr);
    EXPECT_TRUE(fs::exists(setup + "/Rehearsal.set")) << "not inside the drag";
    wxTheApp->ProcessPendingEvents();
    EXPECT_FALSE(fs::exists(setup + "/Rehearsal.set"));
    EXPECT_TRUE(fs::exists(setup + "/Archive/Rehearsal.set"));

    EXPECT_EQ(f.tree->DragOverAt(point, false, velkview::OfferedDrag{}), wxDragNone)
        << "a drag that is not ours";
}

TEST(CLeftViewGui, TreeMirrorsTheModel) {
    ViewsFrame f;
    WriteLibrary(f);
    f.Start();
    const wxTreeItemId root = f.tree->GetRootItem();
    wxTreeItemIdValue cookie;
    wxTreeItemId top = f.tree->GetFirstChild(root, cookie);
    std::vector<std::string> texts;
    for (; top.IsOk(); top = f.tree->GetNextChild(root, cookie))
        texts.push_back(f.tree->GetItemText(top).utf8_string());
    EXPECT_EQ(texts, (std::vector<std::string>{"My Device", "My Setup", "My Library"}));
    const wxTreeItemId device = f.tree->ItemOf(f.tree->Model().DeviceRoot()->children.at(0).get());
    EXPECT_EQ(f.tree->GetItemImage(device), velk::kVelkTreeDevice);
    EXPECT_EQ(f.tree->GetSelection(), f.tree->ItemOf(f.tree->Model().DeviceRoot()));
    EXPECT_TRUE(f.tree->IsExpanded(f.tree->ItemOf(f.tree->Model().SetupRoot())));
}

// The explorer as people see it: the device's programs (received), a setup
// folder and a library folder, each in the four styles. Only for looking at.
TEST(CVelkViewGui, RenderDeviceSetupAndLibraryInEveryStyle) {
    ViewsFrame f;
    WriteLibrary(f);
    f.Start();
    CLeftViewModel& tree = f.tree->Model();
    tree.Expand(tree.FindNodeByPath(f.DeviceFolder("My Setup")));
    const char* styleNames[] = {"icons", "details", "small", "list"};
    // clang-format off
    const std::pair<std::string, const char*> folders[] = {
        {"/My Device/Brontisel S", "device"},
        {f.DeviceFolder("My Setup"), "setup"},
        {f.DeviceFolder("My Library"), "library"},
    };
    // clang-format on
    for (const auto& [path, name] : folders) {
        f.Select(path);
        if (std::string(name) == "library") {
            CFNameList cut;
            cut.Add(path + "/Strings.prg");
            f.rig.Doc().PutItems(1, cut, false, 0);
        }
        for (int style = 0; style < 4; ++style) {
            f.list->Model().SetViewStyle(style);
            f.Shot(std::string("views-") + name + "-" + styleNames[style] + ".png");
            EXPECT_GT(f.list->GetItemCount(), 0) << name;
        }
    }
    EXPECT_TRUE(f.rig.Device()->IsDumpReceived());
}

// 10,000 program files listed and sorted with the control filled, then a
// re-sort by another column; prints the times and fails only on wrong rows.
TEST(CVelkViewGui, PrintsTheTimesOfListingAndSortingTenThousandFiles) {
    ViewsFrame f;
    const std::string folder = f.DeviceFolder("My Library") + "/Big";
    fs::create_directories(folder);
    for (int i = 0; i < 10000; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "prog%05d.prg", (i * 7919) % 10000);
        velktest::WriteText(folder + "/" + name, "x");
    }
    f.Start();
    for (int style : {kStyleReport, kStyleIcon}) {
        f.Select(f.DeviceFolder("My Library"));
        f.list->Model().SetViewStyle(style);
        const auto start = Clock::now();
        f.Select(folder);
        f.list->Update();
        const auto listed = Clock::now();
        f.list->Model().SortBy(f.list->Model().GetActiveSortColumn() == 2 ? 1 : 2);
        f.list->Update();
        const auto sorted = Clock::now();
        const auto ms = [](auto span) {
            return std::chrono::duration_cast<std::chrono::milliseconds>(span).count();
        };
        std::printf("[ timing ] style %d: 10000 files listed and sorted in %lld ms, re-sorted in %lld ms\n",
                    style, static_cast<long long>(ms(listed - start)),
                    static_cast<long long>(ms(sorted - listed)));
        EXPECT_EQ(f.list->GetItemCount(), 10000);
    }
}

}  // namespace
