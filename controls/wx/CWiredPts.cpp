#include "controls/wx/CWiredPts.h"

#include <algorithm>

#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/graphics.h>

#include "controls/wx/ControlNotice.h"

wxDEFINE_EVENT(EVT_CWIREDPTS_CHANGED, wxCommandEvent);
wxDEFINE_EVENT(EVT_CWIREDPTS_RELEASEDCAPTURE, wxCommandEvent);

namespace {

wxColour Rgb(std::uint32_t rgb) {
    return wxColour(static_cast<unsigned char>(rgb >> 16), static_cast<unsigned char>(rgb >> 8),
                    static_cast<unsigned char>(rgb));
}

// Fills the rectangle (left, top) to (right, bottom), right and bottom excluded.
void Fill(wxDC& dc, int left, int top, int right, int bottom, const wxColour& colour) {
    if (right <= left || bottom <= top) return;
    dc.SetBrush(wxBrush(colour));
    dc.DrawRectangle(left, top, right - left, bottom - top);
}

// A square handle of side 2h with a white top-left and a black bottom-right edge.
void DrawHandle(wxDC& dc, const CWiredPt& p, const wxColour& fill) {
    const int h = p.halfSize;
    const int l = p.x - h, t = p.y - h, r = p.x + h, b = p.y + h;
    Fill(dc, l, t, r, b, fill);
    Fill(dc, l, t, r - 1, b - 1, *wxWHITE);
    Fill(dc, l + 2, t + 2, r + 1, b + 1, *wxBLACK);
    Fill(dc, l + 1, t + 1, r - 1, b - 1, fill);
}

}  // namespace

CWiredPts::CWiredPts(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
    : wxControl(parent, id, pos, size, wxBORDER_SUNKEN), model_(*this, GetClientSize().x, GetClientSize().y) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CWiredPts::OnPaint, this);
    Bind(wxEVT_SIZE, &CWiredPts::OnSize, this);
    Bind(wxEVT_LEFT_DOWN, &CWiredPts::OnLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &CWiredPts::OnLeftDown, this);
    Bind(wxEVT_MOTION, &CWiredPts::OnMotion, this);
    Bind(wxEVT_LEFT_UP, &CWiredPts::OnLeftUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CWiredPts::OnCaptureLost, this);
}

CWiredPts::~CWiredPts() {
    if (HasCapture()) ReleaseMouse();
}

void CWiredPts::SetEnvelope(int attack, int decay, int sustain, int release) {
    const wxSize client = GetClientSize();
    model_.SetClientSize(client.x, client.y);
    model_.SetEnvelope(attack, decay, sustain, release);
    Refresh(false);
}

void CWiredPts::WiredPtsChanged(int value, std::uint32_t flag) {
    wxCommandEvent event(EVT_CWIREDPTS_CHANGED, GetId());
    event.SetInt(value);
    event.SetExtraLong(static_cast<long>(flag));
    SendControlNotice(*this, event);
}

void CWiredPts::WiredPtsReleasedCapture(std::uint32_t flags) {
    wxCommandEvent event(EVT_CWIREDPTS_RELEASEDCAPTURE, GetId());
    event.SetExtraLong(static_cast<long>(flags));
    SendControlNotice(*this, event);
}

void CWiredPts::WiredPtsInvalidate() { Refresh(false); }

void CWiredPts::OnSize(wxSizeEvent& event) {
    // The setters take their scale from the current size; the points stay
    // where SetEnvelope laid them out.
    const wxSize client = GetClientSize();
    model_.SetClientSize(client.x, client.y);
    Refresh(false);
    event.Skip();
}

void CWiredPts::OnLeftDown(wxMouseEvent& event) {
    if (model_.LeftDown(event.GetX(), event.GetY()) && !HasCapture()) CaptureMouse();
}

void CWiredPts::OnMotion(wxMouseEvent& event) {
    model_.MouseMove(event.GetX(), event.GetY(), event.LeftIsDown());
}

void CWiredPts::OnLeftUp(wxMouseEvent& event) {
    if (model_.DraggedIndex() >= 0 && HasCapture()) ReleaseMouse();
    model_.LeftUp(event.GetX(), event.GetY());
}

void CWiredPts::OnCaptureLost(wxMouseCaptureLostEvent&) { model_.CaptureLost(); }

void CWiredPts::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    if (model_.ClientWidth() <= 0 || model_.ClientHeight() <= 0) return;
    // Composed off screen and copied in one go.
    const Painted now{model_.ClientWidth(), model_.ClientHeight(), model_.HasEnvelope(),
                      model_.DraggedIndex(), model_.Points()};
    if (!paintedBitmap_.IsOk() || !(now == painted_)) {
        paintedBitmap_ = Render(model_);
        painted_ = now;
    }
    dc.DrawBitmap(paintedBitmap_, 0, 0);
}

wxBitmap CWiredPts::Render(const CWiredPtsModel& model) {
    wxBitmap bitmap(std::max(model.ClientWidth(), 1), std::max(model.ClientHeight(), 1), 24);
    {
        wxMemoryDC dc(bitmap);
        Draw(dc, model);
    }
    return bitmap;
}

void CWiredPts::Draw(wxDC& dc, const CWiredPtsModel& model) {
    // 1-pixel lines on whole pixels stay sharp without antialiasing.
    if (wxGraphicsContext* gc = dc.GetGraphicsContext()) gc->SetAntialiasMode(wxANTIALIAS_NONE);
    dc.SetBackground(wxBrush(Rgb(CWiredPtsModel::kBackgroundColour)));
    dc.Clear();
    dc.SetPen(wxPen(Rgb(CWiredPtsModel::kAxisColour), 1));
    dc.DrawLine(model.InnerLeft(), model.InnerTop(), model.InnerLeft(), model.InnerBottom());
    dc.DrawLine(model.InnerLeft(), model.InnerBottom(), model.InnerRight(), model.InnerBottom());
    if (!model.HasEnvelope()) return;  // nothing but background and axes

    const auto& points = model.Points();
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (!(points[i].flags & CWiredPt::kDrawLine)) continue;
        dc.SetPen(wxPen(Rgb(points[i - 1].lineColour), 1));
        dc.DrawLine(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y);
    }
    dc.SetPen(*wxTRANSPARENT_PEN);
    // Point 1 last, so that it lies on top.
    for (const int i : {0, 4, 3, 2, 1}) {
        const CWiredPt& p = points[static_cast<std::size_t>(i)];
        if (!(p.flags & CWiredPt::kDrawHandle)) continue;
        const std::uint32_t fill =
            i == model.DraggedIndex() ? CWiredPtsModel::kDraggedColour : p.handleColour;
        DrawHandle(dc, p, Rgb(fill));
    }
}
