// The list's own drawing of the icon styles, which draws only the items a
// paint touches, against wx's drawing of every item: the same pixels, for
// each style, with selected, focused, greyed, highlighted, long, short and
// scrolled items. With $VELK_SHOTS_DIR set both pictures are saved.

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/listctrl.h>

#include <cstdlib>
#include <string>

#include "librarian/wx/CIconRowsPainter.h"
#include "resources/wx/VelkArt.h"
#include "tests/guitest/RealInput.h"
#include "tests/guitest/SaveShot.h"

namespace {

// wx's generic list draws its rows in its one child window outside the
// details style (which adds a header window).
wxWindow* RowsWindow(wxListCtrl& list) {
    return list.GetChildren().size() == 1 ? list.GetChildren().front() : nullptr;
}

// What `window` shows, once every paint it waits for is done.
wxImage Capture(wxWindow& window) {
    window.Refresh();
    window.Update();
    guitest::Settle();
    return guitest::Capture(window).ConvertToImage();
}

void SaveIfAsked(const wxImage& image, const std::string& name) {
    const char* dir = std::getenv("VELK_SHOTS_DIR");
    if (dir != nullptr && *dir != '\0')
        // wxBitmap saves through GTK, which needs no wx image handler.
        wxBitmap(image).SaveFile(wxString::FromUTF8(std::string(dir) + "/" + name + ".png"),
                                 wxBITMAP_TYPE_PNG);
}

// The first pixel where two pictures differ, as "x,y"; empty when alike.
// The bottom strip is left out: GTK's overlay scroll bar shows there for a
// while after a scroll, fading as it goes.
std::string FirstDifference(const wxImage& a, const wxImage& b) {
    if (a.GetSize() != b.GetSize()) return "the sizes";
    constexpr int kScrollBarStrip = 20;
    for (int y = 0; y < a.GetHeight() - kScrollBarStrip; ++y)
        for (int x = 0; x < a.GetWidth(); ++x)
            if (a.GetRed(x, y) != b.GetRed(x, y) || a.GetGreen(x, y) != b.GetGreen(x, y) ||
                a.GetBlue(x, y) != b.GetBlue(x, y))
                return std::to_string(x) + "," + std::to_string(y);
    return {};
}

// A list of every kind of item in the style, drawn by the control or, with
// `painter`, through CIconRowsPainter; scrolled sideways or not.
wxImage Draw(long style, bool painter, bool scrolled) {
    auto* frame = new wxFrame(nullptr, wxID_ANY, "Rows", wxPoint(0, 0), wxSize(640, 300));
    auto* list = new wxListCtrl(frame, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                style | wxLC_EDIT_LABELS | wxBORDER_SUNKEN);
    auto large = velk::CreateVelkListImageList(velk::kVelkLargeIconSize);
    auto small = velk::CreateVelkListImageList(velk::kVelkSmallIconSize);
    list->SetImageList(large.get(), wxIMAGE_LIST_NORMAL);
    list->SetImageList(small.get(), wxIMAGE_LIST_SMALL);
    const char* names[] = {"Global",   "A",    "A Very Long Program Name.prg", "Bass", "Émigré Pad", "",
                           "Keys.prg", "Drums"};
    for (int i = 0; i < 60; ++i)
        list->InsertItem(i, wxString::FromUTF8(names[i % 8]) + (i % 3 == 0 ? "" : " 1"),
                         i == 13 ? -1 : i % 4);
    list->SetItemState(3, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    list->SetItemState(4, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                       wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    list->SetItemTextColour(6, *wxLIGHT_GREY);
    list->SetItemBackgroundColour(7, wxColour(0xCC, 0xE4, 0xF7));
    list->SetItemBackgroundColour(2, wxColour(0xCC, 0xE4, 0xF7));
    wxWindow* rows = RowsWindow(*list);
    if (painter && rows != nullptr) CIconRowsPainter::Install(*list, *rows);
    frame->Show();
    guitest::Settle();
    if (scrolled) {
        list->Scroll(10, 0);  // in the control's scroll units (15 px)
        guitest::Settle();
    }
    wxImage image = rows != nullptr ? Capture(*rows) : wxImage();
    list->SetImageList(nullptr, wxIMAGE_LIST_NORMAL);
    list->SetImageList(nullptr, wxIMAGE_LIST_SMALL);
    frame->Destroy();
    guitest::Settle();
    return image;
}

struct StyleCase {
    long flag;
    const char* name;
};

class IconRowsPaint : public ::testing::TestWithParam<StyleCase> {};

TEST_P(IconRowsPaint, DrawsWhatTheControlDraws) {
    for (const bool scrolled : {false, true}) {
        const std::string name = std::string(GetParam().name) + (scrolled ? "-scrolled" : "");
        const wxImage byTheControl = Draw(GetParam().flag, false, scrolled);
        const wxImage byThePainter = Draw(GetParam().flag, true, scrolled);
        ASSERT_TRUE(byTheControl.IsOk() && byThePainter.IsOk());
        SaveIfAsked(byTheControl, "rows-" + name + "-control");
        SaveIfAsked(byThePainter, "rows-" + name + "-painter");
        EXPECT_EQ(FirstDifference(byTheControl, byThePainter), "") << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Styles, IconRowsPaint,
                         ::testing::Values(StyleCase{wxLC_ICON, "icon"},
                                           StyleCase{wxLC_SMALL_ICON, "small-icon"},
                                           StyleCase{wxLC_LIST, "list"}),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (c == '-') c = '_';
                             return name;
                         });

}  // namespace
