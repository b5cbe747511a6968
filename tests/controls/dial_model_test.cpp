#include <gtest/gtest.h>

#include <vector>

#include "controls/CDialModel.h"

namespace {

// Records the knob's notices in order.
struct DialNotices : CDialModel::Listener {
    std::vector<int> changed;
    std::vector<int> released;
    int invalidated = 0;
    void DialChanged(int value) override { changed.push_back(value); }
    void DialReleasedCapture(int value) override { released.push_back(value); }
    void DialInvalidate() override { ++invalidated; }
};

struct PointCase {
    const char* where;
    int minimum, maximum;
    int dx, dy;
    int expected;
};

TEST(CDialModel, ValueFollowsTheAngleAroundTheCentre) {
    // clang-format off
    const PointCase cases[] = {
        {"start angle 230", 0, 255, -643, -766, 0},
        {"top", 0, 255, 0, 100, 127},
        {"3 o'clock", 0, 255, 100, 0, 209},
        {"9 o'clock", 0, 255, -100, 0, 45},
        {"just past the end angle", 0, 255, 600, -800, 255},
        {"dead zone, start side of straight down", 0, 255, -1, -100, 0},
        {"dead zone, end side of straight down", 0, 255, 1, -100, 255},
        {"straight down", 0, 255, 0, -100, 255},
        {"distance does not matter", 0, 255, 0, 3, 127},
        {"reversed range, start side of the gap", 10, 0, -600, -800, 10},
        {"reversed range, just inside the start truncates", 10, 0, -643, -766, 9},
        {"reversed range, top", 10, 0, 0, 100, 5},
        {"reversed range, end", 10, 0, 600, -800, 0},
        {"reversed range, 9 o'clock", 127, 0, -100, 0, 104},
        {"negative range, top", -64, 63, 0, 100, 0},
        {"negative range, 9 o'clock", -64, 63, -100, 0, -41},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        DialNotices notices;
        CDialModel dial(notices);
        dial.SetRange(c.minimum, c.maximum, 1000);
        dial.SetValueFromPoint(c.dx, c.dy);
        EXPECT_EQ(dial.GetValue(), c.expected);
    }
}

TEST(CDialModel, RangeKeepsItsOrderAndClampsDefaultAndValue) {
    DialNotices notices;
    CDialModel dial(notices);
    EXPECT_EQ(dial.GetValue(), 128);
    dial.SetRange(10, 0, 20);
    EXPECT_EQ(dial.GetMinimum(), 10);
    EXPECT_EQ(dial.GetMaximum(), 0);
    EXPECT_EQ(dial.GetDefault(), 10);
    EXPECT_EQ(dial.GetValue(), 10);
    EXPECT_EQ(dial.IndicatorAngle(), CDialModel::kStartAngle) << "the start angle shows 10";
    dial.SetValue(-7);
    EXPECT_EQ(dial.GetValue(), 0);
    EXPECT_EQ(dial.IndicatorAngle(), CDialModel::kEndAngle);
    dial.SetValue(99);
    EXPECT_EQ(dial.GetValue(), 10);
    EXPECT_TRUE(notices.changed.empty()) << "SetValue and SetRange never notify";
}

TEST(CDialModel, SingleValueRangeDrawsTheIndicatorAtTheStart) {
    DialNotices notices;
    CDialModel dial(notices);
    dial.SetRange(5, 5, 5);
    EXPECT_EQ(dial.IndicatorAngle(), CDialModel::kStartAngle);
    dial.SetValueFromPoint(0, 100);
    EXPECT_EQ(dial.GetValue(), 5);
}

// Mouse cycles on a knob of side 40 (radius 20, centre (20, 20)).
struct MouseStep {
    enum Kind { kDown, kShiftDown, kMove, kMoveNoButton, kUp, kLost } kind;
    int x, y;
};

struct MouseCase {
    const char* name;
    int startValue;
    std::vector<MouseStep> steps;
    std::vector<int> changed;
    std::vector<int> released;
};

TEST(CDialModel, NoticesForPressDragAndShiftClick) {
    using S = MouseStep;
    const MouseCase cases[] = {
        {"click without movement", 50, {{S::kDown, 20, 5}, {S::kUp, 20, 5}}, {}, {50}},
        {"drag to the top and on to 3 o'clock",
         50,
         {{S::kDown, 10, 30}, {S::kMove, 20, 2}, {S::kMove, 38, 20}, {S::kUp, 38, 20}},
         {127, 209},
         {209}},
        {"release elsewhere after a move sets the value from the release point",
         50,
         {{S::kDown, 10, 30}, {S::kMove, 20, 2}, {S::kUp, 2, 20}},
         {127, 45},
         {45}},
        {"shift-click away from the default resets without a drag",
         50,
         {{S::kShiftDown, 20, 5}, {S::kMove, 20, 2}, {S::kUp, 20, 2}},
         {128},
         {}},
        {"shift-click at the default sends nothing", 128, {{S::kShiftDown, 20, 5}, {S::kUp, 20, 5}}, {}, {}},
        {"press outside the circle is ignored",
         50,
         {{S::kDown, 1, 1}, {S::kMove, 20, 2}, {S::kUp, 20, 2}},
         {},
         {}},
        {"moves without the button do not turn the knob",
         50,
         {{S::kDown, 10, 30}, {S::kMoveNoButton, 20, 2}, {S::kUp, 10, 30}},
         {},
         {50}},
        {"lost capture ends the drag at the last position",
         50,
         {{S::kDown, 10, 30},
          {S::kMove, 20, 2},
          {S::kLost, 0, 0},
          {S::kMove, 38, 20},
          {S::kMoveNoButton, 38, 20},
          {S::kUp, 38, 20}},
         {127},
         {127}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DialNotices notices;
        CDialModel dial(notices);
        dial.SetSide(40);
        dial.SetValue(c.startValue);
        for (const auto& s : c.steps) {
            switch (s.kind) {
            case S::kDown: dial.LeftDown(s.x, s.y, false); break;
            case S::kShiftDown: EXPECT_FALSE(dial.LeftDown(s.x, s.y, true)); break;
            case S::kMove: dial.MouseMove(s.x, s.y, true); break;
            case S::kMoveNoButton: dial.MouseMove(s.x, s.y, false); break;
            case S::kUp: dial.LeftUp(s.x, s.y); break;
            case S::kLost: dial.CaptureLost(); break;
            }
        }
        EXPECT_EQ(notices.changed, c.changed);
        EXPECT_EQ(notices.released, c.released);
        EXPECT_FALSE(dial.IsTracking());
    }
}

TEST(CDialModel, IndicatorGeometry) {
    struct Case {
        int side, minimum, maximum, value;
        CDialModel::Indicator expected;
    };
    // clang-format off
    const Case cases[] = {
        {44, 0, 255, 0, {9, 11, 34, 19, 24}},      // start angle 230
        {44, 0, 255, 255, {9, 31, 34, 23, 24}},    // end angle -50
        {44, 0, 100, 50, {9, 21, 4, 21, 17}},      // 90 degrees, straight up
        {52, 0, 29, 14, {9, 24, 5, 25, 21}},       // EQ knob near its middle
        {38, 5, 5, 5, {7, 9, 29, 17, 20}},         // single value: start angle
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "side " << c.side << " value " << c.value);
        DialNotices notices;
        CDialModel dial(notices);
        dial.SetRange(c.minimum, c.maximum, c.minimum);
        dial.SetValue(c.value);
        const auto got = dial.IndicatorFor(c.side);
        EXPECT_EQ(got.width, c.expected.width);
        EXPECT_EQ(got.outerX, c.expected.outerX);
        EXPECT_EQ(got.outerY, c.expected.outerY);
        EXPECT_EQ(got.innerX, c.expected.innerX);
        EXPECT_EQ(got.innerY, c.expected.innerY);
    }
}

TEST(CDialModel, RingIsLitFromTheUpperLeftAndDarkOpposite) {
    // Side 44: the ring's rectangle is the square inflated by 2 (48 wide),
    // N = 48 / 10 + 10 = 14 steps, 2N wedges.
    const auto ring = CDialModel::Ring(-2, -2, 46, 46);
    ASSERT_EQ(ring.size(), 28u);
    EXPECT_EQ(ring.front().step, 0);
    EXPECT_EQ(ring.front().red, 255);
    EXPECT_EQ(ring.front().green, 255);
    EXPECT_EQ(ring.front().blue, 255);
    EXPECT_EQ(ring.back().step, 14);
    EXPECT_EQ(ring.back().red, 0) << "even N: the wedge opposite the light is black";
    EXPECT_EQ(ring.back().blue, 0);
    // The lit wedge straddles 135 degrees: its points lie up-left of the centre.
    EXPECT_LT(ring.front().fromX, 23);
    EXPECT_LT(ring.front().fromY, 23);
    // Step H = 7 has the knob colour itself; steps darken monotonically.
    EXPECT_EQ(CDialModel::Shade(0xA0, 7, 14, 100, 100), 0xA0);
    EXPECT_EQ(CDialModel::Shade(0x80, 3, 14, 100, 100), 0x80 + 4 * 127 / 7);
    EXPECT_EQ(CDialModel::Shade(0x80, 10, 14, 100, 100), 0x80 - 0x80 * 3 / 7);
    // Both wedges of a step share its shade, and the shade darkens step by step.
    for (std::size_t i = 1; i + 2 < ring.size(); i += 2) {
        EXPECT_EQ(ring[i].red, ring[i + 1].red);
        if (i + 3 < ring.size()) {
            EXPECT_GE(ring[i].red, ring[i + 2].red);
        }
    }
}

TEST(CDialModel, HitTestIsTheInscribedCircle) {
    DialNotices notices;
    CDialModel dial(notices);
    dial.SetSide(40);
    EXPECT_TRUE(dial.Contains(20, 20));
    EXPECT_TRUE(dial.Contains(20, 0));
    EXPECT_TRUE(dial.Contains(0, 20));
    EXPECT_TRUE(dial.Contains(39, 20));
    EXPECT_FALSE(dial.Contains(0, 0));
    EXPECT_FALSE(dial.Contains(39, 39));
    EXPECT_FALSE(dial.Contains(4, 4));
    EXPECT_TRUE(dial.Contains(7, 7));
}

}  // namespace
