#include "controls/wx/CDialogScroller.h"

#include <algorithm>

#include <wx/panel.h>
#include <wx/settings.h>

namespace quendar {

namespace {

ScrollRequest RequestFor(wxEventType type) {
    if (type == wxEVT_SCROLL_LINEUP) return ScrollRequest::kLineUp;
    if (type == wxEVT_SCROLL_LINEDOWN) return ScrollRequest::kLineDown;
    if (type == wxEVT_SCROLL_PAGEUP) return ScrollRequest::kPageUp;
    if (type == wxEVT_SCROLL_PAGEDOWN) return ScrollRequest::kPageDown;
    if (type == wxEVT_SCROLL_THUMBTRACK) return ScrollRequest::kThumbTrack;
    if (type == wxEVT_SCROLL_THUMBRELEASE) return ScrollRequest::kThumbPosition;
    if (type == wxEVT_SCROLL_TOP) return ScrollRequest::kTop;
    if (type == wxEVT_SCROLL_BOTTOM) return ScrollRequest::kBottom;
    return ScrollRequest::kEnd;
}

const wxEventTypeTag<wxScrollEvent> kBarEvents[] = {
    wxEVT_SCROLL_LINEUP,   wxEVT_SCROLL_LINEDOWN,   wxEVT_SCROLL_PAGEUP,
    wxEVT_SCROLL_PAGEDOWN, wxEVT_SCROLL_THUMBTRACK, wxEVT_SCROLL_THUMBRELEASE,
    wxEVT_SCROLL_TOP,      wxEVT_SCROLL_BOTTOM,     wxEVT_SCROLL_CHANGED,
};

}  // namespace

CDialogScroller::CDialogScroller(wxWindow& editor, int barThickness)
    : barThickness_(barThickness > 0 ? barThickness : wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, &editor)) {
    if (barThickness_ <= 0) barThickness_ = 16;
    viewport_ =
        new wxPanel(&editor, wxID_ANY, wxDefaultPosition, wxSize(0, 0), wxBORDER_NONE | wxTAB_TRAVERSAL);
    vertical_ = new wxScrollBar(&editor, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSB_VERTICAL);
    horizontal_ = new wxScrollBar(&editor, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSB_HORIZONTAL);
    vertical_->Hide();
    horizontal_->Hide();
    BindBar(*vertical_);
    BindBar(*horizontal_);
}

CDialogScroller::~CDialogScroller() {
    for (wxScrollBar* bar : {vertical_.get(), horizontal_.get()}) {
        if (!bar) continue;
        for (const auto& type : kBarEvents) bar->Unbind(type, &CDialogScroller::OnBarEvent, this);
    }
}

void CDialogScroller::BindBar(wxScrollBar& bar) {
    for (const auto& type : kBarEvents) bar.Bind(type, &CDialogScroller::OnBarEvent, this);
}

void CDialogScroller::OnBarEvent(wxScrollEvent& event) {
    OnScroll(RequestFor(event.GetEventType()), event.GetPosition(),
             dynamic_cast<const wxScrollBar*>(event.GetEventObject()));
}

void CDialogScroller::SetPage(wxWindow* page) {
    page_ = page;
    enabled_ = true;
    laidOut_ = false;
}

void CDialogScroller::PlaceBar(wxScrollBar& bar, const ScrollBarPlacement& placement) {
    if (!placement.shown) {
        bar.Hide();
        bar.SetThumbPosition(0);
        return;
    }
    // An area smaller than the bars (an editor not yet at its size) leaves
    // them no room: GTK takes no negative size.
    bar.SetSize(placement.x, placement.y, std::max(placement.width, 0), std::max(placement.height, 0));
    // Range 0..rangeMax with this page: the thumb reaches rangeMax - page + 1.
    bar.SetScrollbar(placement.position, placement.page, placement.rangeMax + 1, placement.page);
    bar.Show();
}

void CDialogScroller::SetRect(int left, int top, int right, int bottom) {
    wxWindow* page = page_.get();
    if (!enabled_ || !page || !viewport_ || !vertical_ || !horizontal_) return;
    const wxSize pageSize = page->GetSize();
    layout_ = LayOutScroller(left, top, right, bottom, pageSize.x, pageSize.y, verticalPosition_,
                             horizontalPosition_, barThickness_);
    verticalPosition_ = layout_.vertical.position;
    horizontalPosition_ = layout_.horizontal.position;
    PlaceBar(*vertical_, layout_.vertical);
    PlaceBar(*horizontal_, layout_.horizontal);
    viewport_->SetSize(layout_.left, layout_.top, std::max(layout_.right - layout_.left, 0),
                       std::max(layout_.bottom - layout_.top, 0));
    viewport_->Show();
    laidOut_ = true;
    ScrollTo(verticalPosition_, horizontalPosition_);
    vertical_->Refresh();
    horizontal_->Refresh();
}

void CDialogScroller::ScrollTo(int verticalPosition, int horizontalPosition) {
    wxWindow* page = page_.get();
    if (!enabled_ || !laidOut_ || !page) return;
    // The viewport clips the page to the visible area.
    page->Move(-horizontalPosition, -verticalPosition);
    page->Refresh();
}

void CDialogScroller::OnScroll(ScrollRequest request, int thumbPosition, const wxScrollBar* bar) {
    if (!enabled_ || !laidOut_ || !page_ || !bar) return;
    const bool isVertical = bar == vertical_.get();
    if (!isVertical && bar != horizontal_.get()) return;
    const ScrollBarPlacement& placement = isVertical ? layout_.vertical : layout_.horizontal;
    int& position = isVertical ? verticalPosition_ : horizontalPosition_;
    const int limit = ScrollLimit(placement.rangeMax, placement.page);
    position = ScrollPositionFor(request, position, thumbPosition, limit);
    (isVertical ? vertical_ : horizontal_)->SetThumbPosition(position);
    ScrollTo(verticalPosition_, horizontalPosition_);
}

}  // namespace quendar
