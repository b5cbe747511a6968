#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <wx/dcmemory.h>
#include <wx/dcclient.h>
#include <wx/image.h>
#include <wx/notebook.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "ControlsGuiFixture.h"
#include "controls/wx/CDial.h"
#include "tests/guitest/RealInput.h"

namespace {

class CDialGui : public ControlsGuiTest {
protected:
    void SetUp() override {
        ControlsGuiTest::SetUp();
        dial_ = new CDial(page_, 1013, wxPoint(20, 20), wxSize(44, 52));
        page_->Bind(EVT_CDIAL_CHANGED, [this](wxCommandEvent& e) {
            EXPECT_EQ(e.GetId(), 1013);
            changed_.push_back(e.GetInt());
        });
        page_->Bind(EVT_CDIAL_RELEASEDCAPTURE, [this](wxCommandEvent& e) {
            EXPECT_EQ(e.GetId(), 1013);
            released_.push_back(e.GetInt());
        });
        page_->Bind(EVT_CDIAL_CLICKED, [this](wxCommandEvent&) { ++clicked_; });
        Pump();
    }

    CDial* dial_ = nullptr;
    std::vector<int> changed_;
    std::vector<int> released_;
    int clicked_ = 0;
};

TEST_F(CDialGui, PlaceholderBecomesASquareOfItsShorterSide) {
    EXPECT_EQ(dial_->GetSize(), wxSize(44, 44));
    dial_->SetSize(60, 50);
    EXPECT_EQ(dial_->GetSize(), wxSize(50, 50));
    EXPECT_EQ(dial_->Model().Radius(), 25);
}

TEST_F(CDialGui, DragNotifiesTheParentAndReleaseEndsIt) {
    // Centre (22, 22): the top is (22, 4), 3 o'clock (40, 22).
    dial_->SetValue(50);
    Mouse(*dial_, wxEVT_LEFT_DOWN, 12, 32, true);
    EXPECT_TRUE(dial_->HasCapture());
    Mouse(*dial_, wxEVT_MOTION, 22, 4, true);
    Mouse(*dial_, wxEVT_MOTION, 40, 22, true);
    Mouse(*dial_, wxEVT_LEFT_UP, 40, 22, false);
    EXPECT_FALSE(dial_->HasCapture());
    EXPECT_EQ(changed_, (std::vector<int>{127, 209}));
    EXPECT_EQ(released_, std::vector<int>{209});
    EXPECT_EQ(clicked_, 1);
    EXPECT_EQ(dial_->GetValue(), 209);
}

TEST_F(CDialGui, PressOnACornerDoesNotReachTheKnob) {
    Mouse(*dial_, wxEVT_LEFT_DOWN, 1, 1, true);
    Mouse(*dial_, wxEVT_MOTION, 22, 4, true);
    Mouse(*dial_, wxEVT_LEFT_UP, 22, 4, false);
    EXPECT_FALSE(dial_->HasCapture());
    EXPECT_TRUE(changed_.empty());
    EXPECT_TRUE(released_.empty());
    EXPECT_EQ(clicked_, 0);
}

TEST_F(CDialGui, LostCaptureDuringADragEndsItWithAReleaseNotice) {
    dial_->SetValue(50);
    Mouse(*dial_, wxEVT_LEFT_DOWN, 12, 32, true);
    Mouse(*dial_, wxEVT_MOTION, 22, 4, true);
    // Another window takes the pointer: wx releases the capture and tells us.
    dial_->ReleaseMouse();
    wxMouseCaptureLostEvent lost(dial_->GetId());
    lost.SetEventObject(dial_);
    dial_->ProcessWindowEvent(lost);
    EXPECT_EQ(released_, std::vector<int>{127});
    // Hovering afterwards changes nothing.
    Mouse(*dial_, wxEVT_MOTION, 40, 22, false);
    Mouse(*dial_, wxEVT_MOTION, 40, 22, true);
    EXPECT_EQ(dial_->GetValue(), 127);
    EXPECT_EQ(changed_, std::vector<int>{127});
}

// The simulator's input reaches the X server on a connection of its own. Each
// check below is a round trip on our own connection: once the server reports
// the new pointer or key state, the events that input caused for our windows
// are already queued here, and Pump dispatches them. No time is waited on.
template <class Shown>
void UntilServerShows(Shown shown) {
    for (int pass = 0; pass < 10000 && !shown(); ++pass) {
    }
    ControlsGuiTest::Pump();
}

TEST_F(CDialGui, SimulatedDragAndShiftClick) {
    dial_->SetValue(50);
    wxUIActionSimulator sim;
    const wxPoint origin = dial_->ClientToScreen(wxPoint(0, 0));
    const auto moveTo = [&](wxPoint p) {
        sim.MouseMove(origin + p);
        UntilServerShows([&] { return wxGetMousePosition() == origin + p; });
    };
    const auto leftButton = [&](bool down) {
        down ? sim.MouseDown() : sim.MouseUp();
        UntilServerShows([&] { return wxGetMouseState().LeftIsDown() == down; });
    };
    moveTo(wxPoint(12, 32));
    leftButton(true);
    moveTo(wxPoint(22, 4));
    moveTo(wxPoint(40, 22));
    leftButton(false);
    EXPECT_EQ(changed_, (std::vector<int>{127, 209}));
    EXPECT_EQ(released_, std::vector<int>{209});

    sim.KeyDown(WXK_SHIFT);
    UntilServerShows([] { return wxGetKeyState(WXK_SHIFT); });
    leftButton(true);
    leftButton(false);
    sim.KeyUp(WXK_SHIFT);
    UntilServerShows([] { return !wxGetKeyState(WXK_SHIFT); });
    EXPECT_EQ(changed_, (std::vector<int>{127, 209, 128})) << "Shift+click restores the default";
    EXPECT_EQ(released_.size(), 1u) << "a Shift+click takes no capture";
    EXPECT_EQ(clicked_, 2);
}

TEST_F(CDialGui, RenderedKnobIsRoundLitFromTheUpperLeft) {
    const wxColour background(10, 200, 10);
    const wxImage image = CDial::Render(dial_->Model(), 44, background).ConvertToImage();
    const auto near = [&](int x, int y, int r, int g, int b) {
        return std::abs(image.GetRed(x, y) - r) < 24 && std::abs(image.GetGreen(x, y) - g) < 24 &&
               std::abs(image.GetBlue(x, y) - b) < 24;
    };
    EXPECT_TRUE(near(0, 0, 10, 200, 10)) << "corners show the parent";
    EXPECT_TRUE(near(43, 43, 10, 200, 10));
    EXPECT_TRUE(near(9, 9, 255, 255, 255)) << "the ring is white towards the light";
    EXPECT_TRUE(near(35, 35, 0, 0, 0)) << "and black opposite it";
    EXPECT_TRUE(near(22, 31, 0xA0, 0x80, 0x80)) << "the cap in the knob colour";
    EXPECT_TRUE(near(21, 10, 255, 255, 255)) << "value 128 of 0..255 points straight up";
}

// A page in a tab is drawn by GTK's theme (white here), whatever colour the
// page reports: the knob's corners show the page as it is drawn, also when
// the knob repaints itself alone.
TEST_F(CDialGui, CornersShowThePageAsItIsDrawnInATab) {
    auto* tabs = new wxNotebook(page_, wxID_ANY, wxPoint(0, 0), wxSize(300, 200));
    auto* tab = new wxPanel(tabs);
    tabs->AddPage(tab, "Page");
    auto* knob = new CDial(tab, 2000, wxPoint(40, 40), wxSize(44, 44));
    knob->SetValue(0);
    // What the tab's window shows around the knob (its controls included).
    const auto shot = [&] {
        const wxRect around = knob->GetRect().Inflate(4);
        wxClientDC source(tab);
        wxBitmap bitmap(around.GetSize(), 24);
        wxMemoryDC memory(bitmap);
        memory.Blit(0, 0, around.width, around.height, &source, around.x, around.y);
        memory.SelectObject(wxNullBitmap);
        return bitmap.ConvertToImage();
    };
    const auto colour = [](const wxImage& image, int x, int y) {
        return std::string(wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y))
                               .GetAsString(wxC2S_HTML_SYNTAX)
                               .utf8_str());
    };
    // (4, 4) is the knob's top left corner, (1, 1) the page beside it, (26,
    // 26) the knob's cap.
    const std::string cap = "#A08080";
    wxImage image;
    ASSERT_TRUE(guitest::Until([&] {
        image = shot();
        return colour(image, 26, 26) == cap;
    })) << "the knob was not drawn";
    EXPECT_EQ(colour(image, 4, 4), colour(image, 1, 1));
    EXPECT_EQ(colour(image, 47, 47), colour(image, 1, 1));

    const std::string indicator = colour(image, 16, 34);
    knob->SetValue(255);
    ASSERT_TRUE(guitest::Until([&] {
        image = shot();
        return colour(image, 16, 34) != indicator;
    })) << "the knob was not drawn again";
    EXPECT_EQ(colour(image, 4, 4), colour(image, 1, 1));
    EXPECT_EQ(colour(image, 4, 47), colour(image, 1, 1));
}

TEST_F(CDialGui, SingleValueRangeRendersAtTheStartAngle) {
    dial_->SetRange(5, 5, 5);
    const wxImage image = CDial::Render(dial_->Model(), 44, *wxBLACK).ConvertToImage();
    // The white indicator runs towards 230 degrees (lower left).
    EXPECT_GT(image.GetRed(14, 30), 200);
    EXPECT_GT(image.GetBlue(14, 30), 200);
}

}  // namespace
