#include <gtest/gtest.h>

#include <wx/dcclient.h>
#include <wx/textctrl.h>

#include "ControlsGuiFixture.h"
#include "controls/wx/C2StateButton.h"

namespace {

class C2StateButtonGui : public ControlsGuiTest {
protected:
    void SetUp() override {
        ControlsGuiTest::SetUp();
        // 21 x 14 dialog units, as on the pages.
        button_ =
            new C2StateButton(page_, 1032, wxPoint(10, 10), page_->ConvertDialogToPixels(wxSize(21, 14)));
        page_->Bind(wxEVT_BUTTON, [this](wxCommandEvent& e) {
            EXPECT_EQ(e.GetId(), 1032);
            statesSeen_.push_back(button_->State());
        });
        Pump();
    }

    C2StateButton* button_ = nullptr;
    std::vector<int> statesSeen_;
};

TEST_F(C2StateButtonGui, ClickTogglesAndTheParentSeesTheNewState) {
    EXPECT_EQ(button_->Text(), "On");
    EXPECT_TRUE(button_->LooksPushed());
    Mouse(*button_, wxEVT_LEFT_DOWN, 5, 5, true);
    Mouse(*button_, wxEVT_LEFT_UP, 5, 5, false);
    EXPECT_EQ(button_->State(), 1);
    EXPECT_EQ(button_->GetLabel(), "Off");
    EXPECT_FALSE(button_->LooksPushed());
    Mouse(*button_, wxEVT_LEFT_DOWN, 5, 5, true);
    Mouse(*button_, wxEVT_LEFT_UP, 5, 5, false);
    EXPECT_EQ(statesSeen_, (std::vector<int>{1, 0}));
    EXPECT_TRUE(button_->LooksPushed());
}

TEST_F(C2StateButtonGui, ReleaseOutsideIsNoClick) {
    Mouse(*button_, wxEVT_LEFT_DOWN, 5, 5, true);
    EXPECT_TRUE(button_->LooksPushed());
    Mouse(*button_, wxEVT_LEFT_UP, 300, 300, false);
    EXPECT_EQ(button_->State(), 0);
    EXPECT_TRUE(statesSeen_.empty());
}

TEST_F(C2StateButtonGui, ClickFromCodeWithoutFocusIsNotPassedOn) {
    auto* other = new wxTextCtrl(page_, wxID_ANY, "", wxPoint(200, 10));
    other->SetFocus();
    Pump();
    button_->SetState(1);
    ASSERT_FALSE(button_->HasFocus());
    wxCommandEvent click(wxEVT_BUTTON, button_->GetId());
    button_->Command(click);
    EXPECT_EQ(button_->State(), 1);
    EXPECT_TRUE(statesSeen_.empty());
}

TEST_F(C2StateButtonGui, SetStateKeepsTextsNotGiven) {
    button_->SetState(1);
    EXPECT_EQ(button_->GetLabel(), "Off");
    EXPECT_FALSE(button_->LooksPushed());
    button_->SetState(0, "Stop", std::nullopt);
    EXPECT_EQ(button_->GetLabel(), "On");
    EXPECT_TRUE(button_->LooksPushed());
    EXPECT_TRUE(statesSeen_.empty()) << "SetState sends nothing";
}

TEST_F(C2StateButtonGui, BothTextsFitTheDialogUnitSize) {
    wxClientDC dc(button_);
    dc.SetFont(button_->GetFont());
    const wxSize size = button_->GetSize();
    for (const char* text : {"On", "Off"}) {
        const wxSize extent = dc.GetTextExtent(text);
        EXPECT_LE(extent.x + 8, size.x) << text;
        EXPECT_LE(extent.y + 4, size.y) << text;
    }
    const wxSize best = button_->GetBestSize();
    EXPECT_LE(best.x, size.x);
    EXPECT_LE(best.y, size.y);
}

}  // namespace
