#pragma once
// Shows an editor's page, which may be larger than the room the editor has
// for it: the page lives in a viewport window that clips it to the visible
// area, and a vertical and/or horizontal scroll bar appear along the right
// and bottom edges when the page does not fit. The scroller keeps the bars'
// positions itself and moves them by its own steps (10 per line, 50 per
// page), since GTK moves a thumb by its own steps before reporting them.
//
// The editor creates its pages as children of Viewport(), hands each one over
// with SetPage, and calls SetRect when it shows a page and after every size
// change. A page destroyed by the editor is forgotten (held by a weak
// reference), so a later SetRect or scroll does nothing until the next page.

#include <wx/scrolbar.h>
#include <wx/weakref.h>
#include <wx/window.h>

#include "controls/CDialogScrollerLayout.h"

namespace quendar {

class CDialogScroller {
public:
    // The viewport and both bars are created hidden as children of editor.
    // barThickness 0: the platform's scroll bar width.
    explicit CDialogScroller(wxWindow& editor, int barThickness = 0);
    virtual ~CDialogScroller();
    CDialogScroller(const CDialogScroller&) = delete;
    CDialogScroller& operator=(const CDialogScroller&) = delete;

    wxWindow* Viewport() const { return viewport_.get(); }
    wxScrollBar* VerticalBar() const { return vertical_.get(); }
    wxScrollBar* HorizontalBar() const { return horizontal_.get(); }
    wxWindow* Page() const { return page_.get(); }

    // A new page (a child of Viewport()): enabled, not yet laid out.
    void SetPage(wxWindow* page);
    // Lays the page out in this rectangle of the editor's client area.
    void SetRect(int left, int top, int right, int bottom);
    // Places the page for these scroll positions (pixels).
    void ScrollTo(int verticalPosition, int horizontalPosition);
    // A scroll request from one of the bars (any other bar: nothing).
    void OnScroll(ScrollRequest request, int thumbPosition, const wxScrollBar* bar);

    int VerticalPosition() const { return verticalPosition_; }
    int HorizontalPosition() const { return horizontalPosition_; }
    const ScrollerLayout& Layout() const { return layout_; }

private:
    void BindBar(wxScrollBar& bar);
    void OnBarEvent(wxScrollEvent& event);
    void PlaceBar(wxScrollBar& bar, const ScrollBarPlacement& placement);

    int barThickness_;
    wxWeakRef<wxWindow> viewport_;
    wxWeakRef<wxScrollBar> vertical_;
    wxWeakRef<wxScrollBar> horizontal_;
    wxWeakRef<wxWindow> page_;
    ScrollerLayout layout_;
    int verticalPosition_ = 0;  // the bars' positions
    int horizontalPosition_ = 0;
    bool enabled_ = false;
    bool laidOut_ = false;
};

}  // namespace quendar
