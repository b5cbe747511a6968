#pragma once
// The page scroller's arithmetic: which scroll bars a page needs in an area,
// where they go, their ranges, and the visible area left for the page; and
// the new position for a scroll request. Positions are in pixels.

namespace quendar {

struct ScrollBarPlacement {
    bool shown = false;
    int x = 0, y = 0, width = 0, height = 0;
    int rangeMax = 0;  // the range is 0..rangeMax
    int page = 0;      // page size; the largest position is rangeMax - page + 1
    int position = 0;  // after clamping to the range
};

struct ScrollerLayout {
    // The visible area: the given area less the strips the bars take.
    int left = 0, top = 0, right = 0, bottom = 0;
    ScrollBarPlacement vertical;
    ScrollBarPlacement horizontal;
};

// Lays a page of pageWidth x pageHeight out in the area (left, top, right,
// bottom), keeping the bars' current positions within their new ranges; a bar
// that is not needed is hidden at position 0. barThickness is the width of a
// vertical bar (and the height of a horizontal one).
ScrollerLayout LayOutScroller(int left, int top, int right, int bottom, int pageWidth, int pageHeight,
                              int verticalPosition, int horizontalPosition, int barThickness);

// The largest position of a bar with range 0..rangeMax and this page size.
inline int ScrollLimit(int rangeMax, int page) { return rangeMax - page + 1; }

enum class ScrollRequest {
    kLineUp,
    kLineDown,
    kPageUp,
    kPageDown,  // also left / right
    kThumbPosition,
    kThumbTrack,
    kTop,
    kBottom,
    kEnd
};

inline constexpr int kScrollLineStep = 10;
inline constexpr int kScrollPageStep = 50;

// The new position for a request, clamped to 0..limit.
int ScrollPositionFor(ScrollRequest request, int current, int thumb, int limit);

}  // namespace quendar
