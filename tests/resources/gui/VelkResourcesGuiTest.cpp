// Menus, accelerators, toolbar and artwork built as wx objects.
#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/imaglist.h>
#include <wx/menu.h>
#include <wx/toolbar.h>

#include <cstring>
#include <memory>

#include "resources/VelkCommandIds.h"
#include "resources/VelkMenus.h"
#include "resources/wx/VelkArt.h"
#include "resources/wx/VelkMenuBuilder.h"

namespace velk {
namespace {

std::string Utf8(const wxString& s) { return std::string(s.utf8_str()); }

bool SamePixels(const wxImage& a, const wxImage& b) {
    if (a.GetSize() != b.GetSize() || a.HasAlpha() != b.HasAlpha()) return false;
    const size_t n = static_cast<size_t>(a.GetWidth()) * a.GetHeight();
    if (std::memcmp(a.GetData(), b.GetData(), n * 3) != 0) return false;
    return !a.HasAlpha() || std::memcmp(a.GetAlpha(), b.GetAlpha(), n) == 0;
}

// Fraction of pixels that are drawn (not fully transparent).
double Coverage(const wxImage& image) {
    if (!image.HasAlpha()) return 1.0;
    const size_t n = static_cast<size_t>(image.GetWidth()) * image.GetHeight();
    size_t drawn = 0;
    for (size_t i = 0; i < n; ++i) drawn += image.GetAlpha()[i] != 0;
    return static_cast<double>(drawn) / n;
}

TEST(VelkMenuBuilder, MenuBarHasTheLabelsPromptsAndCheckItems) {
    std::unique_ptr<wxMenuBar> bar = BuildVelkMenuBar(VelkMainMenu());
    ASSERT_EQ(bar->GetMenuCount(), 5u);
    const char* tops[] = {"&File", "&Edit", "&Setting", "&View", "&Help"};
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(Utf8(bar->GetMenuLabel(i)), tops[i]);

    wxMenuItem* cut = bar->FindItem(ToWxCommandId(ID_EDIT_CUT));
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(Utf8(cut->GetItemLabel()), "Cu&t\tCtrl+X");
    EXPECT_EQ(Utf8(cut->GetHelp()), "Cut the selection and put it on the Clipboard");
    EXPECT_FALSE(cut->IsCheckable());

    for (int id : {ID_SORT_BY_NAME, ID_SORT_BY_NUMBER, ID_SORT_BY_TYPE, ID_VIEW_LARGEICON, ID_VIEW_SMALLICON,
                   ID_VIEW_LIST, ID_VIEW_DETAILS, ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR}) {
        wxMenuItem* item = bar->FindItem(ToWxCommandId(id));
        ASSERT_NE(item, nullptr) << id;
        EXPECT_TRUE(item->IsCheckable()) << id;
    }
    // A sort mark can be cleared on all three items (no radio group).
    bar->Check(ToWxCommandId(ID_SORT_BY_NAME), true);
    bar->Check(ToWxCommandId(ID_SORT_BY_NAME), false);
    EXPECT_FALSE(bar->IsChecked(ToWxCommandId(ID_SORT_BY_NAME)));
    EXPECT_FALSE(bar->IsChecked(ToWxCommandId(ID_SORT_BY_NUMBER)));

    wxMenuItem* newFolder = bar->FindItem(ToWxCommandId(ID_FILE_NEW_FOLDER));
    ASSERT_NE(newFolder, nullptr);
    EXPECT_EQ(Utf8(newFolder->GetItemLabel()), "New &Folder");
}

TEST(VelkMenuBuilder, ContextMenusHaveTheirEntries) {
    std::unique_ptr<wxMenu> list = BuildVelkMenu(VelkListContextMenu());
    EXPECT_EQ(list->GetMenuItemCount(), 9u);
    std::unique_ptr<wxMenu> list2 = BuildVelkMenu(VelkListNoSelectionContextMenu());
    ASSERT_EQ(list2->GetMenuItemCount(), 7u);
    EXPECT_TRUE(list2->FindItemByPosition(0)->IsSubMenu());
    EXPECT_EQ(list2->FindItemByPosition(0)->GetSubMenu()->GetMenuItemCount(), 4u);
    EXPECT_NE(list2->FindItem(ToWxCommandId(ID_SORT_BY_TYPE)), nullptr);
    std::unique_ptr<wxMenu> tree = BuildVelkMenu(VelkTreeContextMenu());
    EXPECT_EQ(tree->GetMenuItemCount(), 10u);
    EXPECT_EQ(Utf8(tree->FindItem(ToWxCommandId(ID_TREE_EXPAND))->GetItemLabel()), "E&xpand");
}

TEST(VelkMenuBuilder, AcceleratorTableAndToolbar) {
    EXPECT_TRUE(BuildVelkAcceleratorTable(VelkAccelerators()).IsOk());

    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "toolbar");
    wxToolBar* toolbar = frame->CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT);
    AddVelkToolbarTools(*toolbar, VelkToolbarButtons());
    EXPECT_EQ(toolbar->GetToolsCount(), VelkToolbarButtons().size());
    EXPECT_EQ(Utf8(toolbar->GetToolShortHelp(ToWxCommandId(ID_EDIT_CUT))), "Cut");
    EXPECT_EQ(Utf8(toolbar->GetToolLongHelp(ToWxCommandId(ID_HELP_DOCUMENT))), "Show online help document");
    // The view-style tools can carry the style mark the frame's update gives.
    toolbar->ToggleTool(ToWxCommandId(ID_VIEW_DETAILS), true);
    EXPECT_TRUE(toolbar->GetToolState(ToWxCommandId(ID_VIEW_DETAILS)));
    frame->Destroy();
}

TEST(VelkArt, ImageListsHaveTheirCountsAndSizesAndGhostsDiffer) {
    struct Case {
        std::unique_ptr<wxImageList> list;
        int count, width, height, originals;
    };
    // clang-format off
    Case cases[] = {
        {CreateVelkListImageList(kVelkSmallIconSize), 10, 16, 16, kVelkListImageCount},
        {CreateVelkListImageList(kVelkLargeIconSize), 10, 32, 32, kVelkListImageCount},
        {CreateVelkTreeImageList(), 8, 16, 16, kVelkTreeImageCount},
        {CreateVelkWaveImageList(), 13, 32, 16, 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        ASSERT_EQ(c.list->GetImageCount(), c.count);
        EXPECT_EQ(c.list->GetSize(), wxSize(c.width, c.height));
        for (int i = 0; i < c.count; ++i) {
            const wxImage image = c.list->GetBitmap(i).ConvertToImage();
            EXPECT_EQ(image.GetSize(), wxSize(c.width, c.height)) << i;
            EXPECT_GT(Coverage(image), 0.15) << "image " << i << " is nearly empty";
        }
        for (int i = 0; i < c.originals; ++i)
            EXPECT_FALSE(SamePixels(c.list->GetBitmap(i).ConvertToImage(),
                                    c.list->GetBitmap(i + c.originals).ConvertToImage()))
                << "ghost " << i << " looks like its original";
    }
}

TEST(VelkArt, EveryPictureIsDistinct) {
    for (int i = 0; i < kVelkWaveImageCount; ++i)
        for (int j = i + 1; j < kVelkWaveImageCount; ++j)
            EXPECT_FALSE(SamePixels(VelkWaveBitmap(i).ConvertToImage(), VelkWaveBitmap(j).ConvertToImage()))
                << "waves " << i << " and " << j;
    EXPECT_FALSE(VelkWaveBitmap(kVelkWaveImageCount).IsOk());
    EXPECT_FALSE(VelkWaveBitmap(-1).IsOk());

    std::vector<wxImage> tools;
    for (int id : VelkToolbarButtons())
        if (id != ID_SEPARATOR) {
            const wxBitmap bitmap = VelkToolbarBitmap(id);
            ASSERT_TRUE(bitmap.IsOk()) << id;
            EXPECT_EQ(bitmap.GetSize(), wxSize(16, 16));
            tools.push_back(bitmap.ConvertToImage());
        }
    for (size_t i = 0; i < tools.size(); ++i)
        for (size_t j = i + 1; j < tools.size(); ++j)
            EXPECT_FALSE(SamePixels(tools[i], tools[j])) << i << " " << j;

    EXPECT_FALSE(
        SamePixels(VelkMidiPortBitmap(false).ConvertToImage(), VelkMidiPortBitmap(true).ConvertToImage()));

    const wxIconBundle icons = VelkAppIcons();
    EXPECT_EQ(icons.GetIconCount(), 4u);
    EXPECT_TRUE(icons.GetIcon(wxSize(32, 32)).IsOk());
}

}  // namespace
}  // namespace velk
