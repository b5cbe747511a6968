// Pictures of the controls for a person to look at: written only when
// VELK_SHOTS_DIR names a folder.
#include <gtest/gtest.h>

#include <memory>

#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/image.h>
#include <wx/stattext.h>
#include <wx/toplevel.h>

#include "ControlsGuiFixture.h"
#include "controls/wx/C2StateButton.h"
#include "controls/wx/CDial.h"
#include "controls/wx/CDialogScroller.h"
#include "controls/wx/CWiredPts.h"

namespace {

void SaveScreenRect(const wxRect& rect, const std::string& path, int zoom = 1) {
    // Everything on screen painted before it is read back. Pictures only,
    // never asserted on, so a short real wait for the X server is acceptable.
    for (int i = 0; i < 20; ++i) {
        for (wxWindow* top : wxTopLevelWindows) top->Update();
        wxYield();
        wxMilliSleep(10);
    }
    wxBitmap bitmap(rect.width, rect.height, 24);
    {
        wxMemoryDC memory(bitmap);
        wxScreenDC screen;
        memory.Blit(0, 0, rect.width, rect.height, &screen, rect.x, rect.y);
    }
    wxImage image = bitmap.ConvertToImage();
    if (zoom > 1) image.Rescale(rect.width * zoom, rect.height * zoom, wxIMAGE_QUALITY_NEAREST);
    ASSERT_TRUE(image.SaveFile(path, wxBITMAP_TYPE_PNG)) << path;
}

wxRect ScreenRect(wxWindow& w) { return wxRect(w.ClientToScreen(wxPoint(0, 0)), w.GetClientSize()); }

class ControlShots : public ControlsGuiTest {
protected:
    void SetUp() override {
        if (ShotPath("x").empty()) GTEST_SKIP() << "VELK_SHOTS_DIR not set";
        wxInitAllImageHandlers();
        ControlsGuiTest::SetUp();
    }
};

TEST_F(ControlShots, Page) {
    const int values[] = {0, 64, 128, 192, 255};
    int x = 10;
    for (const int v : values) {
        auto* dial = new CDial(page_, wxID_ANY, wxPoint(x, 10), wxSize(44, 52));
        dial->SetRange(0, 255, 128);
        dial->SetValue(v);
        new wxStaticText(page_, wxID_ANY, wxString::Format("%d", v), wxPoint(x + 12, 60));
        x += 56;
    }
    auto* eq = new CDial(page_, wxID_ANY, wxPoint(x, 10), page_->ConvertDialogToPixels(wxSize(22, 26)));
    eq->SetRange(0, 29, 14);
    eq->SetValue(14);
    auto* single = new CDial(page_, wxID_ANY, wxPoint(x + 56, 10), wxSize(44, 44));
    single->SetRange(5, 5, 5);

    const wxSize buttonSize = page_->ConvertDialogToPixels(wxSize(21, 14));
    auto* on = new C2StateButton(page_, wxID_ANY, wxPoint(10, 90), buttonSize);
    auto* off = new C2StateButton(page_, wxID_ANY, wxPoint(20 + buttonSize.x, 90), buttonSize);
    off->SetState(1);
    (void)on;

    auto* graph =
        new CWiredPts(page_, wxID_ANY, wxPoint(10, 140), page_->ConvertDialogToPixels(wxSize(150, 60)));
    graph->SetEnvelope(30, 60, 90, 40);
    auto* dragged =
        new CWiredPts(page_, wxID_ANY, wxPoint(340, 140), page_->ConvertDialogToPixels(wxSize(150, 60)));
    dragged->SetEnvelope(127, 0, 127, 127);
    const auto& sustain = dragged->Model().Points()[CWiredPtsModel::kSustain];
    Mouse(*dragged, wxEVT_LEFT_DOWN, sustain.x, sustain.y, true);

    Pump();
    SaveScreenRect(ScreenRect(*page_), ShotPath("controls-page.png"));
    SaveScreenRect(wxRect(page_->ClientToScreen(wxPoint(0, 0)), wxSize(420, 130)),
                   ShotPath("controls-knobs-zoom.png"), 3);
    Mouse(*dragged, wxEVT_LEFT_UP, sustain.x, sustain.y, false);

    wxImage knob = CDial::Render(eq->Model(), eq->GetSize().x, page_->GetBackgroundColour()).ConvertToImage();
    knob.Rescale(knob.GetWidth() * 8, knob.GetHeight() * 8, wxIMAGE_QUALITY_NEAREST);
    ASSERT_TRUE(knob.SaveFile(ShotPath("knob-eq-x8.png"), wxBITMAP_TYPE_PNG));
}

TEST_F(ControlShots, ScrolledPage) {
    page_->SetBackgroundColour(*wxWHITE);
    quendar::CDialogScroller scroller(*page_);
    auto* big = new wxPanel(scroller.Viewport(), wxID_ANY, wxPoint(0, 0), wxSize(800, 600));
    big->SetBackgroundColour(wxColour(230, 230, 250));
    for (int y = 0; y < 600; y += 100) {
        for (int x = 0; x < 800; x += 200) {
            new wxStaticText(big, wxID_ANY, wxString::Format("x%d y%d", x, y), wxPoint(x + 5, y + 5));
        }
    }
    auto* dial = new CDial(big, wxID_ANY, wxPoint(700, 500), wxSize(60, 60));
    dial->SetValue(200);
    scroller.SetPage(big);
    scroller.SetRect(10, 10, 410, 310);
    wxScrollEvent down(wxEVT_SCROLL_BOTTOM, scroller.VerticalBar()->GetId(), 0, wxVERTICAL);
    down.SetEventObject(scroller.VerticalBar());
    scroller.VerticalBar()->ProcessWindowEvent(down);
    wxScrollEvent right(wxEVT_SCROLL_THUMBTRACK, scroller.HorizontalBar()->GetId(), 390, wxHORIZONTAL);
    right.SetEventObject(scroller.HorizontalBar());
    scroller.HorizontalBar()->ProcessWindowEvent(right);
    Pump();
    SaveScreenRect(wxRect(page_->ClientToScreen(wxPoint(0, 0)), wxSize(420, 320)), ShotPath("scroller.png"));
}

}  // namespace
