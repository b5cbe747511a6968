// Renders every picture (both sizes, ghosts, zoomed) and a frame with the
// menu bar and toolbar to PNGs in $VELK_SHOTS_DIR, for people to look at.
// Without the variable the sheets are still composed (which checks that they
// can be) but nothing is written.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/frame.h>
#include <wx/imaglist.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "resources/VelkCommandIds.h"
#include "resources/VelkMenus.h"
#include "resources/VelkStrings.h"
#include "resources/wx/VelkArt.h"
#include "resources/wx/VelkMenuBuilder.h"

namespace velk {
namespace {

void SaveShot(const wxBitmap& bitmap, const char* name) {
    const char* dir = std::getenv("VELK_SHOTS_DIR");
    if (!dir || !*dir) return;
    const std::string path = std::string(dir) + "/" + name;
    EXPECT_TRUE(bitmap.SaveFile(wxString::FromUTF8(path), wxBITMAP_TYPE_PNG)) << path;
}

wxBitmap Zoom(const wxBitmap& bitmap, int factor) {
    return wxBitmap(bitmap.ConvertToImage().Scale(bitmap.GetWidth() * factor, bitmap.GetHeight() * factor,
                                                  wxIMAGE_QUALITY_NEAREST));
}

// Lays pictures out in labelled rows on one bitmap.
class Sheet {
public:
    Sheet(int width, int height) : bitmap_(width, height, 24) {
        dc_.SelectObject(bitmap_);
        dc_.SetBackground(*wxWHITE_BRUSH);
        dc_.Clear();
    }
    void Row(const char* label, const std::vector<wxBitmap>& pictures, int zoom) {
        dc_.SetTextForeground(*wxBLACK);
        dc_.DrawText(label, 8, y_);
        y_ += 18;
        int x = 8, tallest = 0;
        for (const wxBitmap& picture : pictures) {
            const wxBitmap shown = zoom > 1 ? Zoom(picture, zoom) : picture;
            // Each picture on white and on a mid grey, to show its transparency.
            dc_.SetPen(*wxTRANSPARENT_PEN);
            dc_.SetBrush(wxBrush(wxColour(150, 156, 166)));
            dc_.DrawRectangle(x, y_ + shown.GetHeight() + 4, shown.GetWidth(), shown.GetHeight());
            dc_.DrawBitmap(shown, x, y_, true);
            dc_.DrawBitmap(shown, x, y_ + shown.GetHeight() + 4, true);
            x += shown.GetWidth() + 8;
            tallest = std::max(tallest, 2 * shown.GetHeight() + 4);
        }
        y_ += tallest + 12;
    }
    wxBitmap Finish() {
        dc_.SelectObject(wxNullBitmap);
        return bitmap_;
    }

private:
    wxBitmap bitmap_;
    wxMemoryDC dc_;
    int y_ = 8;
};

std::vector<wxBitmap> All(const wxImageList& list) {
    std::vector<wxBitmap> out;
    for (int i = 0; i < list.GetImageCount(); ++i) out.push_back(list.GetBitmap(i));
    return out;
}

TEST(VelkArtSheet, ComposesEveryPicture) {
    Sheet sheet(1400, 1650);
    for (int zoom : {1, 4}) {
        const std::string suffix = zoom > 1 ? " (x4)" : "";
        sheet.Row(("List 16: setup, program, global, folder, device, then ghosts" + suffix).c_str(),
                  All(*CreateVelkListImageList(kVelkSmallIconSize)), zoom);
        sheet.Row(("Tree 16: folder, open folder, device, device selected, then ghosts" + suffix).c_str(),
                  All(*CreateVelkTreeImageList()), zoom);
    }
    for (int zoom : {1, 2})
        sheet.Row(zoom > 1 ? "List 32 (x2)" : "List 32", All(*CreateVelkListImageList(kVelkLargeIconSize)),
                  zoom);
    std::vector<wxBitmap> tools;
    for (int id : VelkToolbarButtons())
        if (id) tools.push_back(VelkToolbarBitmap(id));
    sheet.Row("Toolbar", tools, 1);
    sheet.Row("Toolbar (x4)", tools, 4);
    const std::vector<wxBitmap> waves = All(*CreateVelkWaveImageList());
    sheet.Row("Waves 0-12", waves, 1);
    sheet.Row("Waves (x3), 0-6", std::vector<wxBitmap>(waves.begin(), waves.begin() + 7), 3);
    sheet.Row("Waves (x3), 7-12", std::vector<wxBitmap>(waves.begin() + 7, waves.end()), 3);
    std::vector<wxBitmap> icons;
    const wxIconBundle bundle = VelkAppIcons();
    for (size_t i = 0; i < bundle.GetIconCount(); ++i) {
        wxBitmap bitmap;
        bitmap.CopyFromIcon(bundle.GetIconByIndex(i));
        icons.push_back(bitmap);
    }
    sheet.Row("Application icon", icons, 1);
    sheet.Row("MIDI IN, MIDI OUT (x1, x2)",
              {VelkMidiPortBitmap(false), VelkMidiPortBitmap(true), Zoom(VelkMidiPortBitmap(false), 2),
               Zoom(VelkMidiPortBitmap(true), 2)},
              1);
    const wxBitmap result = sheet.Finish();
    ASSERT_TRUE(result.IsOk());
    SaveShot(result, "resources-art.png");
}

// The main window's menu bar and toolbar, as a frame shows them. The frame is
// painted by pumping its pending events; the picture is only for looking at.
TEST(VelkArtSheet, FrameWithMenuBarAndToolbar) {
    wxFrame* frame =
        new wxFrame(nullptr, wxID_ANY, wxString::FromUTF8(text::kAppTitle), wxPoint(0, 0), wxSize(520, 160));
    frame->SetIcons(VelkAppIcons());
    frame->SetMenuBar(BuildVelkMenuBar(VelkMainMenu()).release());
    frame->SetAcceleratorTable(BuildVelkAcceleratorTable(VelkAccelerators()));
    AddVelkToolbarTools(*frame->CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT), VelkToolbarButtons());
    frame->CreateStatusBar()->SetStatusText(wxString::FromUTF8(LoadVelkString(57345)));
    frame->GetMenuBar()->Check(ToWxCommandId(ID_VIEW_TOOLBAR), true);
    frame->GetToolBar()->ToggleTool(ToWxCommandId(ID_VIEW_LARGEICON), true);
    frame->Show();
    for (int i = 0; i < 20; ++i) wxTheApp->Yield(true);
    if (std::getenv("VELK_SHOTS_DIR")) {
        const wxRect rect = frame->GetScreenRect();
        wxBitmap shot(rect.width, rect.height, 24);
        {
            wxMemoryDC memory(shot);
            wxScreenDC screen;
            memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
        }
        SaveShot(shot, "resources-frame.png");
    }
    EXPECT_EQ(frame->GetMenuBar()->GetMenuCount(), 5u);
    frame->Destroy();
}

}  // namespace
}  // namespace velk
