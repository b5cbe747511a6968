// The pages inside the editor's page scroller, in an area smaller than the
// page (the editor at its smallest): the scroller shows its bars and the
// page moves under them.

#include <gtest/gtest.h>

#include "PageGuiSupport.h"
#include "controls/wx/CDialogScroller.h"
#include "editors/wx/CDialogEditPrgTab1.h"
#include "editors/wx/CDialogEditPrgTab2.h"
#include "tests/editors/InRangeProgram.h"
#include "tests/support/RecordingProgram.h"

namespace {

using namespace editors_test;
using velktest::RecordingProgram;

class PageInScrollerGui : public PageGuiTest {
protected:
    void SetUp() override {
        PageGuiTest::SetUp();
        PresetEveryPageIntoRange(program_);
        editor_ = new wxPanel(frame_, wxID_ANY, wxPoint(0, 0), wxSize(600, 340));
        scroller_ = std::make_unique<quendar::CDialogScroller>(*editor_);
    }
    void TearDown() override {
        scroller_.reset();
        PageGuiTest::TearDown();
    }
    void Show(wxWindow* page) {
        scroller_->SetPage(page);
        scroller_->SetRect(0, 0, 600, 340);
        Pump();
    }

    RecordingProgram program_;
    wxPanel* editor_ = nullptr;
    std::unique_ptr<quendar::CDialogScroller> scroller_;
};

TEST_F(PageInScrollerGui, PagesLargerThanTheAreaScrollAndStoreNothing) {
    auto* effect = new CDialogEditPrgTab1(scroller_->Viewport(), program_);
    Show(effect);
    EXPECT_TRUE(scroller_->VerticalBar()->IsShown());
    EXPECT_TRUE(scroller_->HorizontalBar()->IsShown());
    SaveShot(*editor_, "effect_page_in_scroller");
    scroller_->ScrollTo(100, 80);
    Pump();
    EXPECT_EQ(effect->GetPosition(), wxPoint(-80, -100));
    SaveShot(*editor_, "effect_page_in_scroller_scrolled");
    effect->Destroy();

    auto* arpeggio = new CDialogEditPrgTab2(scroller_->Viewport(), program_, 2);
    Show(arpeggio);
    EXPECT_TRUE(scroller_->VerticalBar()->IsShown());
    EXPECT_FALSE(scroller_->HorizontalBar()->IsShown());
    SaveShot(*editor_, "arpeggio_page_in_scroller");
    EXPECT_TRUE(program_.stores.empty());
}

}  // namespace
