#include <gtest/gtest.h>

#include <memory>

#include <wx/scrolbar.h>
#include <wx/stattext.h>

#include "ControlsGuiFixture.h"
#include "controls/wx/CDialogScroller.h"

namespace {

using quendar::CDialogScroller;

class CDialogScrollerGui : public ControlsGuiTest {
protected:
    void SetUp() override {
        ControlsGuiTest::SetUp();
        scroller_ = std::make_unique<CDialogScroller>(*page_, 16);
        bigPage_ = new wxPanel(scroller_->Viewport(), wxID_ANY, wxPoint(0, 0), wxSize(800, 600));
        new wxStaticText(bigPage_, wxID_ANY, "last", wxPoint(760, 580));
        scroller_->SetPage(bigPage_);
    }
    void TearDown() override {
        scroller_.reset();
        ControlsGuiTest::TearDown();
    }

    void Scroll(wxScrollBar* bar, wxEventType type, int thumb = 0) {
        wxScrollEvent e(type, bar->GetId(), thumb, bar->IsVertical() ? wxVERTICAL : wxHORIZONTAL);
        e.SetEventObject(bar);
        bar->ProcessWindowEvent(e);
    }

    std::unique_ptr<CDialogScroller> scroller_;
    wxPanel* bigPage_ = nullptr;
};

TEST_F(CDialogScrollerGui, BigPageIsClippedToTheAreaLeftOfAndAboveTheBars) {
    scroller_->SetRect(10, 20, 410, 320);
    EXPECT_TRUE(scroller_->VerticalBar()->IsShown());
    EXPECT_TRUE(scroller_->HorizontalBar()->IsShown());
    EXPECT_EQ(scroller_->VerticalBar()->GetRect(), wxRect(394, 20, 16, 284));
    EXPECT_EQ(scroller_->HorizontalBar()->GetRect(), wxRect(10, 304, 384, 16));
    EXPECT_EQ(scroller_->Viewport()->GetRect(), wxRect(10, 20, 384, 284));
    EXPECT_EQ(bigPage_->GetPosition(), wxPoint(0, 0));
    EXPECT_EQ(bigPage_->GetParent(), scroller_->Viewport()) << "the viewport clips the page";
}

// An editor laid out before it has its size gives a tiny area, smaller than
// the bars: nothing gets a negative size (GTK refuses one, with a critical
// warning), and the real size later lays everything out.
TEST_F(CDialogScrollerGui, AreaSmallerThanTheBarsGivesNothingANegativeSize) {
    scroller_->SetRect(0, 0, 1, 1);
    for (const wxWindow* window :
         {static_cast<wxWindow*>(scroller_->VerticalBar()),
          static_cast<wxWindow*>(scroller_->HorizontalBar()), scroller_->Viewport()}) {
        EXPECT_GE(window->GetSize().x, 0);
        EXPECT_GE(window->GetSize().y, 0);
    }
    scroller_->SetRect(10, 20, 410, 320);
    EXPECT_EQ(scroller_->Viewport()->GetRect(), wxRect(10, 20, 384, 284));
}

TEST_F(CDialogScrollerGui, BarsScrollByTheirOwnStepsAndBottomShowsTheLastPixels) {
    scroller_->SetRect(0, 0, 400, 300);
    wxScrollBar* v = scroller_->VerticalBar();
    wxScrollBar* h = scroller_->HorizontalBar();
    Scroll(v, wxEVT_SCROLL_LINEDOWN);
    EXPECT_EQ(bigPage_->GetPosition(), wxPoint(0, -10));
    Scroll(v, wxEVT_SCROLL_PAGEDOWN);
    EXPECT_EQ(bigPage_->GetPosition(), wxPoint(0, -60));
    EXPECT_EQ(v->GetThumbPosition(), 60);
    Scroll(h, wxEVT_SCROLL_THUMBTRACK, 123);
    EXPECT_EQ(bigPage_->GetPosition(), wxPoint(-123, -60));
    Scroll(v, wxEVT_SCROLL_BOTTOM);
    // Visible height 284: the page's last row lands on the area's last row.
    EXPECT_EQ(bigPage_->GetPosition().y + 600, scroller_->Viewport()->GetSize().y);
    Scroll(v, wxEVT_SCROLL_LINEDOWN);
    EXPECT_EQ(scroller_->VerticalPosition(), 600 - 284);
    Scroll(h, wxEVT_SCROLL_TOP);
    EXPECT_EQ(bigPage_->GetPosition().x, 0);
}

TEST_F(CDialogScrollerGui, EnlargedAreaKeepsPositionsUntilThePageFits) {
    scroller_->SetRect(0, 0, 400, 300);
    Scroll(scroller_->VerticalBar(), wxEVT_SCROLL_THUMBTRACK, 250);
    Scroll(scroller_->HorizontalBar(), wxEVT_SCROLL_THUMBTRACK, 100);
    scroller_->SetRect(0, 0, 650, 450);
    EXPECT_EQ(scroller_->VerticalPosition(), 600 - 434) << "clamped to the new range";
    EXPECT_EQ(scroller_->HorizontalPosition(), 100);
    scroller_->SetRect(0, 0, 816, 450);  // wide enough once the vertical bar is in
    EXPECT_FALSE(scroller_->HorizontalBar()->IsShown());
    EXPECT_EQ(bigPage_->GetPosition(), wxPoint(0, -150));
    scroller_->SetRect(0, 0, 700, 700);
    EXPECT_FALSE(scroller_->VerticalBar()->IsShown());
    EXPECT_EQ(bigPage_->GetPosition(), wxPoint(0, 0));
}

TEST_F(CDialogScrollerGui, DestroyedPageIsForgotten) {
    scroller_->SetRect(0, 0, 400, 300);
    bigPage_->Destroy();
    Pump();
    EXPECT_EQ(scroller_->Page(), nullptr);
    scroller_->SetRect(0, 0, 300, 200);
    Scroll(scroller_->VerticalBar(), wxEVT_SCROLL_LINEDOWN);
    scroller_->ScrollTo(10, 10);
    // The next page takes over.
    auto* next = new wxPanel(scroller_->Viewport(), wxID_ANY, wxPoint(0, 0), wxSize(200, 900));
    scroller_->SetPage(next);
    scroller_->SetRect(0, 0, 400, 300);
    EXPECT_TRUE(scroller_->VerticalBar()->IsShown());
    EXPECT_FALSE(scroller_->HorizontalBar()->IsShown());
    Scroll(scroller_->VerticalBar(), wxEVT_SCROLL_PAGEDOWN);
    EXPECT_EQ(next->GetPosition(), wxPoint(0, -50));
}

}  // namespace
