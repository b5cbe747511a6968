#include "controls/wx/CDial.h"

#include <algorithm>
#include <cmath>

#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/graphics.h>
#include <wx/image.h>

#include "controls/wx/ControlNotice.h"

wxDEFINE_EVENT(EVT_CDIAL_CHANGED, wxCommandEvent);
wxDEFINE_EVENT(EVT_CDIAL_RELEASEDCAPTURE, wxCommandEvent);
wxDEFINE_EVENT(EVT_CDIAL_CLICKED, wxCommandEvent);

namespace {

constexpr double kPi = 3.141592653589793;

const wxColour kKnobColour(CDialModel::kRed, CDialModel::kGreen, CDialModel::kBlue);

// Angle in degrees of a radial point as seen from the ellipse's centre.
double DegreesOf(int x, int y, double cx, double cy) { return std::atan2(cy - y, x - cx) * 180.0 / kPi; }

}  // namespace

CDial::CDial(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
    : wxControl(parent, id, pos, size, wxBORDER_NONE), model_(*this) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    MakeSquare();
    Bind(wxEVT_PAINT, &CDial::OnPaint, this);
    Bind(wxEVT_SIZE, &CDial::OnSize, this);
    Bind(wxEVT_LEFT_DOWN, &CDial::OnLeftDown, this);
    // GTK reports the second press of a quick double click as a double click.
    Bind(wxEVT_LEFT_DCLICK, &CDial::OnLeftDown, this);
    Bind(wxEVT_MOTION, &CDial::OnMotion, this);
    Bind(wxEVT_LEFT_UP, &CDial::OnLeftUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CDial::OnCaptureLost, this);
}

CDial::~CDial() {
    if (HasCapture()) ReleaseMouse();
}

wxSize CDial::DoGetBestSize() const {
    const int side = model_.Side();
    return side > 0 ? wxSize(side, side) : FromDIP(wxSize(40, 40));
}

void CDial::MakeSquare() {
    const wxSize size = GetSize();
    const int side = std::max(0, std::min(size.x, size.y));
    model_.SetSide(side);
    // Comes to rest: the size event this raises finds the window square.
    if (size.x != size.y) SetSize(side, side);
}

void CDial::OnSize(wxSizeEvent& event) {
    MakeSquare();
    Refresh(false);
    event.Skip();
}

void CDial::DialChanged(int value) { Notify(EVT_CDIAL_CHANGED, value); }

void CDial::DialReleasedCapture(int value) { Notify(EVT_CDIAL_RELEASEDCAPTURE, value); }

void CDial::DialInvalidate() { Refresh(false); }

void CDial::Notify(wxEventType type, int value) {
    wxCommandEvent event(type, GetId());
    event.SetInt(value);
    SendControlNotice(*this, event);
}

void CDial::OnLeftDown(wxMouseEvent& event) {
    const wxPoint p = event.GetPosition();
    if (!model_.Contains(p.x, p.y)) return;  // a corner: not part of the knob
    if (model_.LeftDown(p.x, p.y, event.ShiftDown()) && !HasCapture()) CaptureMouse();
    Notify(EVT_CDIAL_CLICKED, model_.GetValue());
}

void CDial::OnMotion(wxMouseEvent& event) {
    model_.MouseMove(event.GetX(), event.GetY(), event.LeftIsDown());
    event.Skip();
}

void CDial::OnLeftUp(wxMouseEvent& event) {
    if (model_.IsTracking() && HasCapture()) ReleaseMouse();
    model_.LeftUp(event.GetX(), event.GetY());
    event.Skip();
}

void CDial::OnCaptureLost(wxMouseCaptureLostEvent&) { model_.CaptureLost(); }

void CDial::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    const int side = model_.Side();
    if (side <= 0) return;
    // The knob is composed off screen and copied in one go; its corners are
    // transparent, so they show what the page itself shows there (a page in
    // a tab is drawn by the theme, whatever colour the page reports).
    const Painted now{side, GetParent()->GetBackgroundColour(), model_.IndicatorFor(side)};
    if (!paintedBitmap_.IsOk() || !(now == painted_)) {
        paintedBitmap_ = Render(model_, side, now.background);
        painted_ = now;
    }
    dc.DrawBitmap(paintedBitmap_, 0, 0, true);
}

wxBitmap CDial::Render(const CDialModel& model, int side, const wxColour& background) {
    wxBitmap bitmap(side, side, 24);
    {
        wxMemoryDC dc(bitmap);
        // Abutting wedges would show seams and the outline would blur with
        // antialiasing; the knob is drawn with hard edges.
        if (wxGraphicsContext* gc = dc.GetGraphicsContext()) gc->SetAntialiasMode(wxANTIALIAS_NONE);
        dc.SetBackground(wxBrush(background));
        dc.Clear();

        // Shaded ring on the square inflated by 2 pixels.
        const int ringLeft = -2, ringTop = -2, ringRight = side + 2, ringBottom = side + 2;
        const double cx = (ringLeft + ringRight) / 2.0;
        const double cy = (ringTop + ringBottom) / 2.0;
        dc.SetPen(*wxTRANSPARENT_PEN);
        for (const auto& w : CDialModel::Ring(ringLeft, ringTop, ringRight, ringBottom)) {
            dc.SetBrush(wxBrush(wxColour(w.red, w.green, w.blue)));
            dc.DrawEllipticArc(ringLeft, ringTop, ringRight - ringLeft, ringBottom - ringTop,
                               DegreesOf(w.fromX, w.fromY, cx, cy), DegreesOf(w.toX, w.toY, cx, cy));
        }

        // Outline of the cap, then the cap itself.
        const int outline = side * 35 / 200;
        dc.SetPen(wxPen(kKnobColour, 1));
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawEllipse(outline, outline, side - 2 * outline, side - 2 * outline);
        const int cap = outline + side * 15 / 200;
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(kKnobColour));
        dc.DrawEllipse(cap, cap, side - 2 * cap, side - 2 * cap);

        // Indicator: a coloured line, then a white one 4 pixels narrower.
        const auto ind = model.IndicatorFor(side);
        dc.SetPen(wxPen(kKnobColour, ind.width));
        dc.DrawLine(ind.outerX, ind.outerY, ind.innerX, ind.innerY);
        if (ind.width > 4) {
            dc.SetPen(wxPen(*wxWHITE, ind.width - 4));
            dc.DrawLine(ind.outerX, ind.outerY, ind.innerX, ind.innerY);
        }
    }
    // Outside the circle the parent shows through: those pixels are
    // transparent, and in `background` where the bitmap is drawn opaque.
    wxImage image = bitmap.ConvertToImage();
    image.InitAlpha();
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            if (CDialModel::InCircle(side, x, y)) continue;
            image.SetRGB(x, y, background.Red(), background.Green(), background.Blue());
            image.SetAlpha(x, y, wxIMAGE_ALPHA_TRANSPARENT);
        }
    }
    return wxBitmap(image);
}
