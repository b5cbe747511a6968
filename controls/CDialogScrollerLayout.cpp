#include "controls/CDialogScrollerLayout.h"

#include <algorithm>

namespace quendar {

namespace {

int ClampPosition(int position, int rangeMax, int page) {
    return std::clamp(position, 0, std::max(0, ScrollLimit(rangeMax, page)));
}

}  // namespace

ScrollerLayout LayOutScroller(int left, int top, int right, int bottom, int pageWidth, int pageHeight,
                              int verticalPosition, int horizontalPosition, int barThickness) {
    ScrollerLayout out;
    out.left = left;
    out.top = top;
    out.right = right;
    out.bottom = bottom;
    bool needVertical = false;
    bool needHorizontal = false;
    if (bottom - top < pageHeight) {
        needVertical = true;
        out.right -= barThickness;
    }
    if (out.right - left < pageWidth) {
        needHorizontal = true;
        out.bottom -= barThickness;
        if (!needVertical && out.bottom - top < pageHeight) {
            needVertical = true;
            out.right -= barThickness;
        }
    }
    if (needVertical) {
        ScrollBarPlacement& v = out.vertical;
        v.shown = true;
        v.x = out.right;
        v.y = top;
        v.width = right - out.right;
        v.height = out.bottom - top;
        v.rangeMax = pageHeight;
        v.page = out.bottom - top + 1;
        v.position = ClampPosition(verticalPosition, v.rangeMax, v.page);
    }
    if (needHorizontal) {
        ScrollBarPlacement& h = out.horizontal;
        h.shown = true;
        h.x = left;
        h.y = out.bottom;
        h.width = out.right - left;
        h.height = bottom - out.bottom;
        h.rangeMax = pageWidth;
        h.page = out.right - left + 1;
        h.position = ClampPosition(horizontalPosition, h.rangeMax, h.page);
    }
    return out;
}

int ScrollPositionFor(ScrollRequest request, int current, int thumb, int limit) {
    int next = current;
    switch (request) {
    case ScrollRequest::kLineUp: next = current - kScrollLineStep; break;
    case ScrollRequest::kLineDown: next = current + kScrollLineStep; break;
    case ScrollRequest::kPageUp: next = current - kScrollPageStep; break;
    case ScrollRequest::kPageDown: next = current + kScrollPageStep; break;
    case ScrollRequest::kThumbPosition:
    case ScrollRequest::kThumbTrack: next = thumb; break;
    case ScrollRequest::kTop: next = 0; break;
    case ScrollRequest::kBottom: next = limit; break;
    case ScrollRequest::kEnd: break;
    }
    return std::clamp(next, 0, std::max(0, limit));
}

}  // namespace quendar
