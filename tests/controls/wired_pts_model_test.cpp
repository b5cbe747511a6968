#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "controls/CWiredPtsModel.h"

namespace {

using Notice = std::pair<int, std::uint32_t>;  // value, flag

struct GraphNotices : CWiredPtsModel::Listener {
    std::vector<Notice> changed;
    std::vector<std::uint32_t> released;
    void WiredPtsChanged(int value, std::uint32_t flag) override { changed.emplace_back(value, flag); }
    void WiredPtsReleasedCapture(std::uint32_t flags) override { released.push_back(flags); }
    void WiredPtsInvalidate() override {}
};

constexpr std::uint32_t A = CWiredPtsModel::kAttackFlag;
constexpr std::uint32_t D = CWiredPtsModel::kDecayFlag;
constexpr std::uint32_t S = CWiredPtsModel::kSustainFlag;
constexpr std::uint32_t R = CWiredPtsModel::kReleaseFlag;

// A client area of 524 x 143 gives R = (8, 8, 516, 135) and q = 127: one
// pixel per value, so positions read as left + value and bottom - value.
constexpr int kWidth = 524;
constexpr int kHeight = 143;

struct Pos {
    int x, y;
    bool operator==(const Pos&) const = default;
};

Pos At(const CWiredPtsModel& g, int i) {
    const auto& p = g.Points()[static_cast<std::size_t>(i)];
    return {p.x, p.y};
}

TEST(CWiredPtsModel, EnvelopePlacesTheFivePoints) {
    struct Case {
        int a, d, s, r;
        Pos start, attack, decay, sustain, release;
        std::vector<Notice> changed;
    };
    const Case cases[] = {
        {0, 0, 127, 0, {8, 135}, {8, 8}, {8, 8}, {389, 8}, {389, 135}, {{127, S}}},
        {10,
         20,
         30,
         40,
         {8, 135},
         {18, 8},
         {38, 105},
         {389, 105},
         {429, 135},
         {{10, A}, {20, D}, {30, S}, {40, R}}},
        {127,
         127,
         0,
         127,
         {8, 135},
         {135, 8},
         {262, 135},
         {389, 135},
         {516, 135},
         {{127, A}, {127, D}, {127, R}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << "," << c.d << "," << c.s << "," << c.r);
        GraphNotices notices;
        CWiredPtsModel graph(notices, kWidth, kHeight);
        graph.SetEnvelope(c.a, c.d, c.s, c.r);
        EXPECT_EQ(At(graph, 0), c.start);
        EXPECT_EQ(At(graph, 1), c.attack);
        EXPECT_EQ(At(graph, 2), c.decay);
        EXPECT_EQ(At(graph, 3), c.sustain);
        EXPECT_EQ(At(graph, 4), c.release);
        EXPECT_EQ(notices.changed, c.changed);
        EXPECT_EQ(graph.GetAttack(), c.a);
        EXPECT_EQ(graph.GetDecay(), c.d);
        EXPECT_EQ(graph.GetSustain(), c.s);
        EXPECT_EQ(graph.GetRelease(), c.r);
    }
}

struct DragCase {
    const char* name;
    Pos press, move;
    int dragged;  // -1: nothing picked
    int a, d, s, r;
    std::vector<Notice> changed;
    std::vector<std::uint32_t> released;
};

TEST(CWiredPtsModel, DragEachPointAndTheSustainSegment) {
    // Envelope (10, 20, 30, 40): attack (18, 8), decay (38, 105),
    // sustain (389, 105), release (429, 135).
    // clang-format off
    const DragCase cases[] = {
        {"attack right, clamped to the top line", {18, 8}, {50, 100}, 1, 42, 20, 30, 40, {{42, A}}, {A}},
        {"attack past its range", {17, 5}, {400, 8}, 1, 127, 20, 30, 40, {{127, A}}, {A}},
        {"decay diagonally", {38, 105}, {48, 95}, 2, 10, 30, 40, 40, {{30, D}, {40, S}}, {D | S}},
        {"decay vertically changes only the sustain", {38, 105}, {38, 45}, 2, 10, 20, 90, 40, {{90, S}}, {D | S}},
        {"sustain handle moves only vertically", {389, 105}, {500, 35}, 3, 10, 20, 100, 40, {{100, S}}, {S}},
        {"sustain segment drags the level", {200, 105}, {200, 125}, 3, 10, 20, 10, 40, {{10, S}}, {S}},
        {"release to the right edge", {429, 135}, {600, 135}, 4, 10, 20, 30, 127, {{127, R}}, {R}},
        {"click without movement", {18, 8}, {18, 8}, 1, 10, 20, 30, 40, {}, {A}},
        {"start point is fixed", {8, 135}, {100, 50}, -1, 10, 20, 30, 40, {}, {}},
        {"empty space", {300, 20}, {100, 50}, -1, 10, 20, 30, 40, {}, {}},
        {"handle square excludes its right edge", {22, 8}, {100, 8}, -1, 10, 20, 30, 40, {}, {}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GraphNotices notices;
        CWiredPtsModel graph(notices, kWidth, kHeight);
        graph.SetEnvelope(10, 20, 30, 40);
        notices.changed.clear();
        EXPECT_EQ(graph.LeftDown(c.press.x, c.press.y), c.dragged >= 0);
        EXPECT_EQ(graph.DraggedIndex(), c.dragged);
        graph.MouseMove(c.move.x, c.move.y, true);
        graph.LeftUp(c.move.x, c.move.y);
        EXPECT_EQ(graph.DraggedIndex(), -1);
        EXPECT_EQ(graph.GetAttack(), c.a);
        EXPECT_EQ(graph.GetDecay(), c.d);
        EXPECT_EQ(graph.GetSustain(), c.s);
        EXPECT_EQ(graph.GetRelease(), c.r);
        EXPECT_EQ(notices.changed, c.changed);
        EXPECT_EQ(notices.released, c.released);
    }
}

TEST(CWiredPtsModel, AttackDragCarriesTheDecayPointAlong) {
    GraphNotices notices;
    CWiredPtsModel graph(notices, kWidth, kHeight);
    graph.SetEnvelope(10, 20, 30, 40);
    graph.LeftDown(18, 8);
    graph.MouseMove(68, 8, true);
    EXPECT_EQ(At(graph, 2), (Pos{88, 105})) << "the decay point keeps its distance";
    const auto& decay = graph.Points()[2];
    EXPECT_EQ(decay.limitLeft, 68);
    EXPECT_EQ(decay.limitRight, 68 + 127);
    EXPECT_EQ(graph.GetDecay(), 20);
}

TEST(CWiredPtsModel, DraggedPointSnapsToItsValue) {
    // q = (116 - 16) / 4 = 25: positions step in whole values of 127 / 25.
    GraphNotices notices;
    CWiredPtsModel graph(notices, 116, 80);
    graph.SetEnvelope(0, 0, 0, 0);
    graph.LeftDown(8, 8);
    graph.MouseMove(21, 8, true);  // (13 * 127) / 25 = 66
    EXPECT_EQ(graph.GetAttack(), 66);
    EXPECT_EQ(At(graph, 1), (Pos{8 + 66 * 25 / 127, 8}));
}

TEST(CWiredPtsModel, LostCaptureEndsTheDragWithItsReleaseNotice) {
    GraphNotices notices;
    CWiredPtsModel graph(notices, kWidth, kHeight);
    graph.SetEnvelope(10, 20, 30, 40);
    graph.LeftDown(429, 135);
    graph.MouseMove(450, 135, true);
    graph.CaptureLost();
    EXPECT_EQ(graph.DraggedIndex(), -1);
    EXPECT_EQ(notices.released, std::vector<std::uint32_t>{R});
    graph.MouseMove(500, 135, true);
    graph.MouseMove(510, 135, false);
    graph.LeftUp(510, 135);
    EXPECT_EQ(graph.GetRelease(), 61);
    EXPECT_EQ(notices.released.size(), 1u);
}

TEST(CWiredPtsModel, MovesWithoutTheButtonDoNotDrag) {
    GraphNotices notices;
    CWiredPtsModel graph(notices, kWidth, kHeight);
    graph.SetEnvelope(10, 20, 30, 40);
    graph.LeftDown(18, 8);
    graph.MouseMove(100, 8, false);
    EXPECT_EQ(graph.GetAttack(), 10);
}

TEST(CWiredPtsModel, SettersBeforeEnvelopeAndOutOfRangeValuesAreSafe) {
    GraphNotices notices;
    CWiredPtsModel graph(notices, kWidth, kHeight);
    EXPECT_EQ(graph.GetSustain(), 0);
    EXPECT_FALSE(graph.LeftDown(8, 8)) << "nothing to pick before the envelope";
    graph.SetAttack(50);
    graph.SetSustain(-5);
    graph.SetRelease(400);
    EXPECT_EQ(graph.GetAttack(), 50);
    EXPECT_EQ(graph.GetSustain(), 0);
    EXPECT_EQ(graph.GetRelease(), 127);
    EXPECT_EQ(notices.changed, (std::vector<Notice>{{50, A}, {127, R}}));
}

TEST(CWiredPtsModel, TinyClientAreaDragsWithoutDividingByZero) {
    struct Case {
        int width, height;
    };
    // 19 wide: q = 0; 16 high: no vertical span; 10 high: R turned over.
    const Case cases[] = {{19, 40}, {40, 16}, {40, 10}, {4, 4}, {0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
        GraphNotices notices;
        CWiredPtsModel graph(notices, c.width, c.height);
        graph.SetEnvelope(64, 64, 64, 64);
        for (int i = 1; i < CWiredPtsModel::kCount; ++i) {
            const Pos p = At(graph, i);
            if (graph.LeftDown(p.x, p.y)) {
                graph.MouseMove(p.x + 30, p.y - 30, true);
                graph.LeftUp(p.x - 30, p.y + 30);
            }
        }
        for (int v : {graph.GetAttack(), graph.GetDecay(), graph.GetSustain(), graph.GetRelease()}) {
            EXPECT_GE(v, 0);
            EXPECT_LE(v, 127);
        }
    }
}

}  // namespace
