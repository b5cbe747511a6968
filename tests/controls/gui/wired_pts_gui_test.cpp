#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include <wx/image.h>

#include "ControlsGuiFixture.h"
#include "controls/wx/CWiredPts.h"

namespace {

constexpr std::uint32_t kSustain = CWiredPtsModel::kSustainFlag;

class CWiredPtsGui : public ControlsGuiTest {
protected:
    void MakeGraph(int clientWidth, int clientHeight) {
        graph_ = new CWiredPts(page_, 1101, wxPoint(10, 10), wxDefaultSize);
        graph_->SetClientSize(clientWidth, clientHeight);
        page_->Bind(EVT_CWIREDPTS_CHANGED, [this](wxCommandEvent& e) {
            EXPECT_EQ(e.GetId(), 1101);
            changed_.push_back(CWiredPts::NoticeWord(e));
        });
        page_->Bind(EVT_CWIREDPTS_RELEASEDCAPTURE,
                    [this](wxCommandEvent& e) { released_.push_back(CWiredPts::NoticeWord(e)); });
    }

    CWiredPts* graph_ = nullptr;
    std::vector<std::uint32_t> changed_;
    std::vector<std::uint32_t> released_;
};

TEST_F(CWiredPtsGui, DecayDragReachesTheParentWithFlagBits) {
    // Client 524 x 143: one pixel per value (see the model's tests).
    MakeGraph(524, 143);
    graph_->SetEnvelope(0, 0, 127, 0);
    EXPECT_EQ(changed_, std::vector<std::uint32_t>{127u | kSustain});
    changed_.clear();
    // The decay point sits on the attack point, which is picked first; move
    // the decay point away from it.
    graph_->SetDecay(20);
    changed_.clear();
    Mouse(*graph_, wxEVT_LEFT_DOWN, 28, 8, true);
    EXPECT_EQ(graph_->Model().DraggedIndex(), 2);
    EXPECT_TRUE(graph_->HasCapture());
    Mouse(*graph_, wxEVT_MOTION, 28, 48, true);
    Mouse(*graph_, wxEVT_LEFT_UP, 28, 48, false);
    EXPECT_FALSE(graph_->HasCapture());
    EXPECT_EQ(changed_, std::vector<std::uint32_t>{87u | kSustain});
    EXPECT_EQ(released_, std::vector<std::uint32_t>{0x60000000u});
}

TEST_F(CWiredPtsGui, LostCaptureEndsTheDrag) {
    MakeGraph(524, 143);
    graph_->SetEnvelope(10, 20, 30, 40);
    Mouse(*graph_, wxEVT_LEFT_DOWN, 429, 135, true);
    Mouse(*graph_, wxEVT_MOTION, 450, 135, true);
    graph_->ReleaseMouse();
    wxMouseCaptureLostEvent lost(graph_->GetId());
    lost.SetEventObject(graph_);
    graph_->ProcessWindowEvent(lost);
    EXPECT_EQ(released_, std::vector<std::uint32_t>{CWiredPtsModel::kReleaseFlag});
    Mouse(*graph_, wxEVT_MOTION, 500, 135, true);
    EXPECT_EQ(graph_->GetRelease(), 61);
}

TEST_F(CWiredPtsGui, DraggedHandleIsRedUntilReleased) {
    MakeGraph(524, 143);
    graph_->SetEnvelope(10, 20, 30, 40);
    Mouse(*graph_, wxEVT_LEFT_DOWN, 389, 105, true);
    wxImage image = CWiredPts::Render(graph_->Model()).ConvertToImage();
    EXPECT_EQ(image.GetRed(389, 105), 255);
    EXPECT_EQ(image.GetGreen(389, 105), 0);
    Mouse(*graph_, wxEVT_LEFT_UP, 389, 105, false);
    image = CWiredPts::Render(graph_->Model()).ConvertToImage();
    EXPECT_EQ(image.GetRed(389, 105), 0xA0);
    EXPECT_EQ(image.GetGreen(389, 105), 0x80);
    EXPECT_EQ(image.GetRed(200, 30), 0xA0) << "background";
}

TEST_F(CWiredPtsGui, TinyGraphPaintsAndDragsSafely) {
    MakeGraph(12, 10);
    graph_->SetEnvelope(64, 64, 64, 64);
    graph_->Refresh();
    graph_->Update();
    const auto& p = graph_->Model().Points()[CWiredPtsModel::kDecay];
    Mouse(*graph_, wxEVT_LEFT_DOWN, p.x, p.y, true);
    Mouse(*graph_, wxEVT_MOTION, p.x + 5, p.y - 5, true);
    Mouse(*graph_, wxEVT_LEFT_UP, p.x + 5, p.y - 5, false);
    EXPECT_LE(graph_->GetSustain(), 127);
    EXPECT_GE(graph_->GetSustain(), 0);
}

}  // namespace
