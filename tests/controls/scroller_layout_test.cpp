#include <gtest/gtest.h>

#include "controls/CDialogScrollerLayout.h"

namespace {

using quendar::LayOutScroller;
using quendar::ScrollRequest;

struct Bar {
    bool shown;
    int x, y, width, height, rangeMax, page, position;
};

constexpr Bar kHidden{false, 0, 0, 0, 0, 0, 0, 0};

void ExpectBar(const quendar::ScrollBarPlacement& got, const Bar& want) {
    EXPECT_EQ(got.shown, want.shown);
    if (!want.shown) {
        EXPECT_EQ(got.position, 0);
        return;
    }
    EXPECT_EQ(got.x, want.x);
    EXPECT_EQ(got.y, want.y);
    EXPECT_EQ(got.width, want.width);
    EXPECT_EQ(got.height, want.height);
    EXPECT_EQ(got.rangeMax, want.rangeMax);
    EXPECT_EQ(got.page, want.page);
    EXPECT_EQ(got.position, want.position);
}

TEST(CDialogScrollerLayout, BarsAndVisibleAreaForEachFit) {
    for (const int b : {16, 15}) {
        struct Case {
            const char* name;
            int right, bottom;  // area (0, 0, right, bottom)
            int pageWidth, pageHeight;
            int v, h;  // positions before
            int visRight, visBottom;
            Bar vertical, horizontal;
        };
        const Case cases[] = {
            {"page fits both ways", 400, 300, 300, 200, 30, 40, 400, 300, kHidden, kHidden},
            {"taller, narrower by less than a bar: both bars",
             400,
             300,
             400 - b + 5,
             500,
             0,
             0,
             400 - b,
             300 - b,
             {true, 400 - b, 0, b, 300 - b, 500, 300 - b + 1, 0},
             {true, 0, 300 - b, 400 - b, b, 400 - b + 5, 400 - b + 1, 0}},
            {"only wider, height fits under the bar",
             400,
             300,
             600,
             300 - b,
             0,
             70,
             400,
             300 - b,
             kHidden,
             {true, 0, 300 - b, 400, b, 600, 401, 70}},
            {"only wider, height no longer fits under the bar",
             400,
             300,
             600,
             300 - b + 1,
             0,
             70,
             400 - b,
             300 - b,
             {true, 400 - b, 0, b, 300 - b, 300 - b + 1, 300 - b + 1, 0},
             {true, 0, 300 - b, 400 - b, b, 600, 400 - b + 1, 70}},
            {"only taller keeps its position",
             400,
             300,
             200,
             900,
             250,
             0,
             400 - b,
             300,
             {true, 400 - b, 0, b, 300, 900, 301, 250},
             kHidden},
            {"enlarged: position clamped to the new range",
             400,
             800,
             200,
             900,
             250,
             0,
             400 - b,
             800,
             {true, 400 - b, 0, b, 800, 900, 801, 100},
             kHidden},
            {"enlarged until it fits: back to 0", 400, 900, 200, 900, 250, 0, 400, 900, kHidden, kHidden},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.name << ", bar " << b);
            const auto got = LayOutScroller(0, 0, c.right, c.bottom, c.pageWidth, c.pageHeight, c.v, c.h, b);
            EXPECT_EQ(got.left, 0);
            EXPECT_EQ(got.top, 0);
            EXPECT_EQ(got.right, c.visRight);
            EXPECT_EQ(got.bottom, c.visBottom);
            ExpectBar(got.vertical, c.vertical);
            ExpectBar(got.horizontal, c.horizontal);
        }
    }
}

TEST(CDialogScrollerLayout, AreaOffsetFromTheEditorOrigin) {
    const auto got = LayOutScroller(10, 30, 410, 330, 600, 600, 0, 0, 16);
    EXPECT_EQ(got.right, 394);
    EXPECT_EQ(got.bottom, 314);
    ExpectBar(got.vertical, {true, 394, 30, 16, 284, 600, 285, 0});
    ExpectBar(got.horizontal, {true, 10, 314, 384, 16, 600, 385, 0});
}

TEST(CDialogScrollerLayout, BottomShowsTheLastPixelsAtTheLowerEdge) {
    for (const int b : {16, 15}) {
        const auto lay = LayOutScroller(0, 20, 400, 320, 300, 700, 0, 0, b);
        const int limit = quendar::ScrollLimit(lay.vertical.rangeMax, lay.vertical.page);
        const int bottom = quendar::ScrollPositionFor(ScrollRequest::kBottom, 0, 0, limit);
        EXPECT_EQ(lay.top - bottom + 700, lay.bottom) << "bar " << b;
    }
}

TEST(CDialogScrollerLayout, StepsOfTenAndFiftyClampedToTheLimit) {
    struct Case {
        ScrollRequest request;
        int current, thumb, expected;
    };
    const int limit = 200;
    // clang-format off
    const Case cases[] = {
        {ScrollRequest::kLineDown, 0, 0, 10},   {ScrollRequest::kLineUp, 35, 0, 25},
        {ScrollRequest::kLineUp, 5, 0, 0},      {ScrollRequest::kPageDown, 20, 0, 70},
        {ScrollRequest::kPageDown, 180, 0, 200}, {ScrollRequest::kPageUp, 40, 0, 0},
        {ScrollRequest::kThumbTrack, 0, 77, 77}, {ScrollRequest::kThumbPosition, 0, 300, 200},
        {ScrollRequest::kTop, 120, 0, 0},       {ScrollRequest::kBottom, 0, 0, 200},
        {ScrollRequest::kEnd, 123, 0, 123},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "request " << static_cast<int>(c.request) << " from " << c.current);
        EXPECT_EQ(quendar::ScrollPositionFor(c.request, c.current, c.thumb, limit), c.expected);
    }
}

}  // namespace
