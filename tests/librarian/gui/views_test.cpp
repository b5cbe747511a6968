// The tree and the list on real windows, in a plain frame with a splitter
// (tree 200 px on the left, list on the right), on the document of the
// simulated synth. With $VELK_SHOTS_DIR set the frame is also saved as PNGs
// for people to look at.

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/frame.h>
#include <wx/imaglist.h>
#include <wx/menu.h>
#include <wx/splitter.h>
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

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

class ViewsFrame {
public:
    explicit ViewsFrame(wxSize size = wxSize(900, 520)) : rig(SimModel::BrontiselS) {
        frame = new wxFrame(nullptr, wxID_ANY, "Views", wxPoint(0, 0), size);
        auto* splitter = new wxSplitterWindow(frame, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                              wxSP_3D | wxSP_LIVE_UPDATE);
        tree = new CLeftView(splitter, rig.Doc(), rig.prompter_, launcher);
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
    std::string Text(int row, int column) const {
        return list->GetItemText(row, column).utf8_string();
    }
    std::string DeviceFolder(const char* root) const {
        return rig.Library() + "/" + root + "/Brontisel S";
    }

    void Paint() {
        frame->Layout();
        for (int i = 0; i < 20; ++i) wxTheApp->Yield(true);
    }
    void Shot(const std::string& name) {
        Paint();
        const char* dir = std::getenv("VELK_SHOTS_DIR");
        if (dir == nullptr || *dir == '\0') return;
        const wxRect rect = frame->GetScreenRect();
        wxBitmap shot(rect.width, rect.height, 24);
        {
            wxMemoryDC memory(shot);
            wxScreenDC screen;
            memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
        }
        const std::string path = std::string(dir) + "/" + name;
        EXPECT_TRUE(shot.SaveFile(wxString::FromUTF8(path), wxBITMAP_TYPE_PNG)) << path;
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
    for (const char* name : {"Bass Lead.prg", "Strings.prg", "Vocoder Pad.prg", "Studio.glb",
                             "a.prg.glb", "X.PRG"})
        doctest::DocRig::WriteFile(library + "/" + name);
    fs::create_directories(library + "/Live Set");
    const std::string setup = f.DeviceFolder("My Setup");
    for (const char* name : {"Gig 2016.set", "Rehearsal.set"})
        doctest::DocRig::WriteFile(setup + "/" + name);
    fs::create_directories(setup + "/Archive/Old");
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

TEST(CLeftViewGui, RightClickSelectsTheNodeThenShowsTheMenuOnce) {
    ViewsFrame f;
    WriteLibrary(f);
    f.Start();
    int shown = 0;
    bool expandEnabled = false;
    f.tree->showMenu = [&](wxMenu& menu) {
        ++shown;
        menu.UpdateUI(f.tree);
        expandEnabled = menu.IsEnabled(velk::ToWxCommandId(32774));
    };
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

    EXPECT_EQ(shown, 1);
    EXPECT_EQ(f.tree->GetSelection(), item);
    EXPECT_EQ(f.rig.Doc().GetCurrentPath(), f.DeviceFolder("My Setup"));
    EXPECT_TRUE(expandEnabled) << "the setup device folder has a subfolder";
}

TEST(CLeftViewGui, EndOfLabelEditRenamesTheEventsNode) {
    ViewsFrame f;
    WriteLibrary(f);
    f.Start();
    CLeftViewModel& model = f.tree->Model();
    const std::string setup = f.DeviceFolder("My Setup");
    model.Expand(model.FindNodeByPath(setup));
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
    const wxTreeItemId device =
        f.tree->ItemOf(f.tree->Model().DeviceRoot()->children.at(0).get());
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
    const std::pair<std::string, const char*> folders[] = {
        {"/My Device/Brontisel S", "device"},
        {f.DeviceFolder("My Setup"), "setup"},
        {f.DeviceFolder("My Library"), "library"},
    };
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
        doctest::DocRig::WriteFile(folder + "/" + name);
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
