// The Timbre and Vocoder pages inside the editor's page scroller, in an area
// smaller than the pages: the bars appear, the page moves under them, and
// showing it stores nothing.

#include <gtest/gtest.h>

#include <memory>

#include "PageGuiSupport.h"
#include "controls/wx/CDialogScroller.h"
#include "editors/TimbrePageTable.h"
#include "editors/wx/CDialogEditPrgTab3.h"
#include "editors/wx/CDialogEditPrgTab5.h"
#include "tests/editors/InRangeProgram.h"
#include "tests/support/RecordingProgram.h"

namespace {

using namespace editors_test;
using velktest::RecordingProgram;

using SynthPagesInScrollerGui = PageGuiTest;

TEST_F(SynthPagesInScrollerGui, BothPagesScrollUnderTheBarsAndStoreNothing) {
    RecordingProgram program;
    PresetEveryPageIntoRange(program);
    auto* editor = new wxPanel(frame_, wxID_ANY, wxPoint(0, 0), wxSize(700, 500));
    quendar::CDialogScroller scroller(*editor);
    wxWindow* pages[] = {new CDialogEditPrgTab3(scroller.Viewport(), program, timbrepage::kTimbre2Base),
                         new CDialogEditPrgTab5(scroller.Viewport(), program)};
    for (wxWindow* page : pages) {
        for (wxWindow* other : pages) other->Show(other == page);
        scroller.SetPage(page);
        scroller.SetRect(0, 0, 700, 500);
        Pump();
        EXPECT_TRUE(scroller.VerticalBar()->IsShown());
        EXPECT_TRUE(scroller.HorizontalBar()->IsShown());
        scroller.ScrollTo(120, 60);
        Pump();
        EXPECT_EQ(page->GetPosition(), wxPoint(-60, -120));
    }
    SaveShot(*editor, "vocoder_page_in_scroller_scrolled");
    EXPECT_TRUE(program.stores.empty());
}

}  // namespace
