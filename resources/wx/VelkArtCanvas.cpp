#include "resources/wx/VelkArtCanvas.h"

#include <cmath>
#include <cstring>

namespace velk::art {

double Canvas::C(double u) const { return std::floor(u * s_) + 0.5; }

void Canvas::Apply(const wxColour& fill, const wxColour& line, double widthPx) {
    if (fill.Alpha() == 0) gc_.SetBrush(*wxTRANSPARENT_BRUSH);
    else gc_.SetBrush(gc_.CreateBrush(wxBrush(fill)));
    if (line.Alpha() == 0) {
        gc_.SetPen(*wxTRANSPARENT_PEN);
    } else {
        wxGraphicsPenInfo pen(line);
        pen.Width(widthPx);
        gc_.SetPen(gc_.CreatePen(pen));
    }
}

void Canvas::Rect(double x, double y, double w, double h, const wxColour& fill, const wxColour& line,
                  double radius) {
    Apply(fill, line, LineWidth());
    const double x1 = C(x), y1 = C(y), x2 = C(x + w), y2 = C(y + h);
    if (radius > 0) gc_.DrawRoundedRectangle(x1, y1, x2 - x1, y2 - y1, L(radius));
    else gc_.DrawRectangle(x1, y1, x2 - x1, y2 - y1);
}

void Canvas::Ellipse(double cx, double cy, double rx, double ry, const wxColour& fill, const wxColour& line) {
    Apply(fill, line, LineWidth());
    gc_.DrawEllipse(L(cx - rx), L(cy - ry), L(2 * rx), L(2 * ry));
}

void Canvas::Polygon(std::initializer_list<std::pair<double, double>> points, const wxColour& fill,
                     const wxColour& line) {
    Apply(fill, line, LineWidth());
    wxGraphicsPath path = gc_.CreatePath();
    bool first = true;
    for (const auto& [x, y] : points) {
        if (first) path.MoveToPoint(C(x), C(y));
        else path.AddLineToPoint(C(x), C(y));
        first = false;
    }
    path.CloseSubpath();
    gc_.DrawPath(path);
}

void Canvas::Polyline(std::initializer_list<std::pair<double, double>> points, const wxColour& line,
                      double widthPx) {
    Apply(kNone, line, widthPx);
    wxGraphicsPath path = gc_.CreatePath();
    bool first = true;
    for (const auto& [x, y] : points) {
        if (first) path.MoveToPoint(L(x), L(y));
        else path.AddLineToPoint(L(x), L(y));
        first = false;
    }
    gc_.StrokePath(path);
}

void Canvas::Line(double x1, double y1, double x2, double y2, const wxColour& line, double widthPx) {
    Apply(kNone, line, widthPx);
    gc_.StrokeLine(L(x1), L(y1), L(x2), L(y2));
}

void Canvas::Gradient(double x, double y, double w, double h, const wxColour& top, const wxColour& bottom,
                      double radius) {
    gc_.SetPen(*wxTRANSPARENT_PEN);
    gc_.SetBrush(gc_.CreateLinearGradientBrush(0, L(y), 0, L(y + h), top, bottom));
    if (radius > 0) gc_.DrawRoundedRectangle(L(x), L(y), L(w), L(h), L(radius));
    else gc_.DrawRectangle(L(x), L(y), L(w), L(h));
}

wxImage Render(int width, int height, double unitScale, const std::function<void(Canvas&)>& draw) {
    wxImage image(width, height);
    image.SetAlpha();
    std::memset(image.GetAlpha(), 0, static_cast<size_t>(width) * height);
    std::memset(image.GetData(), 0, static_cast<size_t>(width) * height * 3);
    {
        std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(image));
        if (gc) {
            gc->SetAntialiasMode(wxANTIALIAS_DEFAULT);
            Canvas canvas(*gc, unitScale);
            draw(canvas);
        }
    }  // the context writes its pixels back into the image when it goes
    return image;
}

}  // namespace velk::art
